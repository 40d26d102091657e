#include "text/glyph_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/texts.h"
#include "scene/cp932.h"
#include "support/test_glyphs.h"
#include "text/character_codes.h"

namespace {

struct Message {
    std::string text, caption;
    MessageOwner owner;
};

class RecordingSink : public MessageSink {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageOwner owner) override {
        messages.push_back({std::string(text), std::string(caption), owner});
    }
    std::vector<Message> messages;
};

std::string Cp932(const char* utf8) {
    return Utf8ToCp932(utf8).value();
}

class GlyphBuilding : public testing::Test {
  protected:
    void ExpectFontCreationMessagesOnce() {
        ASSERT_EQ(sink.messages.size(), 2u);
        EXPECT_EQ(sink.messages[0].text, texts::kFontCreationFailed);
        EXPECT_EQ(sink.messages[1].text, texts::kFontFallingBack);
        for (const Message& m : sink.messages) {
            EXPECT_EQ(m.caption, "フォント作成");
            EXPECT_EQ(m.owner, MessageOwner::kNone);
        }
    }

    // How many glyphs have a character to show.
    int Shown() const {
        int shown = 0;
        for (int i = 0; i < object.glyphCount; ++i) {
            shown += object.glyphCharacters[i] != 0 ? 1 : 0;
        }
        return shown;
    }

    GlyphLayout builder{TestGlyphs()};
    RecordingSink sink;
    TextObject object;
};

TEST(CharacterScan, DoubleByteCharactersPairWithTheirTrailByte) {
    const std::string mixed = Cp932("日本ABC");
    const std::vector<uint32_t> codes = ScanCharacterCodes(mixed);
    ASSERT_EQ(codes.size(), 5u);
    EXPECT_EQ(codes[0], 0x93FAu);  // 日
    EXPECT_EQ(codes[1], 0x967Bu);  // 本
    EXPECT_EQ(codes[2], static_cast<uint32_t>('A'));
    // Half-width katakana are single bytes; a lead byte at the end takes the NUL.
    EXPECT_EQ(ScanCharacterCodes("\xB1\xDF"), (std::vector<uint32_t>{0xB1, 0xDF}));
    EXPECT_EQ(ScanCharacterCodes("A\x93"), (std::vector<uint32_t>{'A', 0x9300}));
    EXPECT_EQ(ScanCharacterCodes(std::string(127, 'x')).size(), 127u);
}

TEST(CharacterScan, CodesMapToUnicodeThroughCp932) {
    EXPECT_EQ(TestGlyphs().Character(0x93FA), U'日');
    EXPECT_EQ(TestGlyphs().Character(0xB1), U'ｱ');
    EXPECT_EQ(TestGlyphs().Character('A'), U'A');
    EXPECT_EQ(TestGlyphs().Character(0x9300), 0u);  // lead byte with the NUL
}

TEST_F(GlyphBuilding, EveryCharacterIsLaidOutInTurnAndTheMeasuresAddUp) {
    object.SetFont("DejaVu Sans", 0, 0);
    object.SetText("AVA A.");
    ASSERT_TRUE(builder.LayOut(object, sink));
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(object.glyphCount, 6);
    const std::u32string shown(object.glyphCharacters, object.glyphCharacters + 6);
    EXPECT_EQ(shown, U"AVA A.");
    float width = 0.0f;
    for (int i = 0; i < 6; ++i) {
        width += object.glyphMetrics[i].gmfCellIncX;
    }
    EXPECT_GT(object.glyphMetrics[3].gmfCellIncX, 0.2f);  // the space moves the pen
    EXPECT_FLOAT_EQ(object.textWidth, width);
    // The period sits on the baseline, the capitals are the tallest boxes.
    EXPECT_FLOAT_EQ(object.textHeight, object.glyphMetrics[0].gmfBlackBoxY);
    EXPECT_NEAR(object.textBottom, 0.0f, 0.01f);
}

TEST_F(GlyphBuilding, LongestTextLaysOutOneGlyphPerByte) {
    std::string text;
    for (int i = 0; i < 127; ++i) {
        text += static_cast<char>('!' + i % 90);
    }
    object.SetFont("DejaVu Sans", 0, 0);
    object.SetText(text);
    EXPECT_TRUE(builder.LayOut(object, sink));
    EXPECT_EQ(object.glyphCount, 127);
}

TEST_F(GlyphBuilding, MixedStringLaysOutFiveGlyphsInTheDefaultFont) {
    object.SetText(Cp932("日本ABC"));
    ASSERT_TRUE(builder.LayOut(object, sink));
    EXPECT_EQ(object.glyphCount, 5);
    EXPECT_EQ(Shown(), 5);
    EXPECT_GT(object.glyphMetrics[0].gmfCellIncX, 0.9f);  // full-width kanji
    EXPECT_LT(object.glyphMetrics[2].gmfCellIncX, 0.9f);
}

TEST_F(GlyphBuilding, HalfWidthKatakanaAreSingleByteCharacters) {
    object.SetText("\xB1\xDD");  // ｱﾝ
    ASSERT_TRUE(builder.LayOut(object, sink));
    ASSERT_EQ(object.glyphCount, 2);
    EXPECT_EQ(object.glyphCharacters[0], U'ｱ');
    EXPECT_GT(object.glyphMetrics[0].gmfBlackBoxY, 0.3f);
    EXPECT_LT(object.glyphMetrics[0].gmfCellIncX, 0.6f);  // half width
}

TEST_F(GlyphBuilding, MissingCharactersFailButStillTakeAPlaceAndWarnOnce) {
    object.SetFont("DejaVu Sans", 0, 0);
    object.SetText(Cp932("A日本B"));
    EXPECT_FALSE(builder.LayOut(object, sink));
    EXPECT_EQ(object.glyphCount, 4);
    EXPECT_EQ(Shown(), 2);  // only A and B have geometry
    EXPECT_EQ(object.glyphMetrics[1].gmfCellIncX, 0.0f);
    ExpectFontCreationMessagesOnce();
}

TEST_F(GlyphBuilding, FailedFontFallsBackToTheDefaultFont) {
    builder.ApplyFontWithFallback(object, "DejaVu Sans", 1, 0, sink);
    EXPECT_EQ(object.FaceName(), "DejaVu Sans");  // nothing to build yet: nothing fails
    EXPECT_TRUE(sink.messages.empty());

    builder.ApplyTextWithFallback(object, Cp932("日本ABC"), sink);
    ExpectFontCreationMessagesOnce();
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.italic, 0);
    EXPECT_EQ(object.charSet, 128);
    EXPECT_EQ(object.glyphCount, 5);
    EXPECT_EQ(Shown(), 5);
}

TEST_F(GlyphBuilding, DefaultFontFailingTooShowsTheMessagesAgainAndKeepsThePartialResult) {
    object.SetFont("DejaVu Sans", 0, 0);
    const std::string unbuildable = "A\x93";  // a lead byte with nothing after it
    builder.ApplyTextWithFallback(object, unbuildable, sink);
    ASSERT_EQ(sink.messages.size(), 4u);
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.glyphCount, 2);
}

TEST_F(GlyphBuilding, OverlongTextIsRefusedAndTheObjectKeepsItsGlyphs) {
    builder.ApplyTextWithFallback(object, "AB", sink);
    ASSERT_EQ(object.glyphCount, 2);
    builder.ApplyTextWithFallback(object, std::string(129, 'x'), sink);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "文字数が多すぎます");
    EXPECT_EQ(sink.messages[0].caption, "Vellumarkライター");
    EXPECT_EQ(sink.messages[0].owner, MessageOwner::kNone);
    EXPECT_EQ(object.Text(), "AB");
    EXPECT_EQ(object.glyphCount, 2);
    EXPECT_EQ(object.glyphCharacters[0], U'A');
}

TEST_F(GlyphBuilding, TextIsCutAtACharacterBoundaryToFitTheField) {
    const std::string text = std::string(126, 'x') + Cp932("日");  // 128 bytes
    builder.ApplyTextWithFallback(object, text, sink);
    EXPECT_EQ(object.Text(), std::string(126, 'x'));
    EXPECT_EQ(object.glyphCount, 126);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(GlyphBuilding, EmptyTextLaysOutNothingAndSucceeds) {
    object.textWidth = 5.0f;
    EXPECT_TRUE(builder.LayOut(object, sink));
    EXPECT_EQ(object.glyphCount, 0);
    EXPECT_EQ(object.textWidth, 0.0f);
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
