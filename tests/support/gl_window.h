#pragma once
// A real, shown GL canvas with its context current, for tests that read pixels back.

#include <GL/gl.h>
#include <wx/frame.h>

#include <string>
#include <vector>

#include "app/gl_view.h"
#include "app/render_context.h"
#include "support/scripted_prompts.h"

class GlTestWindow {
  public:
    // Client area width x height; antialias 1 asks for an accumulation buffer.
    GlTestWindow(int width, int height, int antialias = 1);
    ~GlTestWindow();
    bool ready() const { return ready_; }
    int width() const { return width_; }
    int height() const { return height_; }

    struct Rgb {
        int r, g, b;
    };
    // Pixel of the back buffer, (x, y) counted from the top-left corner.
    Rgb Pixel(int x, int y) const;
    // Whole back buffer, top row first.
    std::vector<Rgb> ReadAll() const;
    int CountPixels(bool (*predicate)(Rgb)) const;
    // Writes the back buffer as a binary PPM, so a failing pixel test can be looked at.
    void SaveImage(const std::string& path) const;

    ScriptedPrompts prompts;

  private:
    wxFrame* frame_ = nullptr;
    RenderContext context_;
    int width_, height_;
    bool ready_ = false;
};
