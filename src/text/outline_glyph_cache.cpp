#include "text/outline_glyph_cache.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <future>
#include <system_error>
#include <thread>

namespace {

// Roughly 100 MB of outlines (some 15,000 kanji); past that the cache starts again rather
// than grow without end.
constexpr size_t kMaxCachedBytes = 100u << 20;

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

void GlyphOutlineCache::MakeRoom(size_t bytes) {
    if (bytes_ + bytes > kMaxCachedBytes) {
        Clear();
    }
    bytes_ += bytes;
}

GlyphOutlineCache::InsetKey GlyphOutlineCache::KeyOf(const ResolvedFont& font, GlyphId glyph,
                                                     const BevelSettings& bevel) {
    InsetKey key{{font.id, glyph.Bits()}, 0, BevelSteps(bevel), bevel.backToo};
    std::memcpy(&key.widthBits, &bevel.width, sizeof key.widthBits);
    return key;
}

bool GlyphOutlineCache::HasInset(const ResolvedFont& font, GlyphId glyph,
                                 const BevelSettings& bevel) const {
    return insets_.count(KeyOf(font, glyph, bevel)) != 0;
}

void GlyphOutlineCache::PrepareInsets(const ResolvedFont& font,
                                      const std::vector<InsetRequest>& glyphs,
                                      const BevelSettings& bevel) {
    std::vector<std::pair<InsetKey, const GlyphOutline*>> missing;
    for (const InsetRequest& request : glyphs) {
        const InsetKey key = KeyOf(font, request.glyph, bevel);
        if (request.outline && insets_.count(key) == 0 &&
            std::none_of(missing.begin(), missing.end(),
                         [&key](const auto& other) { return other.first == key; })) {
            missing.emplace_back(key, request.outline.get());
        }
    }
    // The largest first, so no core is left with a long one at the end.
    std::sort(missing.begin(), missing.end(), [](const auto& a, const auto& b) {
        return a.second->face.vertices.size() > b.second->face.vertices.size();
    });
    std::vector<std::shared_ptr<const BevelledFace>> made(missing.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < missing.size(); i = next++) {
            made[i] = std::make_shared<BevelledFace>(InsetFace(
                missing[i].second->face, bevel.width, missing[i].first.steps, bevel.backToo));
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::future<void>> helpers;
    for (size_t h = 1; h < std::min(cores, missing.size()); ++h) {
        try {
            helpers.push_back(std::async(std::launch::async, work));
        } catch (const std::system_error&) {
            break;  // no thread to be had: fewer hands do the same work
        }
    }
    work();
    for (std::future<void>& helper : helpers) {
        helper.get();
    }
    for (size_t i = 0; i < missing.size(); ++i) {
        MakeRoom(Footprint(*made[i]));
        insets_.emplace(missing[i].first, std::move(made[i]));
    }
}

void GlyphOutlineCache::PrepareInsets(const ResolvedFont& font, const TextObject& object,
                                      const BevelSettings& bevel) {
    std::vector<InsetRequest> requests;
    for (int i = 0; i < object.glyphCount; ++i) {
        const GlyphId glyph = GlyphId::OfObjectGlyph(object, i);
        if (!glyph.IsNone()) {
            requests.push_back({glyph, Outline(font, glyph)});
        }
    }
    PrepareInsets(font, requests, bevel);
}

std::shared_ptr<const BevelledFace> GlyphOutlineCache::Inset(const ResolvedFont& font,
                                                             GlyphId glyph,
                                                             const GlyphOutline& outline,
                                                             const BevelSettings& bevel) {
    const InsetKey key = KeyOf(font, glyph, bevel);
    if (auto it = insets_.find(key); it != insets_.end()) {
        return it->second;
    }
    auto inset = std::make_shared<BevelledFace>(
        InsetFace(outline.face, bevel.width, key.steps, key.backToo));
    MakeRoom(Footprint(*inset));
    insets_.emplace(key, inset);
    return inset;
}

GlyphMesh GlyphOutlineCache::Solid(const ResolvedFont& font, GlyphId glyph,
                                   const GlyphOutline& outline, float depth,
                                   const BevelSettings& bevel) {
    if (!bevel.Active()) {
        return ExtrudeFaces(outline.face, depth);
    }
    const auto inset = Inset(font, glyph, outline, bevel);
    return ExtrudeBevelled(outline.face, *inset, depth, bevel);
}

std::shared_ptr<const GlyphOutline> GlyphOutlineCache::Outline(const ResolvedFont& font,
                                                               GlyphId glyph) {
    const Key key{font.id, glyph.Bits()};
    if (auto it = outlines_.find(key); it != outlines_.end()) {
        return it->second;
    }
    std::shared_ptr<GlyphOutline> outline = BuildGlyphOutline(font, glyph);
    if (!outline) {
        return nullptr;
    }
    outline->face.vertices.shrink_to_fit();
    outline->face.triangles.shrink_to_fit();
    outline->face.boundary.shrink_to_fit();
    MakeRoom(Footprint(*outline));
    outlines_.emplace(key, outline);
    return outline;
}

void GlyphOutlineCache::Clear() {
    outlines_.clear();
    insets_.clear();
    bytes_ = 0;
}
