#include "text/text_shaper.h"

#include <hb-ft.h>
#include <hb-ot.h>
#include <hb.h>

namespace {

constexpr hb_tag_t Tag(const char (&name)[5]) {
    return HB_TAG(name[0], name[1], name[2], name[3]);
}

hb_feature_t Feature(hb_tag_t tag, bool on) {
    return hb_feature_t{tag, on ? 1u : 0u, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
}

// What FreeType's synthetic bold adds to each advance, as the outlines are built.
float EmboldenEm(const ResolvedFont& font) {
    return font.embolden ? static_cast<float>(font.face->units_per_EM / 24) /
                               static_cast<float>(font.face->units_per_EM)
                         : 0.0f;
}

}  // namespace

TextShaper::TextShaper() : buffer_(hb_buffer_create()) {}

TextShaper::~TextShaper() {
    for (const auto& [id, font] : fonts_) {
        hb_font_destroy(font);
    }
    hb_buffer_destroy(buffer_);
}

hb_font_t* TextShaper::FontOf(const ResolvedFont& font) {
    if (auto it = fonts_.find(font.id); it != fonts_.end()) {
        return it->second;
    }
    hb_font_t* shaping = hb_ft_font_create_referenced(font.face);
    // The faces are never sized, so the metrics come from the font's own tables, in font units
    // (what an outside shaper reads too).
    hb_ot_font_set_funcs(shaping);
    const int units = font.face->units_per_EM;
    hb_font_set_scale(shaping, units, units);
    fonts_.emplace(font.id, shaping);
    return shaping;
}

std::vector<ShapedGlyph> TextShaper::Shape(const ResolvedFont& font, std::u32string_view text,
                                           const ShapingOptions& options) {
    std::vector<ShapedGlyph> shaped;
    if (text.empty() || font.face->units_per_EM == 0) {
        return shaped;
    }
    hb_buffer_clear_contents(buffer_);
    hb_buffer_add_utf32(buffer_, reinterpret_cast<const uint32_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    // CP932 text: Japanese, whatever the user's locale says.
    hb_buffer_set_language(buffer_, hb_language_from_string("ja", -1));
    hb_buffer_guess_segment_properties(buffer_);
    if (options.vertical) {
        hb_buffer_set_direction(buffer_, HB_DIRECTION_TTB);
    }
    std::vector<hb_feature_t> features{Feature(Tag("kern"), options.kerning)};
    if (options.vertical) {
        features.push_back(Feature(Tag("vkrn"), options.kerning));
        features.push_back(Feature(Tag("vpal"), options.proportional));
        features.push_back(Feature(Tag("vert"), true));
        features.push_back(Feature(Tag("vrt2"), options.rotatedAlternates));
    } else {
        features.push_back(Feature(Tag("palt"), options.proportional));
    }
    hb_shape(FontOf(font), buffer_, features.data(), static_cast<unsigned>(features.size()));

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer_, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, nullptr);
    const float toEm = 1.0f / static_cast<float>(font.face->units_per_EM);
    const float bold = EmboldenEm(font);
    shaped.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        const hb_glyph_position_t& p = positions[i];
        ShapedGlyph glyph{infos[i].codepoint,
                          infos[i].cluster,
                          static_cast<float>(p.x_advance) * toEm,
                          static_cast<float>(p.y_advance) * toEm,
                          static_cast<float>(p.x_offset) * toEm,
                          static_cast<float>(p.y_offset) * toEm};
        if (glyph.xAdvance != 0.0f) {
            glyph.xAdvance += bold;
        }
        if (glyph.yAdvance != 0.0f) {
            glyph.yAdvance -= bold;
        }
        shaped.push_back(glyph);
    }
    return shaped;
}

FaceMeasures TextShaper::Measures(const ResolvedFont& font) {
    const FT_Face face = font.face;
    FaceMeasures measures;
    if (face->units_per_EM == 0) {
        return measures;
    }
    const float toEm = 1.0f / static_cast<float>(face->units_per_EM);
    measures.lineHeight = static_cast<float>(face->height) * toEm;
    measures.ascender = static_cast<float>(face->ascender) * toEm;
    measures.descender = static_cast<float>(face->descender) * toEm;
    return measures;
}
