#include "dialogs/typed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr std::size_t kLimit = 127;
}

TEST(TypedText, KeepsA127ByteTextWholeAndCutsALongerOne) {
    const std::string exact(127, 'x');
    EXPECT_EQ(ConvertTypedText(exact, kLimit).cp932, exact);
    const TypedText longer = ConvertTypedText(std::string(200, 'y'), kLimit);
    EXPECT_EQ(longer.cp932, std::string(127, 'y'));
    EXPECT_TRUE(longer.refused.empty());
}

TEST(TypedText, NeverCutsADoubleByteCharacterInHalf) {
    // 64 kanji are 128 bytes: the last one does not fit and goes whole.
    std::string typed;
    for (int i = 0; i < 64; ++i) {
        typed += "字";
    }
    const TypedText cut = ConvertTypedText(typed, kLimit);
    ASSERT_EQ(cut.cp932.size(), 126u);
    for (std::size_t i = 0; i < cut.cp932.size(); i += 2) {
        EXPECT_EQ(cut.cp932.substr(i, 2), "\x8e\x9a") << i;
    }
    // One ASCII byte first: 1 + 63 * 2 = 127 fits exactly.
    const TypedText shifted = ConvertTypedText("a" + typed, kLimit);
    EXPECT_EQ(shifted.cp932.size(), 127u);
}

TEST(TypedText, ConvertsMixedTextAndKeepsBlanks) {
    const TypedText typed = ConvertTypedText("A 日本ｶﾅ　", kLimit);
    EXPECT_EQ(typed.cp932, std::string("A \x93\xfa\x96\x7b\xb6\xc5\x81\x40"));
    EXPECT_TRUE(typed.refused.empty());
    EXPECT_EQ(ConvertTypedText("   ", kLimit).cp932, "   ");
    EXPECT_EQ(ConvertTypedText("", kLimit).cp932, "");
}

TEST(TypedText, NamesTheFirstCharacterCp932CannotHold) {
    const TypedText hangul = ConvertTypedText("AB한글", kLimit);
    EXPECT_EQ(hangul.refused, "한");
    const TypedText emoji = ConvertTypedText("日本\xF0\x9F\x98\x80", kLimit);
    EXPECT_EQ(emoji.refused, "\xF0\x9F\x98\x80");
    // A broken UTF-8 sequence cannot be stored either.
    EXPECT_FALSE(ConvertTypedText("a\xC3", kLimit).refused.empty());
}

TEST(TypedText, IgnoresWhatLiesBeyondTheLimit) {
    // Characters past the cut are dropped anyway, so they are not refused.
    const TypedText typed = ConvertTypedText(std::string(127, 'z') + "한", kLimit);
    EXPECT_TRUE(typed.refused.empty());
    EXPECT_EQ(typed.cp932.size(), 127u);
}
