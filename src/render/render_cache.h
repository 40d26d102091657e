#pragma once
// What one GL context holds for drawing the document: a display list per distinct glyph solid,
// shared by every object that shows it, and a texture per picture file. The paint asks for what
// the objects describe, and after each frame whatever the scene no longer shows is freed. Built
// from the document's glyph source and pictures, so after a context re-creation it fills itself
// again.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "formats/texture_pictures.h"
#include "render/draw_source.h"
#include "scene/text_object.h"
#include "text/glyph_source.h"

class RenderCache : public DrawSource {
  public:
    RenderCache(GlyphSource& source, const TexturePictures& pictures)
        : source_(source), pictures_(pictures) {}
    // Deletes every name: the context must be current, or Abandon called first.
    ~RenderCache() override;
    RenderCache(const RenderCache&) = delete;
    RenderCache& operator=(const RenderCache&) = delete;

    // The display list of the object's glyph i, 0 when it draws nothing. Builds it when new.
    GLuint GlyphList(const TextObject& object, int glyph) override;
    // The object's texture, 0 when it has none. Uploads the picture when new.
    GLuint Texture(const TextObject& object) override;
    // Frees every entry that no object of the scene shows.
    void KeepOnly(const Scene& scene) override;
    // The context is gone: its names are dropped, never deleted (they may belong to the next).
    void Abandon();

    size_t GlyphListCount() const { return glyphs_.size(); }
    size_t TextureCount() const { return textures_.size(); }

  private:
    struct GlyphKey {
        uint32_t font;
        uint32_t glyph;  // GlyphId::Bits: by character, or by index once shaped
        uint32_t depthBits;
        uint32_t bevelWidthBits;
        uint32_t bevelDepthBits;
        int32_t bevelSegments;
        uint8_t bevelProfile;
        bool bevelBackToo;
        bool operator==(const GlyphKey& other) const;
    };
    struct GlyphKeyHash {
        size_t operator()(const GlyphKey& key) const;
    };
    struct Entry {
        GLuint name = 0;
        bool kept = false;
    };
    struct TextureEntry {
        std::shared_ptr<const TexturePicture> picture;
        Entry entry;
    };

    // nullopt when the glyph draws nothing; font is set to the object's font otherwise.
    std::optional<GlyphKey> KeyOf(const TextObject& object, int glyph, const ResolvedFont*& font);
    GLuint BuildGlyph(const ResolvedFont& font, GlyphId glyph, const TextObject& object);

    GlyphSource& source_;
    const TexturePictures& pictures_;
    std::unordered_map<GlyphKey, Entry, GlyphKeyHash> glyphs_;
    // By the path the objects store; an entry whose picture is no longer the one kept there is
    // replaced.
    std::unordered_map<std::string, TextureEntry> textures_;
};
