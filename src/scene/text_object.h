#pragma once
// One of the scene's 32 text-object slots: string, font, transform, material, the laid-out
// characters and the texture file. Plain values: the GL side is kept by each view's render cache.

#include <cstdint>
#include <string_view>

#include "scene/studio_look.h"
#include "scene/typography.h"

// Per-glyph outline metrics in em units, laid out as the outline builder reports them.
struct GlyphMetricsFloat {
    float gmfBlackBoxX = 0.0f;
    float gmfBlackBoxY = 0.0f;
    struct {
        float x = 0.0f;
        float y = 0.0f;
    } gmfptGlyphOrigin;
    float gmfCellIncX = 0.0f;
    float gmfCellIncY = 0.0f;
};

// "ＭＳ 明朝" in CP932.
inline constexpr char kDefaultFaceName[] = "\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
inline constexpr uint8_t kShiftJisCharSet = 128;
inline constexpr int kMaxGlyphs = 128;

// Where a typeset glyph's origin sits, in em from the text block's foot (the last line's
// baseline, or the longest column's end), and whether it lies turned a quarter clockwise (Latin
// in a column).
struct GlyphPlacement {
    float x = 0.0f;
    float y = 0.0f;
    bool sideways = false;
};

enum class BevelProfile : uint8_t { kNone = 0, kChamfer = 1, kRound = 2 };

inline constexpr float kMaxBevelSize = 0.05f;  // em, for width and depth alike
inline constexpr int kMaxBevelSegments = 8;

// How the front (and optionally back) edges of the object's glyph solids are cut.
struct BevelSettings {
    BevelProfile profile = BevelProfile::kNone;
    float width = 0.02f;   // em, inwards from the outline
    float depth = 0.02f;   // em, along z
    int32_t segments = 4;  // round profile only
    bool backToo = false;

    bool Active() const { return profile != BevelProfile::kNone && width > 0.0f && depth > 0.0f; }
    bool operator==(const BevelSettings& other) const {
        return profile == other.profile && width == other.width && depth == other.depth &&
               segments == other.segments && backToo == other.backToo;
    }
    bool operator!=(const BevelSettings& other) const { return !(*this == other); }
};

class TextObject {
  public:
    TextObject();

    // Forgets the laid-out characters; the slot becomes free. Nothing else changes.
    void ClearGlyphs() {
        glyphCount = 0;
        typeset = false;
    }
    // Back to every default, texture included; index stays.
    void ResetObject();
    void SetIndex(int32_t slot) { index = slot; }
    // Stores at most 127 bytes; returns false when the text had to be cut.
    bool SetText(std::string_view cp932);
    void SetFont(std::string_view cp932FaceName, int32_t italicFlag, uint8_t characterSet);
    void SetPosition(float x, float y, float z);
    void SetRotation(float x, float y, float z);
    void SetScale(float x, float y, float z);

    bool IsLive() const { return glyphCount > 0; }
    std::string_view Text() const;
    std::string_view FaceName() const;
    std::string_view TextureFile() const;
    bool SetTextureFile(std::string_view cp932Path);

    char text[128];
    int32_t index = 0;
    int32_t glyphCount = 0;
    // The character each glyph shows, 0 where none could be built (it draws nothing).
    char32_t glyphCharacters[kMaxGlyphs] = {};
    char faceName[64];
    int32_t italic = 0;
    uint8_t charSet = kShiftJisCharSet;
    GlyphMetricsFloat glyphMetrics[kMaxGlyphs] = {};
    float textBottom = 0.0f;
    float position[3] = {0.0f, 0.0f, 0.0f};
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    float scale[3] = {1.0f, 1.0f, 0.3f};
    float textWidth = 0.0f;
    float textHeight = 0.0f;
    int32_t highlighted = 0;
    int32_t touched = 0;
    float diffuse[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    float specular[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    float ambient[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    float shininess = 20.0f;
    // The picture of textureFile was read and is drawn over the glyphs.
    bool hasTexture = false;
    char textureFile[256];
    BevelSettings bevel;
    // Left out of pictures, shadow included: an animation's object before its entrance.
    bool hidden = false;
    TypographySettings typography;
    SurfaceSettings surface;
    // Set when the glyphs were shaped and placed (typography or several lines): glyph i is the
    // font's glyph glyphIndices[i] at glyphPlacements[i]. Otherwise each glyph shows its
    // character and the next one follows at its advance.
    bool typeset = false;
    uint32_t glyphIndices[kMaxGlyphs] = {};
    GlyphPlacement glyphPlacements[kMaxGlyphs] = {};
};
