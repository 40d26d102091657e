#include "text/outline_glyph_cache.h"

#include <unordered_map>

namespace {

// Roughly 100 MB of outlines (some 15,000 kanji); past that the cache starts again rather
// than grow without end.
constexpr size_t kMaxCachedBytes = 100u << 20;

struct Key {
    uint32_t font;
    char32_t character;
    bool operator==(const Key& other) const {
        return font == other.font && character == other.character;
    }
};

struct KeyHash {
    size_t operator()(const Key& k) const { return size_t{k.font} * 1000003u ^ k.character; }
};

struct Cache {
    std::unordered_map<Key, std::shared_ptr<const GlyphOutline>, KeyHash> entries;
    size_t bytes = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

size_t Footprint(const GlyphOutline& outline) {
    const FaceTriangulation& face = outline.face;
    return sizeof outline + face.vertices.size() * sizeof face.vertices[0] +
           face.triangles.size() * sizeof face.triangles[0] +
           face.boundary.size() * sizeof face.boundary[0];
}

}  // namespace

std::shared_ptr<const GlyphOutline> CachedGlyphOutline(const ResolvedFont& font,
                                                       char32_t character) {
    const Key key{font.id, character};
    Cache& cache = TheCache();
    if (auto it = cache.entries.find(key); it != cache.entries.end()) {
        return it->second;
    }
    std::shared_ptr<GlyphOutline> outline = BuildGlyphOutline(font, character);
    if (!outline) {
        return nullptr;
    }
    outline->face.vertices.shrink_to_fit();
    outline->face.triangles.shrink_to_fit();
    outline->face.boundary.shrink_to_fit();
    const size_t bytes = Footprint(*outline);
    if (cache.bytes + bytes > kMaxCachedBytes) {
        ClearGlyphOutlineCache();
    }
    cache.bytes += bytes;
    cache.entries.emplace(key, outline);
    return outline;
}

void ClearGlyphOutlineCache() {
    TheCache().entries.clear();
    TheCache().bytes = 0;
}
