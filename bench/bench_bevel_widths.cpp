// How well bevels keep their width: over W1's characters and a few hard kanji, in every Japanese
// face installed, at a narrow and a wide bevel, the share of the outline bevelled and, where a
// circle as wide as the bevel fits the stroke, the share whose width stays within 5% of the one
// asked for (counters "bevelled" and "kept/roomy", in percent), for a bevel on the front only. The
// time is the inset faces' alone (one profile step), and W1 in its own font with the round bevel of
// the W1 benchmark (0.02 em, 4 steps) is timed too.
#include <benchmark/benchmark.h>
#include <freetype/freetype.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/bevel_coverage.h"
#include "text/glyph_source.h"
#include "text/outline_glyph.h"

#ifndef VELLUMARK_BENCH_DATA
#define VELLUMARK_BENCH_DATA "bench/data"
#endif

namespace {

std::u32string Decode(const std::string& utf8) {
    std::u32string text;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (c != U'\n' && c != U'\r') {
            text.push_back(c);
        }
        i += length;
    }
    return text;
}

std::u32string W1Characters() {
    std::ifstream file(VELLUMARK_BENCH_DATA "/chars127.txt", std::ios::binary);
    return Decode(
        std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
}

std::vector<std::unique_ptr<GlyphOutline>> Outlines(const ResolvedFont& font,
                                                    const std::u32string& text) {
    std::vector<std::unique_ptr<GlyphOutline>> outlines;
    for (char32_t c : text) {
        if (auto outline = BuildGlyphOutline(font, c)) {
            outlines.push_back(std::move(outline));
        }
    }
    return outlines;
}

void TimeInsets(benchmark::State& state, const std::vector<std::unique_ptr<GlyphOutline>>& outlines,
                float width, int steps) {
    for (auto _ : state) {
        for (const auto& outline : outlines) {
            benchmark::DoNotOptimize(InsetFace(outline->face, width, steps, false));
        }
    }
}

void MeasureWidths(benchmark::State& state, GlyphSource& source, const std::string& family,
                   const std::u32string& text, float width) {
    const ResolvedFont* font = source.fonts().Resolve(family, 0, 128);
    if (font == nullptr || family != font->face->family_name) {
        state.SkipWithError("face not installed");
        return;
    }
    const auto outlines = Outlines(*font, text);
    BevelCoverage total;
    for (const auto& outline : outlines) {
        total += MeasureCoverage(outline->face, InsetFace(outline->face, width, 1, false), width);
    }
    TimeInsets(state, outlines, width, 1);
    state.counters["bevelled"] = 100.0 * total.bevelled / total.length;
    state.counters["kept/roomy"] = 100.0 * total.kept / total.roomy;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    GlyphSource source;
    const std::pair<const char*, std::u32string> texts[] = {{"W1", W1Characters()},
                                                            {"HardKanji", U"鬱髪驚識曜議"}};
    for (const char* family :
         {"IPAMincho", "IPAexMincho", "IPAGothic", "IPAexGothic", "IPAPMincho", "IPAPGothic"}) {
        for (const auto& [name, text] : texts) {
            for (float width : {0.02f, 0.05f}) {
                const std::string label =
                    std::string(family) + "/" + name + "/" + std::to_string(width).substr(0, 4);
                benchmark::RegisterBenchmark(label.c_str(), [&source, family, text = text,
                                                             width](benchmark::State& state) {
                    MeasureWidths(state, source, family, text, width);
                })->Unit(benchmark::kMillisecond);
            }
        }
    }
    const std::u32string w1 = texts[0].second;
    benchmark::RegisterBenchmark("W1/RoundBevelInsets", [&source, w1](benchmark::State& state) {
        const ResolvedFont* font = source.fonts().Resolve("ＭＳ 明朝", 0, 128);
        if (font == nullptr) {
            state.SkipWithError("no font");
            return;
        }
        TimeInsets(state, Outlines(*font, w1), 0.02f, 4);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
