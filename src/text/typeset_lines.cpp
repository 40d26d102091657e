#include "text/typeset_lines.h"

#include <algorithm>

namespace {

// A line before alignment: its glyphs placed from its own start, and its length along itself.
struct SetLine {
    std::vector<SetGlyph> glyphs;
    float length = 0.0f;
};

std::vector<std::u32string_view> SplitLines(std::u32string_view text) {
    std::vector<std::u32string_view> lines;
    for (;;) {
        const size_t end = text.find(U'\n');
        lines.push_back(text.substr(0, end));
        if (end == std::u32string_view::npos) {
            return lines;
        }
        text.remove_prefix(end + 1);
    }
}

// Sets a line glyph by glyph, tracking added before every character but the line's first.
class LineSetter {
  public:
    explicit LineSetter(float tracking) : tracking_(tracking) {}

    // A row, or a column's upright run: the pen follows the shaper's advances.
    void AddAlong(const std::vector<ShapedGlyph>& shaped, std::u32string_view run, bool column) {
        for (size_t i = 0; i < shaped.size(); ++i) {
            const ShapedGlyph& g = shaped[i];
            Track(i == 0 || g.cluster != shaped[i - 1].cluster);
            SetGlyph set{g.glyph, run[g.cluster], {}};
            if (column) {
                set.place = {g.xOffset, -pen_ + g.yOffset, false};
                pen_ -= g.yAdvance;
            } else {
                set.place = {pen_ + g.xOffset, g.yOffset, false};
                pen_ += g.xAdvance;
            }
            line_.glyphs.push_back(set);
        }
    }

    // A column's Latin run, set as a row and turned a quarter clockwise about the column's
    // centre line: shift brings the em box's middle onto it.
    void AddSideways(const std::vector<ShapedGlyph>& shaped, std::u32string_view run, float shift) {
        for (size_t i = 0; i < shaped.size(); ++i) {
            const ShapedGlyph& g = shaped[i];
            Track(i == 0 || g.cluster != shaped[i - 1].cluster);
            line_.glyphs.push_back(
                {g.glyph, run[g.cluster], {shift + g.yOffset, -(pen_ + g.xOffset), true}});
            pen_ += g.xAdvance;
        }
    }

    SetLine Finish() {
        line_.length = pen_;
        return std::move(line_);
    }

  private:
    void Track(bool newCharacter) {
        if (newCharacter && !line_.glyphs.empty()) {
            pen_ += tracking_;
        }
    }

    float tracking_;
    float pen_ = 0.0f;
    SetLine line_;
};

ShapingOptions Options(const TypographySettings& typography, bool vertical) {
    ShapingOptions options;
    options.vertical = vertical;
    options.kerning = typography.kerning;
    options.proportional = typography.proportional;
    return options;
}

SetLine SetRow(TextShaper& shaper, const ResolvedFont& font, std::u32string_view line,
               const TypographySettings& typography, float tracking) {
    LineSetter setter(tracking);
    setter.AddAlong(shaper.Shape(font, line, Options(typography, false)), line, false);
    return setter.Finish();
}

SetLine SetColumn(TextShaper& shaper, const ResolvedFont& font, std::u32string_view line,
                  const TypographySettings& typography, float tracking, float sidewaysShift) {
    LineSetter setter(tracking);
    ShapingOptions upright = Options(typography, true);
    upright.rotatedAlternates = !typography.uprightLatin;
    const ShapingOptions sideways = Options(typography, false);
    size_t start = 0;
    while (start < line.size()) {
        const bool turned = !typography.uprightLatin && LiesSidewaysInColumn(line[start]);
        size_t end = start + 1;
        while (end < line.size() &&
               (!typography.uprightLatin && LiesSidewaysInColumn(line[end])) == turned) {
            ++end;
        }
        const std::u32string_view run = line.substr(start, end - start);
        if (turned) {
            setter.AddSideways(shaper.Shape(font, run, sideways), run, sidewaysShift);
        } else {
            setter.AddAlong(shaper.Shape(font, run, upright), run, true);
        }
        start = end;
    }
    return setter.Finish();
}

// Where a line of this length starts within the block's longest, along the line.
float AlignedStart(TextAlignment alignment, float longest, float length) {
    switch (alignment) {
        case TextAlignment::kLeft:
            return 0.0f;
        case TextAlignment::kRight:
            return longest - length;
        case TextAlignment::kCentre:
            break;
    }
    return (longest - length) / 2.0f;
}

}  // namespace

bool LiesSidewaysInColumn(char32_t character) {
    return character < 0x0370;
}

SetLines TypesetLines(TextShaper& shaper, const ResolvedFont& font, std::u32string_view text,
                      const TypographySettings& typography) {
    const FaceMeasures measures = TextShaper::Measures(font);
    const float tracking = static_cast<float>(typography.trackingMilliEm) / 1000.0f;
    const float distance = typography.lineDistanceMilliEm == 0
                               ? measures.lineHeight
                               : static_cast<float>(typography.lineDistanceMilliEm) / 1000.0f;
    const float sidewaysShift = -(measures.ascender + measures.descender) / 2.0f;
    std::vector<SetLine> lines;
    float longest = 0.0f;
    for (const std::u32string_view line : SplitLines(text)) {
        lines.push_back(typography.vertical
                            ? SetColumn(shaper, font, line, typography, tracking, sidewaysShift)
                            : SetRow(shaper, font, line, typography, tracking));
        longest = std::max(longest, lines.back().length);
    }
    SetLines set;
    // Columns are an em broad, centred on their line, the first at the right.
    const float columnsWidth = static_cast<float>(lines.size() - 1) * distance + 1.0f;
    set.width = typography.vertical ? columnsWidth : longest;
    const float lastLine = static_cast<float>(lines.size() - 1) * distance;
    for (size_t k = 0; k < lines.size(); ++k) {
        const float across = static_cast<float>(k) * distance;
        const float along = AlignedStart(typography.alignment, longest, lines[k].length);
        for (SetGlyph glyph : lines[k].glyphs) {
            if (typography.vertical) {
                glyph.place.x += columnsWidth - 0.5f - across;
                glyph.place.y += longest - along;
            } else {
                glyph.place.x += along;
                glyph.place.y += lastLine - across;
            }
            set.glyphs.push_back(glyph);
        }
    }
    return set;
}
