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
        Delete(entry);
    }
    for (const auto& [path, texture] : textures_) {
        DeleteTexture(texture.name);
    }
}

void RenderCache::Abandon() {
    gl_.reset();
    glyphs_.clear();
    textures_.clear();
}

void RenderCache::Delete(const GlyphEntry& entry) const {
    if (entry.list.value_or(0) != 0) {
        glDeleteLists(*entry.list, 1);
    }
    if (entry.mesh && entry.mesh->buffer != 0) {
        gl_->deleteBuffers(1, &entry.mesh->buffer);
    }
}

GlyphMesh RenderCache::Solid(const ResolvedFont& font, GlyphId glyph, const TextObject& object) {
    GlyphOutlineCache& outlines = source_.outlines();
    const auto outline = outlines.Outline(font, glyph);
    if (!outline) {
        return {};
    }
    if (object.bevel.Active() && !outlines.HasInset(font, glyph, object.bevel)) {
        // The object's other glyphs will be asked for next: make all their bevels at once.
        outlines.PrepareInsets(font, object, object.bevel);
    }
    return outlines.Solid(font, glyph, *outline, object.scale[2], object.bevel);
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

RenderCache::GlyphEntry* RenderCache::FindOrAdd(const TextObject& object, int glyph,
                                                const ResolvedFont*& font) {
    const std::optional<GlyphKey> key = KeyOf(object, glyph, font);
    return key ? &glyphs_[*key] : nullptr;
}

GLuint RenderCache::GlyphList(const TextObject& object, int glyph) {
    const ResolvedFont* font = nullptr;
    GlyphEntry* entry = FindOrAdd(object, glyph, font);
    if (entry == nullptr) {
        return 0;
    }
    if (!entry->list) {
        const GlyphMesh mesh = Solid(*font, GlyphId::OfObjectGlyph(object, glyph), object);
        entry->list = 0;
        if (!mesh.indices.empty()) {
            entry->list = glGenLists(1);
            CompileGlyphList(*entry->list, mesh);
        }
    }
    return *entry->list;
}

void RenderCache::DrawGlyph(const TextObject& object, int glyph) {
    if (const GLuint list = GlyphList(object, glyph)) {
        glCallList(list);
    }
}

void RenderCache::DrawGlyphFromBuffer(const TextObject& object, int glyph) {
    if (const GlyphBuffer* mesh = Mesh(object, glyph)) {
        DrawGlyphBuffer(*gl_, *mesh);
        return;
    }
    DrawGlyph(object, glyph);
}

const GlyphBuffer* RenderCache::Mesh(const TextObject& object, int glyph) {
    const ResolvedFont* font = nullptr;
    GlyphEntry* entry = FindOrAdd(object, glyph, font);
    if (entry == nullptr) {
        return nullptr;
    }
    if (!entry->mesh) {
        if (!gl_) {
            gl_ = LoadBufferFunctions();
        }
        entry->mesh = gl_->Complete()
                          ? UploadGlyphBuffer(
                                *gl_, Solid(*font, GlyphId::OfObjectGlyph(object, glyph), object))
                          : GlyphBuffer{};
    }
    return entry->mesh->buffer != 0 ? &*entry->mesh : nullptr;
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
        DeleteTexture(it->second.name);
        textures_.erase(it);
        it = textures_.end();
    }
    if (it == textures_.end()) {
        it = textures_.emplace(path, TextureEntry{picture, UploadTexture(picture->image)}).first;
    }
    return it->second.name;
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
                it->second.kept = true;
            }
        }
    }
    for (auto it = glyphs_.begin(); it != glyphs_.end();) {
        if (std::exchange(it->second.kept, false)) {
            ++it;
            continue;
        }
        Delete(it->second);
        it = glyphs_.erase(it);
    }
    for (auto it = textures_.begin(); it != textures_.end();) {
        if (std::exchange(it->second.kept, false)) {
            ++it;
            continue;
        }
        DeleteTexture(it->second.name);
        it = textures_.erase(it);
    }
}
