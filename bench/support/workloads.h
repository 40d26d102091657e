#pragma once
// The standard benchmark scenes, so figures compare with other programs on the same work.
// W1: the 127 characters of bench/data/chars127.txt as 8 objects of 16 characters (the last 15),
// one a row, the block centred and filling 90% of the 800 x 600 view's width.
// W2: 32 objects of 63 characters (126 CP932 bytes), taken in turn from the 127 characters of
// bench/data/chars127.txt, in a 4 x 8 grid lying wholly inside the 800 x 600 view of the
// default camera. Call with the context current.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scene/cp932.h"
#include "scene/message_sink.h"
#include "scene/scene.h"
#include "text/glyph_layout.h"

#ifndef VELLUMARK_BENCH_DATA
#define VELLUMARK_BENCH_DATA "bench/data"
#endif

// The 127 characters as CP932 strings of one character each; empty when the file is missing.
inline std::vector<std::string> BenchCharacters() {
    std::ifstream file(VELLUMARK_BENCH_DATA "/chars127.txt", std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::vector<std::string> characters;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (lead == '\n' || lead == '\r') {
            ++i;
            continue;
        }
        characters.push_back(Utf8ToCp932(utf8.substr(i, length)).value_or(std::string()));
        i += length;
    }
    return characters;
}

// The default camera sees ±tan(25°)·5 units at z = 0 vertically and 4/3 of that horizontally.
inline float DefaultViewHalfHeight() {
    return 5.0f * std::tan(25.0f * 3.14159265f / 180.0f);
}

// Builds W1 into slots 0-7, every row at one scale: the widest fills 90% of the view's width.
inline bool BuildW1(Scene& scene, GlyphLayout& glyphs, MessageSink& messages) {
    const std::vector<std::string> characters = BenchCharacters();
    if (characters.size() != 127) {
        return false;
    }
    constexpr int kRows = 8;
    float widest = 0.0f;
    float rowHeight = 0.0f;
    for (int row = 0; row < kRows; ++row) {
        std::string text;
        for (int i = 16 * row; i < std::min(16 * row + 16, 127); ++i) {
            text += characters[static_cast<size_t>(i)];
        }
        TextObject& object = scene.objects[row];
        object.SetIndex(row);
        glyphs.ApplyTextWithFallback(object, text, messages);
        if (!object.IsLive()) {
            return false;
        }
        widest = std::max(widest, object.textWidth);
        rowHeight = std::max(rowHeight, object.textHeight);
    }
    const float halfWidth = DefaultViewHalfHeight() * 800.0f / 600.0f;
    const float s = 0.9f * 2.0f * halfWidth / widest;
    const float pitch = 1.2f * rowHeight * s;
    for (int row = 0; row < kRows; ++row) {
        TextObject& object = scene.objects[row];
        object.SetScale(s, s, object.scale[2]);
        object.SetPosition(
            0.0f, (static_cast<float>(kRows - 1) / 2.0f - static_cast<float>(row)) * pitch, 0.0f);
    }
    return true;
}

// The text of W2's object k: 63 characters from position 63·k, wrapping round the 127.
inline std::string W2Text(const std::vector<std::string>& characters, int k) {
    std::string text;
    for (int i = 0; i < 63; ++i) {
        text += characters[static_cast<size_t>((63 * k + i) % 127)];
    }
    return text;
}

// Builds W2 into slots 0-31: the grid fills 90% of the view, each object scaled into its cell.
inline bool BuildW2(Scene& scene, GlyphLayout& glyphs, MessageSink& messages) {
    const std::vector<std::string> characters = BenchCharacters();
    if (characters.size() != 127) {
        return false;
    }
    const float halfHeight = DefaultViewHalfHeight();
    const float halfWidth = halfHeight * 800.0f / 600.0f;
    const float cellWidth = 2.0f * halfWidth * 0.9f / 4.0f;
    const float cellHeight = 2.0f * halfHeight * 0.9f / 8.0f;
    for (int k = 0; k < kSlotCount; ++k) {
        TextObject& object = scene.objects[k];
        object.SetIndex(k);
        glyphs.ApplyTextWithFallback(object, W2Text(characters, k), messages);
        if (!object.IsLive() || object.textWidth <= 0.0f || object.textHeight <= 0.0f) {
            return false;
        }
        const int column = k % 4;
        const int row = k / 4;
        const float sx = 0.9f * cellWidth / object.textWidth;
        const float sy = 0.8f * cellHeight / object.textHeight;
        object.SetScale(sx, sy, object.scale[2]);
        object.SetPosition(
            -0.9f * halfWidth + (static_cast<float>(column) + 0.5f) * cellWidth,
            0.9f * halfHeight - static_cast<float>(row + 1) * cellHeight + 0.1f * cellHeight, 0.0f);
    }
    return true;
}
