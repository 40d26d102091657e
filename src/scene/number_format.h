#pragma once
// The whole numbers that the property dialogs show for stored values, how they read them back,
// and how their up-down arrows step.

#include <optional>
#include <string>
#include <string_view>

// Factors between a stored value and the whole number shown for it.
inline constexpr int kLengthFactor = 10;   // positions, scales, light, target, plane coefficients
inline constexpr int kAngleFactor = 1;     // degrees
inline constexpr int kColourFactor = 255;  // colour components

// value × factor formed in double precision and rounded to the nearest whole number, so a value
// stored from a shown number shows that number again (truncation showed 0.7f as 6); values
// beyond the int range saturate and NaN shows as 0.
int ShownInteger(float value, int factor);
// ShownInteger written as "%d" does.
std::string ShownText(float value, int factor);
// "%d" applied to the first 9 characters: leading blanks, an optional sign, then digits up to the
// first other character. Empty when the text holds no integer.
std::optional<int> ParseShownInteger(std::string_view text);
// The integer divided by the factor, rounded to single precision.
float StoredValue(int shown, int factor);
// Reads an edit's text back into value; a text without an integer leaves value as it was.
bool ReadShownText(std::string_view text, int factor, float& value);

// One arrow press of an up-down control: it takes the edit's integer as its position when that
// lies within [lower, upper], otherwise keeps its own, then moves one step toward the pressed
// arrow's limit and stops there (no wrap-round). direction is +1 (up) or -1 (down).
int StepUpDown(std::optional<int> shown, int position, int lower, int upper, int direction);
