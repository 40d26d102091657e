// One pick over a scene of 32 live objects, in a real GL context (run under a display or Xvfb).
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <cstdio>

#include "app/gl_view.h"
#include "app/render_context.h"
#include "app/vellumark_app.h"
#include "app/wx_user_prompts.h"
#include "render/picking.h"
#include "render/projection.h"
#include "render/renderer.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;
constexpr int kGlyphsPerObject = 4;

// A glyph stand-in about as heavy as a kanji: a grid of cells x cells quads as plain triangles,
// front and back, then the pen advance.
GLuint MakeDenseGlyphList(int cells) {
    const GLuint list = glGenLists(1);
    const float step = 1.0f / static_cast<float>(cells);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (const float z : {0.0f, -1.0f}) {
        glNormal3f(0, 0, z == 0.0f ? 1.0f : -1.0f);
        for (int i = 0; i < cells; ++i) {
            for (int j = 0; j < cells; ++j) {
                const float x0 = static_cast<float>(i) * step, y0 = static_cast<float>(j) * step;
                const float x1 = x0 + step, y1 = y0 + step;
                glVertex3f(x0, y0, z);
                glVertex3f(x1, y0, z);
                glVertex3f(x1, y1, z);
                glVertex3f(x0, y0, z);
                glVertex3f(x1, y1, z);
                glVertex3f(x0, y1, z);
            }
        }
    }
    glEnd();
    glTranslatef(1, 0, 0);
    glEndList();
    return list;
}

struct PickBench {
    Scene scene;
    Renderer renderer{scene};
};
PickBench* bench = nullptr;

void FillScene(PickBench& b, GLuint glyph) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = b.scene.objects[slot];
        object.SetIndex(slot);
        for (int i = 0; i < kGlyphsPerObject; ++i) {
            object.glyphLists[i] = glyph;
        }
        object.glyphCount = kGlyphsPerObject;
        object.textWidth = static_cast<float>(kGlyphsPerObject);
        object.textHeight = 1.0f;
        object.SetScale(0.3f, 0.3f, 0.3f);
        // An 8 x 4 grid across the view; the middle ones overlap at different depths.
        object.SetPosition(-2.8f + 0.8f * static_cast<float>(slot % 8),
                           -1.85f + 0.9f * static_cast<float>(slot / 8),
                           -0.05f * static_cast<float>(slot));
    }
}

void BM_PickObject(benchmark::State& state) {
    int hit = -1;
    for (auto _ : state) {
        hit = PickObject(bench->renderer, kViewWidth / 2, kViewHeight / 2);
        benchmark::DoNotOptimize(hit);
    }
    state.counters["slot"] = hit;
}
BENCHMARK(BM_PickObject)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    PrepareProcessEnvironment();
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wx (no display?)\n");
        return 1;
    }
    int result = 1;
    {
        WxUserPrompts prompts;
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
        RenderContext context = CreateRenderContext(frame, 0, prompts);
        if (context.IsValid()) {
            frame->SetClientSize(kViewWidth, kViewHeight);
            context.canvas->SetSize(0, 0, kViewWidth, kViewHeight);
            frame->Show();
            bool current = false;
            for (wxStopWatch watch; !current && watch.Time() < 10000; wxMilliSleep(5)) {
                wxTheApp->Yield(true);
                current = context.canvas->IsShownOnScreen() &&
                          context.canvas->SetCurrent(*context.context);
            }
            if (current) {
                PickBench b;
                bench = &b;
                InitRenderState();
                SetViewportToClient(kViewWidth, kViewHeight);
                ResetProjection(0, b.scene.backgroundColor, b.scene.view.perspective);
                const GLuint glyph = MakeDenseGlyphList(16);
                FillScene(b, glyph);
                b.renderer.RenderScene(0);  // picking needs the view transform of a frame
                benchmark::RunSpecifiedBenchmarks();
                for (TextObject& object : b.scene.objects) {
                    object.glyphCount = 0;
                }
                glDeleteLists(glyph, 1);
                bench = nullptr;
                result = 0;
            }
            ReleaseRenderContext(context, frame, prompts);
        }
        frame->Destroy();
        wxTheApp->Yield(true);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
