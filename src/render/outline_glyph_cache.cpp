#include "render/outline_glyph_cache.h"

#include <cstring>
#include <unordered_map>

namespace {

// About 50 MB of vertices; past that the cache starts again rather than grow without end.
constexpr size_t kMaxCachedVertices = 2'000'000;

struct Key {
    uint32_t font;
    char32_t character;
    uint32_t depthBits;
    bool operator==(const Key& other) const {
        return font == other.font && character == other.character && depthBits == other.depthBits;
    }
};

struct KeyHash {
    size_t operator()(const Key& k) const {
        size_t h = k.font;
        h = h * 1000003u ^ k.character;
        return h * 1000003u ^ k.depthBits;
    }
};

struct Cache {
    std::unordered_map<Key, std::shared_ptr<const GlyphGeometry>, KeyHash> entries;
    size_t vertices = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

}  // namespace

std::shared_ptr<const GlyphGeometry> CachedGlyphGeometry(const ResolvedFont& font,
                                                         char32_t character, float depth) {
    uint32_t depthBits = 0;
    std::memcpy(&depthBits, &depth, sizeof depthBits);
    const Key key{font.id, character, depthBits};
    Cache& cache = TheCache();
    if (auto it = cache.entries.find(key); it != cache.entries.end()) {
        return it->second;
    }
    std::shared_ptr<const GlyphGeometry> geometry = BuildGlyphGeometry(font, character, depth);
    if (!geometry) {
        return nullptr;
    }
    if (cache.vertices + geometry->mesh.vertices.size() > kMaxCachedVertices) {
        ClearGlyphGeometryCache();
    }
    cache.vertices += geometry->mesh.vertices.size();
    cache.entries.emplace(key, geometry);
    return geometry;
}

void ClearGlyphGeometryCache() {
    TheCache().entries.clear();
    TheCache().vertices = 0;
}
