#include "formats/scene_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/regular_file.h"
#include "formats/replace_file.h"
#include "scene/fixed_field.h"

namespace {

constexpr char kVersion[] = "1.00";
constexpr char kMagic[] = "vellumark";
constexpr std::size_t kMagicOffset = 10;
constexpr std::size_t kMagicWidth = 10;
constexpr std::size_t kSettingsOffset = 20;
constexpr char kBevelMagic[4] = {'V', 'M', 'K', 'B'};
constexpr uint16_t kBevelVersion = 1;
constexpr std::size_t kBevelEntrySize = 12;
constexpr std::size_t kBevelHeadSize = 8;

// Appends little-endian values and fixed-width fields to a byte buffer.
class Writer {
  public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            out_.push_back(static_cast<uint8_t>(v >> shift));
        }
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(bits);
    }
    template <std::size_t N>
    void Floats(const float (&values)[N]) {
        for (float v : values) {
            F32(v);
        }
    }
    void U8(uint8_t v) { out_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    // The text up to its terminator, then zero bytes to the field's width.
    void Field(std::string_view text, std::size_t width) {
        out_.insert(out_.end(), text.begin(), text.end());
        Zeros(width - text.size());
    }
    void Zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

  private:
    std::vector<uint8_t>& out_;
};

// Reads little-endian values at fixed offsets of a block known to be long enough.
class Reader {
  public:
    explicit Reader(const uint8_t* data) : data_(data) {}
    uint32_t U32(std::size_t at) const {
        return static_cast<uint32_t>(data_[at]) | static_cast<uint32_t>(data_[at + 1]) << 8 |
               static_cast<uint32_t>(data_[at + 2]) << 16 |
               static_cast<uint32_t>(data_[at + 3]) << 24;
    }
    int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
    float F32(std::size_t at) const {
        const uint32_t bits = U32(at);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // Returns the offset after the values.
    template <std::size_t N>
    std::size_t Floats(std::size_t at, float (&values)[N]) const {
        for (float& v : values) {
            v = F32(at);
            at += 4;
        }
        return at;
    }
    uint8_t U8(std::size_t at) const { return data_[at]; }
    uint16_t U16(std::size_t at) const {
        return static_cast<uint16_t>(data_[at] | data_[at + 1] << 8);
    }
    // The field up to its terminator; without one, cut to fit a field of the same width.
    std::string_view Field(std::size_t at, std::size_t width) const {
        const char* begin = reinterpret_cast<const char*>(data_ + at);
        const void* nul = std::memchr(begin, 0, width);
        const std::size_t n = nul ? static_cast<const char*>(nul) - begin : width - 1;
        return std::string_view(begin, n);
    }

  private:
    const uint8_t* data_;
};

void WriteHeader(Writer& w, const Scene& scene) {
    w.Field(kVersion, 10);
    w.Field(kMagic, kMagicWidth);
    w.Floats(scene.light.position);
    w.I32(scene.shadow.enabled);
    w.Floats(scene.shadow.plane);
    w.Floats(scene.shadow.color);
    w.Floats(scene.backgroundColor);
    w.F32(scene.view.perspective);
    w.Zeros(12 + 32);
}

void WriteRecord(Writer& w, const TextObject& object) {
    w.Field(object.Text(), sizeof object.text);
    w.Field(object.FaceName(), sizeof object.faceName);
    w.I32(object.italic);
    w.U8(object.charSet);
    w.Zeros(3);
    w.Floats(object.position);
    w.Floats(object.rotation);
    w.Floats(object.scale);
    w.Floats(object.diffuse);
    w.Floats(object.specular);
    w.Floats(object.ambient);
    w.F32(object.shininess);
    w.Field(object.TextureFile(), sizeof object.textureFile);
}

bool HasMagic(const uint8_t* header) {
    const Reader r(header);
    const char* field = reinterpret_cast<const char*>(header + kMagicOffset);
    // Compared as a terminated string: the magic's NUL must lie inside the field.
    return std::memchr(field, 0, kMagicWidth) != nullptr &&
           r.Field(kMagicOffset, kMagicWidth) == kMagic;
}

void ReadSettings(const Reader& r, Scene& scene) {
    std::size_t at = r.Floats(kSettingsOffset, scene.light.position);
    scene.shadow.enabled = r.I32(at);
    at = r.Floats(at + 4, scene.shadow.plane);
    at = r.Floats(at, scene.shadow.color);
    at = r.Floats(at, scene.backgroundColor);
    const float perspective = r.F32(at);
    // NaN fails the comparison too.
    scene.view.perspective = perspective > 0.0f ? perspective : 1.0f;
}

void ReadRecord(const Reader& r, TextObject& object) {
    object.SetText(r.Field(0, sizeof object.text));
    object.SetFont(r.Field(128, sizeof object.faceName), r.I32(192), r.U8(196));
    std::size_t at = r.Floats(200, object.position);
    at = r.Floats(at, object.rotation);
    at = r.Floats(at, object.scale);
    at = r.Floats(at, object.diffuse);
    at = r.Floats(at, object.specular);
    at = r.Floats(at, object.ambient);
    object.shininess = r.F32(at);
    object.SetTextureFile(r.Field(288, sizeof object.textureFile));
}

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

// recordObjects[k] is the object written as record k.
void WriteBevelBlock(std::vector<uint8_t>& bytes,
                     const std::vector<const TextObject*>& recordObjects) {
    std::vector<uint8_t> block;
    Writer w(block);
    for (char c : kBevelMagic) {
        w.U8(static_cast<uint8_t>(c));
    }
    w.U16(kBevelVersion);
    w.U16(0);  // the count, once known
    uint16_t count = 0;
    for (std::size_t k = 0; k < recordObjects.size(); ++k) {
        const BevelSettings& bevel = recordObjects[k]->bevel;
        if (!bevel.Active()) {
            continue;
        }
        const bool round = bevel.profile == BevelProfile::kRound;
        w.U8(static_cast<uint8_t>(k));
        w.U8(round ? 2 : 1);
        w.U8(static_cast<uint8_t>(round ? std::clamp(bevel.segments, 1, kMaxBevelSegments) : 1));
        w.U8(bevel.backToo ? 1 : 0);
        w.F32(std::min(bevel.width, kMaxBevelSize));
        w.F32(std::min(bevel.depth, kMaxBevelSize));
        ++count;
    }
    if (count == 0) {
        return;
    }
    block[6] = static_cast<uint8_t>(count);
    block[7] = static_cast<uint8_t>(count >> 8);
    w.U32(Crc32(block.data(), block.size()));
    bytes.insert(bytes.end(), block.begin(), block.end());
}

bool InBevelRange(float v) {
    return v > 0.0f && v <= kMaxBevelSize;
}

// Fills bevels[k] for record k when the bytes are exactly one intact block naming loaded
// records; false (and nothing usable) otherwise.
bool ReadBevelBlock(const uint8_t* data, std::size_t size, std::size_t records,
                    std::vector<BevelSettings>& bevels) {
    if (size < kBevelHeadSize + 4 || std::memcmp(data, kBevelMagic, 4) != 0) {
        return false;
    }
    const Reader r(data);
    const std::size_t count = r.U16(6);
    if (r.U16(4) != kBevelVersion || count < 1 || count > static_cast<std::size_t>(kSlotCount) ||
        size != kBevelHeadSize + kBevelEntrySize * count + 4 ||
        r.U32(size - 4) != Crc32(data, size - 4)) {
        return false;
    }
    bevels.assign(records, BevelSettings{});
    int previous = -1;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = kBevelHeadSize + kBevelEntrySize * k;
        const int index = r.U8(at);
        const uint8_t profile = r.U8(at + 1);
        const int segments = r.U8(at + 2);
        const uint8_t flags = r.U8(at + 3);
        BevelSettings bevel;
        bevel.width = r.F32(at + 4);
        bevel.depth = r.F32(at + 8);
        if (index <= previous || static_cast<std::size_t>(index) >= records ||
            (profile != 1 && profile != 2) || segments < 1 || segments > kMaxBevelSegments ||
            (profile == 1 && segments != 1) || (flags & ~1u) != 0 || !InBevelRange(bevel.width) ||
            !InBevelRange(bevel.depth)) {
            return false;
        }
        bevel.profile = profile == 2 ? BevelProfile::kRound : BevelProfile::kChamfer;
        bevel.segments = profile == 2 ? segments : BevelSettings{}.segments;
        bevel.backToo = (flags & 1u) != 0;
        bevels[static_cast<std::size_t>(index)] = bevel;
        previous = index;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> EncodeSceneFile(const Scene& scene) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kSceneFileReadLimit);
    Writer w(bytes);
    WriteHeader(w, scene);
    std::vector<const TextObject*> recordObjects;
    for (const TextObject& object : scene.objects) {
        if (object.glyphCount > 0) {
            WriteRecord(w, object);
            recordObjects.push_back(&object);
        }
    }
    WriteBevelBlock(bytes, recordObjects);
    return bytes;
}

SceneFileStatus DecodeSceneFile(const uint8_t* data, std::size_t size, Scene& scene) {
    if (size < kSceneHeaderSize || !HasMagic(data)) {
        return SceneFileStatus::kNotSceneFile;
    }
    ClearScene(scene);
    ReadSettings(Reader(data), scene);
    std::size_t at = kSceneHeaderSize;
    std::size_t records = 0;
    for (TextObject& object : scene.objects) {
        if (size - at < kSceneRecordSize) {
            break;
        }
        ReadRecord(Reader(data + at), object);
        at += kSceneRecordSize;
        ++records;
    }
    std::vector<BevelSettings> bevels;
    if (ReadBevelBlock(data + at, size - at, records, bevels)) {
        for (std::size_t k = 0; k < records; ++k) {
            scene.objects[k].bevel = bevels[k];
        }
    }
    return SceneFileStatus::kOk;
}

SceneFileStatus WriteSceneFile(const std::string& path, const Scene& scene) {
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    return ReplaceFileContents(path, bytes.data(), bytes.size()) ? SceneFileStatus::kOk
                                                                 : SceneFileStatus::kCannotWrite;
}

SceneFileStatus ReadSceneFile(const std::string& path, Scene& scene) {
    const FileHandle file = OpenRegularFile(path);
    if (!file) {
        return SceneFileStatus::kCannotOpen;
    }
    std::vector<uint8_t> bytes(kSceneFileReadLimit);
    const std::size_t size = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) {
        return SceneFileStatus::kCannotOpen;
    }
    return DecodeSceneFile(bytes.data(), size, scene);
}
