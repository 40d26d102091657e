#pragma once
// The decoded BMP textures of a document, kept by the path the objects store together with the
// identity of the file they were read from, so every view uploads the same picture and a reload of
// an unchanged file does not decode it again.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "formats/bmp_reader.h"
#include "scene/message_sink.h"

// Size and modification time: a file rewritten since reads as another file.
struct FileIdentity {
    uintmax_t size = 0;
    int64_t modified = 0;
    bool operator==(const FileIdentity& other) const {
        return size == other.size && modified == other.modified;
    }
};

struct TexturePicture {
    std::string path;  // file-system path
    FileIdentity identity;
    BmpImage image;
};

class TexturePictures {
  public:
    // Reads the file at path (a file-system path) as RGB texels and keeps it under key (the path
    // as an object stores it); nullptr after the BMP message (caption "BMP to RGB") when it
    // cannot be used.
    std::shared_ptr<const TexturePicture> Load(const std::string& key, const std::string& path,
                                               MessageSink& messages);
    // The picture last kept under key, or nullptr.
    std::shared_ptr<const TexturePicture> Find(const std::string& key) const;

  private:
    std::map<std::string, std::shared_ptr<const TexturePicture>> pictures_;
};
