#include "scene/number_format.h"

#include <cctype>
#include <climits>
#include <cmath>

namespace {

constexpr std::size_t kReadLimit = 9;

}  // namespace

int ShownInteger(float value, int factor) {
    const double product = static_cast<double>(value) * factor;
    if (std::isnan(product)) {
        return 0;
    }
    // A value from a scene file can be anything; converting it unchecked would be undefined.
    if (product >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (product <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(std::lround(product));
}

std::string ShownText(float value, int factor) {
    return std::to_string(ShownInteger(value, factor));
}

std::optional<int> ParseShownInteger(std::string_view text) {
    text = text.substr(0, kReadLimit);
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    long magnitude = 0;  // nine characters never overflow this
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (i == firstDigit) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

float StoredValue(int shown, int factor) {
    return static_cast<float>(static_cast<double>(shown) / factor);
}

bool ReadShownText(std::string_view text, int factor, float& value) {
    const std::optional<int> shown = ParseShownInteger(text);
    if (!shown) {
        return false;
    }
    value = StoredValue(*shown, factor);
    return true;
}

int StepUpDown(std::optional<int> shown, int position, int lower, int upper, int direction) {
    if (shown && *shown >= lower && *shown <= upper) {
        position = *shown;
    }
    if (direction > 0) {
        return position < upper ? position + 1 : upper;
    }
    return position > lower ? position - 1 : lower;
}
