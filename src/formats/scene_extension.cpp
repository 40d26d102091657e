#include "formats/scene_extension.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "formats/little_endian.h"
#include "formats/scene_file.h"

namespace {

constexpr char kExtensionMagic[4] = {'V', 'M', 'K', 'X'};
constexpr char kBevelMagic[4] = {'V', 'M', 'K', 'B'};
constexpr uint16_t kVersion = 1;
constexpr std::size_t kHeadSize = 12;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBevelHeadSize = 8;
constexpr std::size_t kBevelEntrySize = 12;
constexpr std::size_t kCheckSize = 4;
// Bevel sizes are stored in 1/10000 em.
constexpr float kBevelUnitsPerEm = 10000.0f;
constexpr int kMaxBevelUnits = 500;

// Entry flags.
constexpr uint8_t kBackEdges = 1u << 0;
constexpr uint8_t kKerning = 1u << 1;
constexpr uint8_t kProportional = 1u << 2;
constexpr uint8_t kVertical = 1u << 3;
constexpr uint8_t kUprightLatin = 1u << 4;
constexpr int kAlignmentShift = 5;
constexpr uint8_t kAlignmentMask = 3u << kAlignmentShift;
// Scene flags.
constexpr uint8_t kGroundReflection = 1u << 0;
constexpr uint8_t kAmbientOcclusion = 1u << 1;

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

// Everything a record's entry holds, as the object keeps it.
struct ObjectExtras {
    BevelSettings bevel;
    TypographySettings typography;
    SurfaceSettings surface;
};

bool IsDefault(const TextObject& object) {
    return !object.bevel.Active() && object.typography == TypographySettings{} &&
           object.surface == SurfaceSettings{};
}

uint16_t BevelUnits(float em) {
    return static_cast<uint16_t>(
        std::clamp(static_cast<int>(std::lround(em * kBevelUnitsPerEm)), 1, kMaxBevelUnits));
}

void WriteEntry(LittleEndianWriter& w, std::size_t record, const TextObject& object) {
    const BevelSettings& bevel = object.bevel;
    const TypographySettings& t = object.typography;
    const bool bevelled = bevel.Active();
    const bool round = bevelled && bevel.profile == BevelProfile::kRound;
    uint8_t flags = static_cast<uint8_t>(static_cast<uint8_t>(t.alignment) << kAlignmentShift);
    flags |= bevelled && bevel.backToo ? kBackEdges : 0;
    flags |= t.kerning ? kKerning : 0;
    flags |= t.proportional ? kProportional : 0;
    flags |= t.vertical ? kVertical : 0;
    flags |= t.uprightLatin ? kUprightLatin : 0;
    w.U8(static_cast<uint8_t>(record));
    w.U8(flags);
    w.U8(bevelled ? (round ? 2 : 1) : 0);
    w.U8(static_cast<uint8_t>(
        bevelled ? (round ? std::clamp(bevel.segments, 1, kMaxBevelSegments) : 1) : 0));
    w.U16(bevelled ? BevelUnits(bevel.width) : 0);
    w.U16(bevelled ? BevelUnits(bevel.depth) : 0);
    w.U16(static_cast<uint16_t>(t.trackingMilliEm));
    w.U16(t.lineDistanceMilliEm);
    w.U8(object.surface.metallic);
    w.U8(object.surface.roughness);
    w.U8(static_cast<uint8_t>(object.surface.preset));
    w.U8(0);
}

// The entry's fields when every one is in range.
std::optional<ObjectExtras> ReadEntry(const LittleEndianReader& r, std::size_t at) {
    const uint8_t flags = r.U8(at + 1);
    const uint8_t profile = r.U8(at + 2);
    const int segments = r.U8(at + 3);
    const int width = r.U16(at + 4);
    const int depth = r.U16(at + 6);
    const int tracking = static_cast<int16_t>(r.U16(at + 8));
    const int lineDistance = r.U16(at + 10);
    const uint8_t preset = r.U8(at + 14);
    const int alignment = (flags & kAlignmentMask) >> kAlignmentShift;
    const bool bevelOk =
        profile == 0 ? segments == 0 && width == 0 && depth == 0 && (flags & kBackEdges) == 0
                     : profile <= 2 && segments >= 1 && segments <= kMaxBevelSegments &&
                           (profile == 2 || segments == 1) && width >= 1 &&
                           width <= kMaxBevelUnits && depth >= 1 && depth <= kMaxBevelUnits;
    if (!bevelOk || (flags & 0x80u) != 0 || alignment > 2 || tracking < kMinTrackingMilliEm ||
        tracking > kMaxTrackingMilliEm ||
        (lineDistance != 0 &&
         (lineDistance < kMinLineDistanceMilliEm || lineDistance > kMaxLineDistanceMilliEm)) ||
        preset > kLastMaterialPreset || r.U8(at + 15) != 0) {
        return std::nullopt;
    }
    ObjectExtras extras;
    if (profile != 0) {
        extras.bevel.profile = profile == 2 ? BevelProfile::kRound : BevelProfile::kChamfer;
        extras.bevel.segments = profile == 2 ? segments : BevelSettings{}.segments;
        extras.bevel.width = static_cast<float>(width) / kBevelUnitsPerEm;
        extras.bevel.depth = static_cast<float>(depth) / kBevelUnitsPerEm;
        extras.bevel.backToo = (flags & kBackEdges) != 0;
    }
    TypographySettings& t = extras.typography;
    t.kerning = (flags & kKerning) != 0;
    t.proportional = (flags & kProportional) != 0;
    t.vertical = (flags & kVertical) != 0;
    t.uprightLatin = (flags & kUprightLatin) != 0;
    t.alignment = static_cast<TextAlignment>(alignment);
    t.trackingMilliEm = static_cast<int16_t>(tracking);
    t.lineDistanceMilliEm = static_cast<uint16_t>(lineDistance);
    extras.surface.metallic = r.U8(at + 12);
    extras.surface.roughness = r.U8(at + 13);
    extras.surface.preset = static_cast<MaterialPreset>(preset);
    return extras;
}

bool InBevelRange(float v) {
    return v > 0.0f && v <= kMaxBevelSize;
}

// The older block: bevels only, sizes as floats.
std::optional<ObjectExtras> ReadBevelEntry(const LittleEndianReader& r, std::size_t at) {
    const uint8_t profile = r.U8(at + 1);
    const int segments = r.U8(at + 2);
    const uint8_t flags = r.U8(at + 3);
    BevelSettings bevel;
    bevel.width = r.F32(at + 4);
    bevel.depth = r.F32(at + 8);
    if ((profile != 1 && profile != 2) || segments < 1 || segments > kMaxBevelSegments ||
        (profile == 1 && segments != 1) || (flags & ~1u) != 0 || !InBevelRange(bevel.width) ||
        !InBevelRange(bevel.depth)) {
        return std::nullopt;
    }
    bevel.profile = profile == 2 ? BevelProfile::kRound : BevelProfile::kChamfer;
    bevel.segments = profile == 2 ? segments : BevelSettings{}.segments;
    bevel.backToo = (flags & 1u) != 0;
    // Held in the unit the next save keeps, so that a save and reopen changes nothing.
    bevel.width = static_cast<float>(BevelUnits(bevel.width)) / kBevelUnitsPerEm;
    bevel.depth = static_cast<float>(BevelUnits(bevel.depth)) / kBevelUnitsPerEm;
    ObjectExtras extras;
    extras.bevel = bevel;
    return extras;
}

// Entries start at first, each size bytes, the record index in their first byte, ascending.
bool ReadEntries(const LittleEndianReader& r, std::size_t first, std::size_t size,
                 std::size_t count, std::size_t records,
                 std::optional<ObjectExtras> (*read)(const LittleEndianReader&, std::size_t),
                 std::vector<ObjectExtras>& extras) {
    extras.assign(records, ObjectExtras{});
    int previous = -1;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = first + size * k;
        const int index = r.U8(at);
        const std::optional<ObjectExtras> entry = read(r, at);
        if (index <= previous || static_cast<std::size_t>(index) >= records || !entry) {
            return false;
        }
        extras[static_cast<std::size_t>(index)] = *entry;
        previous = index;
    }
    return true;
}

bool ReadBevelBlock(const uint8_t* data, std::size_t size, std::size_t records,
                    std::vector<ObjectExtras>& extras) {
    const LittleEndianReader r(data);
    if (size < kBevelHeadSize + kCheckSize) {
        return false;
    }
    const std::size_t count = r.U16(6);
    return r.U16(4) == kVersion && count >= 1 && count <= static_cast<std::size_t>(kSlotCount) &&
           size == kBevelHeadSize + kBevelEntrySize * count + kCheckSize &&
           r.U32(size - kCheckSize) == Crc32(data, size - kCheckSize) &&
           ReadEntries(r, kBevelHeadSize, kBevelEntrySize, count, records, ReadBevelEntry, extras);
}

bool ReadExtensionBlock(const uint8_t* data, std::size_t size, std::size_t records,
                        StudioSettings& studio, std::vector<ObjectExtras>& extras) {
    const LittleEndianReader r(data);
    if (size < kHeadSize + kCheckSize || r.U16(4) != kVersion ||
        r.U32(size - kCheckSize) != Crc32(data, size - kCheckSize)) {
        return false;
    }
    const uint8_t look = r.U8(6);
    const uint8_t environment = r.U8(7);
    const int exposure = static_cast<int8_t>(r.U8(8));
    const uint8_t flags = r.U8(10);
    const std::size_t count = r.U8(11);
    const std::size_t pathAt = kHeadSize + kEntrySize * count;
    std::size_t pathLength = 0;
    if (environment == 1 && pathAt < size - kCheckSize) {
        pathLength = r.U8(pathAt);
    }
    const std::size_t expected = pathAt + (environment == 1 ? 1 + pathLength : 0) + kCheckSize;
    if (look > 1 || environment > 1 || std::abs(exposure) > kMaxExposureTenthsEv ||
        (flags & ~(kGroundReflection | kAmbientOcclusion)) != 0 ||
        count > static_cast<std::size_t>(kSlotCount) || size != expected ||
        (environment == 1 && (pathLength < 1 || pathLength > kMaxEnvironmentPathBytes)) ||
        (environment == 1 && std::memchr(data + pathAt + 1, 0, pathLength) != nullptr) ||
        !ReadEntries(r, kHeadSize, kEntrySize, count, records, ReadEntry, extras)) {
        return false;
    }
    studio.look = static_cast<SceneLook>(look);
    studio.environmentFile.assign(reinterpret_cast<const char*>(data + pathAt + 1), pathLength);
    studio.exposureTenthsEv = static_cast<int8_t>(exposure);
    studio.shadowSoftness = r.U8(9);
    studio.groundReflection = (flags & kGroundReflection) != 0;
    studio.ambientOcclusion = (flags & kAmbientOcclusion) != 0;
    return true;
}

}  // namespace

std::vector<uint8_t> EncodeSceneExtension(const Scene& scene,
                                          const std::vector<const TextObject*>& recordObjects,
                                          bool* environmentDropped) {
    std::vector<std::size_t> entries;
    for (std::size_t k = 0; k < recordObjects.size(); ++k) {
        if (!IsDefault(*recordObjects[k])) {
            entries.push_back(k);
        }
    }
    std::vector<uint8_t> block;
    if (entries.empty() && scene.studio == StudioSettings{}) {
        return block;
    }
    const StudioSettings& studio = scene.studio;
    // With fewer than 32 records the block must stay shorter than a record, or readers that
    // follow the record layout would take it for one: the path goes first.
    // A cut path would name another file: a path too long is dropped whole.
    const std::size_t withoutPath = kHeadSize + kEntrySize * entries.size() + kCheckSize;
    const std::size_t pathLength = studio.environmentFile.size();
    const bool keepsPath = pathLength > 0 && pathLength <= kMaxEnvironmentPathBytes &&
                           (recordObjects.size() == static_cast<std::size_t>(kSlotCount) ||
                            withoutPath + 1 + pathLength < kSceneRecordSize);
    if (environmentDropped != nullptr) {
        *environmentDropped = pathLength > 0 && !keepsPath;
    }
    LittleEndianWriter w(block);
    for (char c : kExtensionMagic) {
        w.U8(static_cast<uint8_t>(c));
    }
    w.U16(kVersion);
    w.U8(static_cast<uint8_t>(studio.look));
    w.U8(keepsPath ? 1 : 0);
    w.U8(static_cast<uint8_t>(std::clamp(static_cast<int>(studio.exposureTenthsEv),
                                         -kMaxExposureTenthsEv, kMaxExposureTenthsEv)));
    w.U8(studio.shadowSoftness);
    w.U8(static_cast<uint8_t>((studio.groundReflection ? kGroundReflection : 0) |
                              (studio.ambientOcclusion ? kAmbientOcclusion : 0)));
    w.U8(static_cast<uint8_t>(entries.size()));
    for (std::size_t k : entries) {
        WriteEntry(w, k, *recordObjects[k]);
    }
    if (keepsPath) {
        w.U8(static_cast<uint8_t>(pathLength));
        block.insert(block.end(), studio.environmentFile.begin(),
                     studio.environmentFile.begin() + static_cast<std::ptrdiff_t>(pathLength));
    }
    w.U32(Crc32(block.data(), block.size()));
    return block;
}

SceneExtensionRead DecodeSceneExtension(const uint8_t* data, std::size_t size, std::size_t records,
                                        Scene& scene) {
    if (size < sizeof kExtensionMagic) {
        return SceneExtensionRead::kNone;
    }
    StudioSettings studio;
    std::vector<ObjectExtras> extras;
    bool intact = false;
    if (std::memcmp(data, kExtensionMagic, sizeof kExtensionMagic) == 0) {
        intact = ReadExtensionBlock(data, size, records, studio, extras);
    } else if (std::memcmp(data, kBevelMagic, sizeof kBevelMagic) == 0) {
        intact = ReadBevelBlock(data, size, records, extras);
    } else {
        return SceneExtensionRead::kNone;
    }
    if (!intact) {
        return SceneExtensionRead::kDamaged;
    }
    scene.studio = studio;
    for (std::size_t k = 0; k < records; ++k) {
        TextObject& object = scene.objects[k];
        object.bevel = extras[k].bevel;
        object.typography = extras[k].typography;
        object.surface = extras[k].surface;
    }
    return SceneExtensionRead::kApplied;
}
