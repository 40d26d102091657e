#include "text/font_resolver.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_glyphs.h"
#include "text/font_coverage.h"

namespace {

std::string Family(const ResolvedFont* font) {
    return font ? font->face->family_name : "none";
}
bool HasGlyph(const ResolvedFont* font, char32_t c) {
    return font && FT_Get_Char_Index(font->face, c) != 0;
}

TEST(FontResolver, WindowsJapaneseFacesResolveToInstalledJapaneseFonts) {
    FontResolver& resolver = TestFonts();
    const ResolvedFont* mincho = resolver.Resolve("ＭＳ 明朝", 0, 128);
    EXPECT_EQ(Family(mincho), "IPAexMincho");
    EXPECT_TRUE(HasGlyph(mincho, U'鬱'));
    EXPECT_TRUE(HasGlyph(mincho, U'ｱ'));
    // Without the Japanese character set the alias still holds.
    EXPECT_EQ(Family(resolver.Resolve("ＭＳ 明朝", 0, 0)), "IPAexMincho");
    EXPECT_EQ(Family(resolver.Resolve("MS Mincho", 0, 128)), "IPAexMincho");
    EXPECT_EQ(Family(resolver.Resolve("ＭＳ ゴシック", 0, 128)), "IPAexGothic");
    EXPECT_EQ(Family(resolver.Resolve("ＭＳ Ｐゴシック", 0, 128)), "IPAPGothic");
    EXPECT_TRUE(HasGlyph(resolver.Resolve("メイリオ", 0, 128), U'あ'));
    // An unknown face with the Japanese character set still gets Japanese glyphs.
    EXPECT_TRUE(HasGlyph(resolver.Resolve("No Such Face", 0, 128), U'日'));
    EXPECT_FALSE(HasGlyph(resolver.Resolve("DejaVu Sans", 0, 0), U'日'));
}

TEST(FontResolver, BoldAlwaysAndSynthesisOnlyWhereTheFontLacksTheStyle) {
    FontResolver& resolver = TestFonts();
    // IPAex has one regular face: bold and italic are made up.
    const ResolvedFont* upright = resolver.Resolve("ＭＳ 明朝", 0, 128);
    const ResolvedFont* italic = resolver.Resolve("ＭＳ 明朝", 1, 128);
    ASSERT_NE(upright, nullptr);
    ASSERT_NE(italic, nullptr);
    EXPECT_TRUE(upright->embolden);
    EXPECT_FLOAT_EQ(upright->matrix.xy, 0.0f);
    EXPECT_TRUE(italic->embolden);
    EXPECT_NEAR(italic->matrix.xy, 0.2f, 1e-6);
    EXPECT_FLOAT_EQ(italic->matrix.xx, 1.0f);
    EXPECT_NE(upright->id, italic->id);
    // DejaVu has real bold and bold oblique faces.
    const ResolvedFont* sans = resolver.Resolve("DejaVu Sans", 1, 0);
    ASSERT_NE(sans, nullptr);
    EXPECT_STREQ(sans->face->style_name, "Bold Oblique");
    EXPECT_FALSE(sans->embolden);
    EXPECT_FLOAT_EQ(sans->matrix.xy, 0.0f);
    // Faces are opened once and shared.
    EXPECT_EQ(resolver.Resolve("MS Mincho", 0, 0)->face, upright->face);
    EXPECT_EQ(resolver.Resolve("ＭＳ 明朝", 0, 128), upright);
}

TEST(FontCoverage, JapaneseCoverageIsWhatTheBuilderWouldGet) {
    EXPECT_TRUE(FontFamilyCoversJapanese(TestFonts(), "IPAexGothic"));
    EXPECT_TRUE(FontFamilyCoversJapanese(TestFonts(), "ＭＳ 明朝"));
    EXPECT_FALSE(FontFamilyCoversJapanese(TestFonts(), "DejaVu Serif"));
}

}  // namespace
