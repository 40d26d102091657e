#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "export/model_assembly.h"
#include "scene/cp932.h"
#include "support/command_output.h"
#include "support/recording_sink.h"
#include "support/test_glyphs.h"
#include "text/glyph_layout.h"

namespace {

// One glyph as the outside shaper prints it, in font units.
struct OutsideGlyph {
    uint32_t glyph;
    long dx, dy, ax, ay;
};

// hb-shape on the file fontconfig gives for the family in bold, as the objects ask for it.
std::vector<OutsideGlyph> OutsideShape(const char* family, const char* utf8,
                                       const std::string& options) {
    int status = 0;
    const std::string file =
        CommandOutput(std::string("fc-match -f '%{file}' '") + family + ":bold'", status);
    const std::string output = CommandOutput(
        "hb-shape --no-glyph-names --no-clusters "
        "--language=ja " +
            options + " '" + file + "' '" + utf8 + "'",
        status);
    EXPECT_EQ(status, 0) << output;
    std::vector<OutsideGlyph> glyphs;
    const std::regex item(R"((\d+)(?:@(-?\d+),(-?\d+))?\+(-?\d+)(?:,(-?\d+))?)");
    for (std::sregex_iterator it(output.begin(), output.end(), item), end; it != end; ++it) {
        const std::smatch& m = *it;
        auto number = [&](int k) { return m[k].matched ? std::stol(m[k].str()) : 0L; };
        glyphs.push_back(
            {static_cast<uint32_t>(number(1)), number(2), number(3), number(4), number(5)});
    }
    return glyphs;
}

class Typesetting : public testing::Test {
  protected:
    void Set(const char* face, const char* utf8, const TypographySettings& typography) {
        object.ClearGlyphs();
        object.SetFont(face, 0, 0);
        object.SetText(Utf8ToCp932(utf8).value());
        object.typography = typography;
        EXPECT_TRUE(layout.LayOut(object, sink)) << utf8;
    }
    // Font units of the object's face in em.
    float Em(long units) const {
        return static_cast<float>(units) /
               static_cast<float>(TestGlyphs().ObjectFont(object)->face->units_per_EM);
    }
    // What synthetic bold adds to each advance, in font units.
    long Bold() const {
        const ResolvedFont* font = TestGlyphs().ObjectFont(object);
        return font->embolden ? font->face->units_per_EM / 24 : 0;
    }

    GlyphLayout layout{TestGlyphs()};
    RecordingSink sink;
    TextObject object;
};

TEST_F(Typesetting, RowsFollowTheOutsideShaper) {
    TypographySettings kerned;
    kerned.kerning = true;
    kerned.alignment = TextAlignment::kLeft;
    Set("DejaVu Sans", "AVATAR To", kerned);
    const std::vector<OutsideGlyph> expected =
        OutsideShape("DejaVu Sans", "AVATAR To", "--features=kern,-palt");
    ASSERT_EQ(static_cast<size_t>(object.glyphCount), expected.size());
    ASSERT_TRUE(object.typeset);
    long pen = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(object.glyphIndices[i], expected[i].glyph) << i;
        EXPECT_NEAR(object.glyphPlacements[i].x, Em(pen + expected[i].dx), 1e-5) << i;
        EXPECT_NEAR(object.glyphPlacements[i].y, Em(expected[i].dy), 1e-5) << i;
        pen += expected[i].ax + Bold();
    }
    EXPECT_NEAR(object.textWidth, Em(pen), 1e-5);
}

TEST_F(Typesetting, ColumnsFollowTheOutsideShaperWithVerticalForms) {
    const char* text = "「ロゴ」ー";
    TypographySettings vertical;
    vertical.vertical = true;
    Set("IPAexGothic", text, vertical);
    const std::vector<OutsideGlyph> expected =
        OutsideShape("IPAexGothic", text, "--direction=ttb --features=-kern,-vkrn,-vpal,vert,vrt2");
    ASSERT_EQ(static_cast<size_t>(object.glyphCount), expected.size());
    long length = 0;
    for (const OutsideGlyph& g : expected) {
        length -= g.ay - Bold();
    }
    long pen = length;  // the column stands on its foot
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(object.glyphIndices[i], expected[i].glyph) << i;
        // One column, an em broad, its centre line half an em in.
        EXPECT_NEAR(object.glyphPlacements[i].x, 0.5f + Em(expected[i].dx), 1e-5) << i;
        EXPECT_NEAR(object.glyphPlacements[i].y, Em(pen + expected[i].dy), 1e-5) << i;
        pen += expected[i].ay - Bold();
    }
    EXPECT_GT(object.textHeight - object.textBottom, 3.0f * object.textWidth);
    // Brackets and the long vowel mark take other glyphs than in a row; the kana do not.
    const TextObject column = object;
    TypographySettings row;
    row.alignment = TextAlignment::kLeft;
    Set("IPAexGothic", text, row);
    for (int i : {0, 3, 4}) {
        EXPECT_NE(column.glyphIndices[i], object.glyphIndices[i]) << i;
    }
    EXPECT_EQ(column.glyphIndices[1], object.glyphIndices[1]);
}

TEST_F(Typesetting, KerningNarrowsAvAndTrackingWidensByTheAmount) {
    TypographySettings plain;
    plain.alignment = TextAlignment::kLeft;
    TypographySettings kerned = plain;
    kerned.kerning = true;
    Set("DejaVu Serif", "AV", plain);
    const float apart = object.textWidth;
    Set("DejaVu Serif", "AV", kerned);
    EXPECT_LT(object.textWidth, apart - 0.05f);

    // Typeset without spacing, 日本 is as wide as set the old way.
    Set("IPAexMincho", "日本", TypographySettings{});
    ASSERT_FALSE(object.typeset);
    const float untracked = object.textWidth;
    Set("IPAexMincho", "日本", plain);
    EXPECT_NEAR(object.textWidth, untracked, 1e-5);
    TypographySettings tracked = plain;
    tracked.trackingMilliEm = 250;
    Set("IPAexMincho", "日本", tracked);
    EXPECT_NEAR(object.textWidth - untracked, 0.25f, 1e-5);
}

TEST_F(Typesetting, RightAlignedLinesShareTheirRightEdgeAndStayCentred) {
    TypographySettings right;
    right.alignment = TextAlignment::kRight;
    Set("IPAexMincho", "日本\n日本日本語", right);
    ASSERT_EQ(object.glyphCount, 7);
    const GlyphPlacement& firstLineEnd = object.glyphPlacements[1];
    const GlyphPlacement& secondLineEnd = object.glyphPlacements[6];
    EXPECT_GT(firstLineEnd.y, secondLineEnd.y + 0.8f);
    EXPECT_NEAR(firstLineEnd.x + object.glyphMetrics[1].gmfCellIncX, object.textWidth, 1e-5);
    EXPECT_NEAR(secondLineEnd.x + object.glyphMetrics[6].gmfCellIncX, object.textWidth, 1e-5);

    // The block sits across the object's position as its longer line alone would: the same left
    // end and bottom (the shorter line's ink may reach further right).
    auto exported = [](const TextObject& text) {
        Scene scene;
        scene.objects[0] = text;
        scene.objects[0].SetPosition(2.0f, 0.0f, 0.0f);
        scene.objects[0].SetScale(1.0f, 0.5f, 0.3f);
        RecordingSink messages;
        return SceneBounds(AssembleModelScene(scene, TestGlyphs(), messages));
    };
    const ModelBounds block = exported(object);
    Set("IPAexMincho", "日本日本語", TypographySettings{});
    const ModelBounds line = exported(object);
    EXPECT_NEAR(block.min[0], line.min[0], 1e-4);
    EXPECT_NEAR(block.min[1], line.min[1], 1e-4);
    EXPECT_GT(block.max[1] - block.min[1], 0.9);  // two lines at half height
}

}  // namespace
