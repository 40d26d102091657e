#include "render/render_cache.h"

#include <cstring>
#include <utility>

#include "render/outline_display_list.h"
#include "render/texture.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void DeleteTexture(GLuint name) {
    glDeleteTextures(1, &name);
}

}  // namespace

bool RenderCache::GlyphKey::operator==(const GlyphKey& other) const {
    return font == other.font && glyph == other.glyph && depthBits == other.depthBits &&
           bevelWidthBits == other.bevelWidthBits && bevelDepthBits == other.bevelDepthBits &&
           bevelSegments == other.bevelSegments && bevelProfile == other.bevelProfile &&
           bevelBackToo == other.bevelBackToo;
}

size_t RenderCache::GlyphKeyHash::operator()(const GlyphKey& key) const {
    size_t hash = size_t{key.font} * 1000003u ^ key.glyph;
    for (const uint32_t part : {key.depthBits, key.bevelWidthBits, key.bevelDepthBits,
                                static_cast<uint32_t>(key.bevelSegments),
                                uint32_t{key.bevelProfile}, uint32_t{key.bevelBackToo}}) {
        hash = hash * 31u + part;
    }
    return hash;
}

RenderCache::~RenderCache() {
    for (const auto& [key, entry] : glyphs_) {
        if (entry.name != 0) {
            glDeleteLists(entry.name, 1);
        }
    }
    for (const auto& [path, texture] : textures_) {
        DeleteTexture(texture.entry.name);
    }
}

void RenderCache::Abandon() {
    glyphs_.clear();
    textures_.clear();
}

GLuint RenderCache::BuildGlyph(const ResolvedFont& font, GlyphId glyph, const TextObject& object) {
    const auto outline = source_.outlines().Outline(font, glyph);
    if (!outline) {
        return 0;
    }
    const GLuint list = glGenLists(1);
    CompileGlyphList(
        list, source_.outlines().Solid(font, glyph, *outline, object.scale[2], object.bevel));
    return list;
}

std::optional<RenderCache::GlyphKey> RenderCache::KeyOf(const TextObject& object, int glyph,
                                                        const ResolvedFont*& font) {
    const GlyphId id = GlyphId::OfObjectGlyph(object, glyph);
    font = id.IsNone() ? nullptr : source_.ObjectFont(object);
    if (font == nullptr) {
        return std::nullopt;
    }
    // Without a bevel its settings shape nothing, so they do not part otherwise equal solids.
    const BevelSettings& bevel = object.bevel;
    const bool active = bevel.Active();
    return GlyphKey{font->id,
                    id.Bits(),
                    Bits(object.scale[2]),
                    Bits(active ? bevel.width : 0.0f),
                    Bits(active ? bevel.depth : 0.0f),
                    active ? bevel.segments : 0,
                    static_cast<uint8_t>(active ? bevel.profile : BevelProfile::kNone),
                    active && bevel.backToo};
}

GLuint RenderCache::GlyphList(const TextObject& object, int glyph) {
    const ResolvedFont* font = nullptr;
    const std::optional<GlyphKey> key = KeyOf(object, glyph, font);
    if (!key) {
        return 0;
    }
    if (auto it = glyphs_.find(*key); it != glyphs_.end()) {
        return it->second.name;
    }
    const GLuint list = BuildGlyph(*font, GlyphId::OfObjectGlyph(object, glyph), object);
    glyphs_.emplace(*key, Entry{list});
    return list;
}

GLuint RenderCache::Texture(const TextObject& object) {
    if (!object.hasTexture) {
        return 0;
    }
    const std::string path(object.TextureFile());
    const std::shared_ptr<const TexturePicture> picture = pictures_.Find(path);
    if (!picture) {
        return 0;
    }
    auto it = textures_.find(path);
    if (it != textures_.end() && it->second.picture != picture) {
        DeleteTexture(it->second.entry.name);
        textures_.erase(it);
        it = textures_.end();
    }
    if (it == textures_.end()) {
        it = textures_.emplace(path, TextureEntry{picture, Entry{UploadTexture(picture->image)}})
                 .first;
    }
    return it->second.entry.name;
}

void RenderCache::KeepOnly(const Scene& scene) {
    for (const TextObject& object : scene.objects) {
        for (int glyph = 0; glyph < object.glyphCount; ++glyph) {
            const ResolvedFont* font = nullptr;
            if (const std::optional<GlyphKey> key = KeyOf(object, glyph, font)) {
                if (auto it = glyphs_.find(*key); it != glyphs_.end()) {
                    it->second.kept = true;
                }
            }
        }
        if (object.hasTexture) {
            if (auto it = textures_.find(std::string(object.TextureFile()));
                it != textures_.end()) {
                it->second.entry.kept = true;
            }
        }
    }
    for (auto it = glyphs_.begin(); it != glyphs_.end();) {
        if (std::exchange(it->second.kept, false)) {
            ++it;
            continue;
        }
        if (it->second.name != 0) {
            glDeleteLists(it->second.name, 1);
        }
        it = glyphs_.erase(it);
    }
    for (auto it = textures_.begin(); it != textures_.end();) {
        if (std::exchange(it->second.entry.kept, false)) {
            ++it;
            continue;
        }
        DeleteTexture(it->second.entry.name);
        it = textures_.erase(it);
    }
}
