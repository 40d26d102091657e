#include "formats/texture_pictures.h"

#include <filesystem>
#include <system_error>

#include "resources/texts.h"

namespace {

FileIdentity IdentityOf(const std::string& path) {
    std::error_code error;
    FileIdentity identity;
    const std::filesystem::path file(path);
    identity.size = std::filesystem::file_size(file, error);
    const auto modified = std::filesystem::last_write_time(file, error);
    identity.modified = error ? 0 : static_cast<int64_t>(modified.time_since_epoch().count());
    return identity;
}

}  // namespace

std::shared_ptr<const TexturePicture> TexturePictures::Load(const std::string& key,
                                                            const std::string& path,
                                                            MessageSink& messages) {
    const FileIdentity identity = IdentityOf(path);
    if (auto known = Find(key); known && known->path == path && known->identity == identity) {
        return known;
    }
    BmpResult result = ReadBmpFile(path, kBmpRgb);
    if (result.status != BmpStatus::kOk) {
        messages.ShowMessage(BmpFailureMessage(result), texts::kBmpCaption, MessageOwner::kNone);
        return nullptr;
    }
    auto picture = std::make_shared<TexturePicture>();
    picture->path = path;
    picture->identity = identity;
    picture->image = std::move(result.image);
    pictures_[key] = picture;
    return picture;
}

std::shared_ptr<const TexturePicture> TexturePictures::Find(const std::string& key) const {
    const auto it = pictures_.find(key);
    return it == pictures_.end() ? nullptr : it->second;
}
