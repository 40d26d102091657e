#pragma once
// How an object's characters are set: shaping features, direction, alignment and spacing. Kept
// with the scene file so that no save loses them; the defaults set text as it always was.

#include <cstdint>

enum class TextAlignment : uint8_t { kCentre = 0, kLeft = 1, kRight = 2 };

inline constexpr int kMinTrackingMilliEm = -500;
inline constexpr int kMaxTrackingMilliEm = 2000;
inline constexpr int kMinLineDistanceMilliEm = 800;
inline constexpr int kMaxLineDistanceMilliEm = 3000;

struct TypographySettings {
    bool kerning = false;
    bool proportional = false;  // the font's proportional alternates (palt)
    bool vertical = false;
    bool uprightLatin = false;  // Latin letters stand upright in vertical text
    TextAlignment alignment = TextAlignment::kCentre;
    int16_t trackingMilliEm = 0;
    uint16_t lineDistanceMilliEm = 0;  // 0: the face's own line height

    bool operator==(const TypographySettings& other) const {
        return kerning == other.kerning && proportional == other.proportional &&
               vertical == other.vertical && uprightLatin == other.uprightLatin &&
               alignment == other.alignment && trackingMilliEm == other.trackingMilliEm &&
               lineDistanceMilliEm == other.lineDistanceMilliEm;
    }
    bool operator!=(const TypographySettings& other) const { return !(*this == other); }
    // Every setting as it always was: the characters simply follow one another.
    bool IsDefault() const { return *this == TypographySettings{}; }
};
