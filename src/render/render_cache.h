#pragma once
// What one GL context holds for drawing the document: per distinct glyph solid a display list and
// a vertex buffer (each made when first asked for), shared by every object that shows it, and a
// texture per picture file. The paint asks for what the objects describe, and after each frame
// whatever the scene no longer shows is freed. Built from the document's glyph source and
// pictures, so after a context re-creation it fills itself again.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "formats/texture_pictures.h"
#include "render/buffer_functions.h"
#include "render/draw_source.h"
#include "render/glyph_buffer.h"
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

    // Calls the glyph's display list: on llvmpipe as fast as the vertex buffer or faster.
    void DrawGlyph(const TextObject& object, int glyph) override;
    // Draws the glyph's vertex buffer (the display list where the driver has no buffers).
    void DrawGlyphFromBuffer(const TextObject& object, int glyph) override;
    // The display list of the object's glyph i, 0 when it draws nothing. Builds it when new.
    GLuint GlyphList(const TextObject& object, int glyph);
    // The vertex buffer of the object's glyph i, nullptr when it draws nothing or the driver has no
    // buffers. Builds it when new; valid until the next KeepOnly, Abandon or destruction.
    const GlyphBuffer* Mesh(const TextObject& object, int glyph);
    // The object's texture, 0 when it has none. Uploads the picture when new.
    GLuint Texture(const TextObject& object) override;
    // Frees every entry that no object of the scene shows.
    void KeepOnly(const Scene& scene) override;
    // The context is gone: its names are dropped, never deleted (they may belong to the next).
    void Abandon();

    // Distinct glyph solids held, with a list, a buffer or both.
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
    struct GlyphEntry {
        std::optional<GLuint> list;
        std::optional<GlyphBuffer> mesh;
        bool kept = false;
    };
    struct TextureEntry {
        std::shared_ptr<const TexturePicture> picture;
        GLuint name = 0;
        bool kept = false;
    };

    // nullopt when the glyph draws nothing; font is set to the object's font otherwise.
    std::optional<GlyphKey> KeyOf(const TextObject& object, int glyph, const ResolvedFont*& font);
    // The entry of the object's glyph i, made empty when new; nullptr when it draws nothing.
    GlyphEntry* FindOrAdd(const TextObject& object, int glyph, const ResolvedFont*& font);
    // The glyph's solid, empty when it has no outline.
    GlyphMesh Solid(const ResolvedFont& font, GlyphId glyph, const TextObject& object);
    void Delete(const GlyphEntry& entry) const;

    GlyphSource& source_;
    const TexturePictures& pictures_;
    // Loaded with the first buffer, as Windows' drivers answer only with their context current.
    std::optional<BufferFunctions> gl_;
    std::unordered_map<GlyphKey, GlyphEntry, GlyphKeyHash> glyphs_;
    // By the path the objects store; an entry whose picture is no longer the one kept there is
    // replaced.
    std::unordered_map<std::string, TextureEntry> textures_;
};
