#include "text/outline_glyph_cache.h"

#include <cstring>
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

struct InsetKey {
    Key glyph;
    uint32_t widthBits;
    int steps;
    bool operator==(const InsetKey& other) const {
        return glyph == other.glyph && widthBits == other.widthBits && steps == other.steps;
    }
};

struct InsetKeyHash {
    size_t operator()(const InsetKey& k) const {
        return KeyHash{}(k.glyph) ^ (size_t{k.widthBits} * 31u + static_cast<size_t>(k.steps));
    }
};

struct Cache {
    std::unordered_map<Key, std::shared_ptr<const GlyphOutline>, KeyHash> entries;
    std::unordered_map<InsetKey, std::shared_ptr<const BevelledFace>, InsetKeyHash> insets;
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
           face.boundary.size() * sizeof face.boundary[0] +
           face.polygons.size() * sizeof face.polygons[0] + face.boundary.size() * sizeof(uint32_t);
}

size_t Footprint(const BevelledFace& inset) {
    size_t bytes = sizeof inset + inset.capVertices.size() * sizeof inset.capVertices[0] +
                   inset.capTriangles.size() * sizeof inset.capTriangles[0];
    for (const BevelRing& ring : inset.rings) {
        bytes += sizeof ring + ring.outline.size() * sizeof ring.outline[0] +
                 ring.rows.size() * sizeof ring.rows[0];
    }
    return bytes;
}

}  // namespace

std::shared_ptr<const BevelledFace> CachedBevelledFace(const ResolvedFont& font, char32_t character,
                                                       const GlyphOutline& outline,
                                                       const BevelSettings& bevel) {
    InsetKey key{{font.id, character}, 0, BevelSteps(bevel)};
    std::memcpy(&key.widthBits, &bevel.width, sizeof key.widthBits);
    Cache& cache = TheCache();
    if (auto it = cache.insets.find(key); it != cache.insets.end()) {
        return it->second;
    }
    auto inset = std::make_shared<BevelledFace>(InsetFace(outline.face, bevel.width, key.steps));
    const size_t bytes = Footprint(*inset);
    if (cache.bytes + bytes > kMaxCachedBytes) {
        ClearGlyphOutlineCache();
    }
    cache.bytes += bytes;
    cache.insets.emplace(key, inset);
    return inset;
}

GlyphMesh CachedGlyphSolid(const ResolvedFont& font, char32_t character,
                           const GlyphOutline& outline, float depth, const BevelSettings& bevel) {
    if (!bevel.Active()) {
        return ExtrudeFaces(outline.face, depth);
    }
    const auto inset = CachedBevelledFace(font, character, outline, bevel);
    return ExtrudeBevelled(outline.face, *inset, depth, bevel);
}

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
    TheCache().insets.clear();
    TheCache().bytes = 0;
}
