// Glyph building (outline geometry and display lists) and drawing of built text, in a real GL
// context (run under a display or Xvfb).
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/projection.h"
#include "render/renderer.h"
#include "scene/cp932.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"
#include "text/character_codes.h"
#include "text/font_resolver.h"
#include "text/outline_glyph.h"
#include "text/outline_glyph_cache.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

std::string Cp932(const char* utf8) {
    return Utf8ToCp932(utf8).value();
}

// count distinct kana and kanji as CP932 bytes: hiragana from 0x829F, then level-1 kanji.
std::string KanaAndKanji(int count, int skip = 0) {
    std::vector<unsigned> codes;
    for (unsigned code = 0x829F; code <= 0x82F1; ++code) {
        codes.push_back(code);
    }
    for (unsigned lead = 0x88; lead <= 0x9F && codes.size() < 2000; ++lead) {
        for (unsigned trail = lead == 0x88 ? 0x9F : 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F) {
                codes.push_back(lead * 256 + trail);
            }
        }
    }
    std::string text;
    for (int i = skip; i < skip + count; ++i) {
        text += static_cast<char>(codes[static_cast<size_t>(i)] >> 8);
        text += static_cast<char>(codes[static_cast<size_t>(i)] & 0xFF);
    }
    return text;
}

SceneBench* bench = nullptr;

void ClearObjects() {
    bench->Clear();
}

int64_t TriangleCount(const std::string& cp932, const TextObject& font) {
    const ResolvedFont* resolved = bench->source.fonts().Resolve(
        Cp932ToUtf8(font.FaceName()).value(), font.italic, font.charSet);
    int64_t triangles = 0;
    for (uint32_t code : ScanCharacterCodes(cp932)) {
        if (auto g = BuildGlyphGeometry(*resolved, bench->source.Character(code), font.scale[2])) {
            triangles += static_cast<int64_t>(g->mesh.TriangleCount());
        }
    }
    return triangles;
}

// Builds the texts into slots 0, 1, …; cold clears the outline cache first (outside the timing).
void BuildTexts(benchmark::State& state, const std::vector<std::string>& texts, bool cold) {
    int64_t glyphs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearObjects();
        if (cold) {
            bench->source.outlines().Clear();
        }
        glFinish();
        state.ResumeTiming();
        for (size_t i = 0; i < texts.size(); ++i) {
            TextObject& object = bench->scene.objects[i];
            object.SetText(texts[i]);
            bench->Build(object);
            glyphs += object.glyphCount;
        }
        glFinish();
    }
    int64_t triangles = 0;
    for (const std::string& text : texts) {
        triangles += TriangleCount(text, bench->scene.objects[0]);
    }
    const auto perBuild = static_cast<double>(glyphs) / static_cast<double>(state.iterations());
    state.counters["glyphs"] = perBuild;
    state.counters["triangles/glyph"] = static_cast<double>(triangles) / perBuild;
    ClearObjects();
}

const std::vector<std::string> kJapanese10{Cp932("日本語の立体文字ロゴ")};
const std::vector<std::string> kLatin20{"Vellumark 3D Writer!"};
const std::vector<std::string> k127Distinct{KanaAndKanji(63), KanaAndKanji(63, 63),
                                            KanaAndKanji(1, 126)};

std::vector<std::string> FullScene() {
    std::vector<std::string> texts;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        texts.push_back(KanaAndKanji(63, slot * 63 % 1500) + "A");  // 127 bytes each
    }
    return texts;
}

void BM_BuildJapanese10(benchmark::State& state) {
    BuildTexts(state, kJapanese10, true);
}
void BM_RebuildJapanese10Cached(benchmark::State& state) {
    BuildTexts(state, kJapanese10, false);
}
void BM_BuildLatin20(benchmark::State& state) {
    BuildTexts(state, kLatin20, true);
}
void BM_RebuildLatin20Cached(benchmark::State& state) {
    BuildTexts(state, kLatin20, false);
}
void BM_Build127KanaKanji(benchmark::State& state) {
    BuildTexts(state, k127Distinct, true);
}
void BM_Rebuild127KanaKanjiCached(benchmark::State& state) {
    BuildTexts(state, k127Distinct, false);
}
void BM_BuildFullScene(benchmark::State& state) {
    BuildTexts(state, FullScene(), true);
}
// What a context re-creation or a reopened scene costs once the outlines are known.
void BM_RebuildFullSceneCached(benchmark::State& state) {
    BuildTexts(state, FullScene(), false);
}

// The outline work alone (no GL): load, flatten, tessellate, extrude.
void BM_Geometry127KanaKanji(benchmark::State& state) {
    const ResolvedFont* font = bench->source.fonts().Resolve("ＭＳ 明朝", 0, 128);
    std::vector<char32_t> characters;
    for (const std::string& text : k127Distinct) {
        for (uint32_t code : ScanCharacterCodes(text)) {
            characters.push_back(bench->source.Character(code));
        }
    }
    for (auto _ : state) {
        for (char32_t c : characters) {
            benchmark::DoNotOptimize(BuildGlyphGeometry(*font, c, 0.3f));
        }
    }
}

void DrawScene(benchmark::State& state, const std::vector<std::string>& texts) {
    ClearObjects();
    for (size_t i = 0; i < texts.size(); ++i) {
        TextObject& object = bench->scene.objects[i];
        object.SetText(texts[i]);
        bench->Build(object);
        object.SetScale(0.4f, 0.4f, 0.3f);
        object.SetPosition(0.0f, 2.0f - 0.13f * static_cast<float>(i),
                           -0.1f * static_cast<float>(i));
    }
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        glFinish();
    }
    ClearObjects();
}

void BM_DrawTypicalLogo(benchmark::State& state) {
    DrawScene(state, std::vector<std::string>(5, kJapanese10[0]));
}
void BM_DrawFullScene(benchmark::State& state) {
    DrawScene(state, FullScene());
}

BENCHMARK(BM_BuildJapanese10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildJapanese10Cached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildLatin20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildLatin20Cached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Geometry127KanaKanji)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build127KanaKanji)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rebuild127KanaKanjiCached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFullScene)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RebuildFullSceneCached)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawTypicalLogo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawFullScene)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunSceneBenchmarkProgram(argc, argv, kViewWidth, kViewHeight, bench,
                                    [](SceneBench&) { return true; });
}
