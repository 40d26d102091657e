#include "scene/number_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(ShownInteger, RoundsToTheNearestStep) {
    EXPECT_EQ(ShownInteger(0.24f, kLengthFactor), 2);
    EXPECT_EQ(ShownInteger(-0.26f, kLengthFactor), -3);
    EXPECT_EQ(ShownInteger(45.7f, kAngleFactor), 46);
    EXPECT_EQ(ShownInteger(-45.2f, kAngleFactor), -45);
    EXPECT_EQ(ShownInteger(-0.04f, kLengthFactor), 0);
    EXPECT_EQ(ShownText(-0.26f, kLengthFactor), "-3");
}

TEST(ShownInteger, AValueStoredFromAShownNumberShowsThatNumberAgain) {
    // 0.7f lies just below 0.7: truncating its product showed 6.
    EXPECT_EQ(ShownText(StoredValue(7, kLengthFactor), kLengthFactor), "7");
    // Positions, light, target and plane coefficients; sizes; angles.
    for (int n = -400; n <= 400; ++n) {
        EXPECT_EQ(ShownInteger(StoredValue(n, kLengthFactor), kLengthFactor), n) << n;
    }
    for (int n = -360; n <= 360; ++n) {
        EXPECT_EQ(ShownInteger(StoredValue(n, kAngleFactor), kAngleFactor), n) << n;
    }
}

TEST(ShownInteger, SaturatesValuesBeyondTheIntRange) {
    EXPECT_EQ(ShownInteger(3.0e9f, kAngleFactor), INT_MAX);
    EXPECT_EQ(ShownInteger(-1.0e30f, kLengthFactor), INT_MIN);
    EXPECT_EQ(ShownInteger(std::numeric_limits<float>::infinity(), 1), INT_MAX);
    EXPECT_EQ(ShownInteger(std::nanf(""), kLengthFactor), 0);
}

TEST(StoredValue, EveryColourByteIsShownAgainAsItself) {
    for (int n = 0; n <= 255; ++n) {
        EXPECT_EQ(ShownInteger(StoredValue(n, kColourFactor), kColourFactor), n) << n;
    }
    EXPECT_EQ(StoredValue(254, kColourFactor), 254.0f / 255.0f);
    EXPECT_EQ(StoredValue(1, kLengthFactor), 0.1f);
    EXPECT_EQ(StoredValue(-9, kLengthFactor), -0.9f);
}

TEST(ParseShownInteger, ReadsLikePercentD) {
    EXPECT_EQ(ParseShownInteger("12"), 12);
    EXPECT_EQ(ParseShownInteger("  -12abc"), -12);
    EXPECT_EQ(ParseShownInteger("\t+7"), 7);
    EXPECT_EQ(ParseShownInteger("3.9"), 3);
    EXPECT_EQ(ParseShownInteger("-0"), 0);
    EXPECT_FALSE(ParseShownInteger(""));
    EXPECT_FALSE(ParseShownInteger("abc"));
    EXPECT_FALSE(ParseShownInteger("-"));
    EXPECT_FALSE(ParseShownInteger("- 5"));
    EXPECT_FALSE(ParseShownInteger("         5"));  // the digit is the tenth character
}

TEST(ParseShownInteger, ReadsAtMostNineCharacters) {
    EXPECT_EQ(ParseShownInteger("1234567890123"), 123456789);
    EXPECT_EQ(ParseShownInteger("-2147483648"), -21474836);
}

TEST(ReadShownText, LeavesTheValueAloneWithoutAnInteger) {
    float value = 0.25f;
    EXPECT_FALSE(ReadShownText("x1", kLengthFactor, value));
    EXPECT_EQ(value, 0.25f);
    EXPECT_TRUE(ReadShownText("46", kAngleFactor, value));
    EXPECT_EQ(value, 46.0f);
}

TEST(StepUpDown, StepsFromTheShownIntegerWhenItIsInRange) {
    EXPECT_EQ(StepUpDown(45, 1, -180, 180, +1), 46);
    EXPECT_EQ(StepUpDown(-2, 1, -400, 400, -1), -3);
    EXPECT_EQ(StepUpDown(0, 1, 0, 255, +1), 1);
}

TEST(StepUpDown, KeepsItsOwnPositionWhenTheShownIntegerIsMissingOrOutOfRange) {
    EXPECT_EQ(StepUpDown(550, 1, -400, 400, +1), 2);
    EXPECT_EQ(StepUpDown(std::nullopt, 7, -400, 400, -1), 6);
}

TEST(StepUpDown, StopsAtTheLimitsWithoutWrapping) {
    EXPECT_EQ(StepUpDown(100, 1, 1, 100, +1), 100);
    EXPECT_EQ(StepUpDown(1, 1, 1, 100, -1), 1);
    EXPECT_EQ(StepUpDown(-400, 1, -400, 400, -1), -400);
    EXPECT_EQ(StepUpDown(399, 1, -400, 400, +1), 400);
}

}  // namespace
