#include "formats/scene_file.h"

#include <cstdio>
#include <cstring>

#include "formats/little_endian.h"
#include "formats/regular_file.h"
#include "formats/replace_file.h"
#include "formats/scene_extension.h"
#include "scene/fixed_field.h"

namespace {

constexpr char kVersion[] = "1.00";
constexpr char kMagic[] = "vellumark";
constexpr std::size_t kMagicOffset = 10;
constexpr std::size_t kMagicWidth = 10;
constexpr std::size_t kSettingsOffset = 20;

void WriteHeader(LittleEndianWriter& w, const Scene& scene) {
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

void WriteRecord(LittleEndianWriter& w, const TextObject& object) {
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
    const LittleEndianReader r(header);
    const char* field = reinterpret_cast<const char*>(header + kMagicOffset);
    // Compared as a terminated string: the magic's NUL must lie inside the field.
    return std::memchr(field, 0, kMagicWidth) != nullptr &&
           r.Field(kMagicOffset, kMagicWidth) == kMagic;
}

void ReadSettings(const LittleEndianReader& r, Scene& scene) {
    std::size_t at = r.Floats(kSettingsOffset, scene.light.position);
    scene.shadow.enabled = r.I32(at);
    at = r.Floats(at + 4, scene.shadow.plane);
    at = r.Floats(at, scene.shadow.color);
    at = r.Floats(at, scene.backgroundColor);
    const float perspective = r.F32(at);
    // NaN fails the comparison too.
    scene.view.perspective = perspective > 0.0f ? perspective : 1.0f;
}

void ReadRecord(const LittleEndianReader& r, TextObject& object) {
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

}  // namespace

std::vector<uint8_t> EncodeSceneFile(const Scene& scene, SceneSaveNotes* notes) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kSceneFileReadLimit);
    LittleEndianWriter w(bytes);
    WriteHeader(w, scene);
    std::vector<const TextObject*> recordObjects;
    for (const TextObject& object : scene.objects) {
        if (object.glyphCount > 0) {
            WriteRecord(w, object);
            recordObjects.push_back(&object);
        }
    }
    const std::vector<uint8_t> extension = EncodeSceneExtension(
        scene, recordObjects, notes != nullptr ? &notes->environmentDropped : nullptr);
    bytes.insert(bytes.end(), extension.begin(), extension.end());
    return bytes;
}

SceneFileStatus DecodeSceneFile(const uint8_t* data, std::size_t size, Scene& scene,
                                SceneFileNotes* notes) {
    if (size < kSceneHeaderSize || !HasMagic(data)) {
        return SceneFileStatus::kNotSceneFile;
    }
    ClearScene(scene);
    scene.studio = StudioSettings{};
    ReadSettings(LittleEndianReader(data), scene);
    std::size_t at = kSceneHeaderSize;
    std::size_t records = 0;
    for (TextObject& object : scene.objects) {
        if (size - at < kSceneRecordSize) {
            break;
        }
        ReadRecord(LittleEndianReader(data + at), object);
        at += kSceneRecordSize;
        ++records;
    }
    const SceneExtensionRead extension = DecodeSceneExtension(data + at, size - at, records, scene);
    if (notes != nullptr) {
        notes->extensionDamaged = extension == SceneExtensionRead::kDamaged;
    }
    return SceneFileStatus::kOk;
}

SceneFileStatus WriteSceneFile(const std::string& path, const Scene& scene, SceneSaveNotes* notes) {
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene, notes);
    return ReplaceFileContents(path, bytes.data(), bytes.size()) ? SceneFileStatus::kOk
                                                                 : SceneFileStatus::kCannotWrite;
}

SceneFileStatus ReadSceneFile(const std::string& path, Scene& scene, SceneFileNotes* notes) {
    const FileHandle file = OpenRegularFile(path);
    if (!file) {
        return SceneFileStatus::kCannotOpen;
    }
    std::vector<uint8_t> bytes(kSceneFileReadLimit);
    const std::size_t size = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) {
        return SceneFileStatus::kCannotOpen;
    }
    return DecodeSceneFile(bytes.data(), size, scene, notes);
}
