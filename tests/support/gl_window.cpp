#include "support/gl_window.h"

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <fstream>

GlTestWindow::GlTestWindow(int width, int height, int antialias) : width_(width), height_(height) {
    frame_ = new wxFrame(nullptr, wxID_ANY, "gl test");
    context_ = CreateRenderContext(frame_, antialias, prompts);
    if (!context_.IsValid()) {
        return;
    }
    frame_->SetClientSize(width, height);
    context_.canvas->SetSize(0, 0, width, height);
    frame_->Show();
    wxStopWatch watch;
    while (watch.Time() < 10000) {
        wxTheApp->Yield(true);
        if (context_.canvas->IsShownOnScreen() && context_.canvas->SetCurrent(*context_.context)) {
            ready_ = true;
            break;
        }
        wxMilliSleep(5);
    }
    const wxSize size = context_.canvas->GetClientSize();
    width_ = size.x;
    height_ = size.y;
    glViewport(0, 0, width_, height_);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_BACK);
}

GlTestWindow::~GlTestWindow() {
    if (context_.IsValid()) {
        ReleaseRenderContext(context_, frame_, prompts);
    }
    frame_->Destroy();
    wxTheApp->Yield(true);
}

GlTestWindow::Rgb GlTestWindow::Pixel(int x, int y) const {
    unsigned char rgb[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

std::vector<GlTestWindow::Rgb> GlTestWindow::ReadAll() const {
    std::vector<unsigned char> raw(static_cast<size_t>(width_) * height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    std::vector<Rgb> pixels(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const unsigned char* p = &raw[(static_cast<size_t>(height_ - 1 - y) * width_ + x) * 3];
            pixels[static_cast<size_t>(y) * width_ + x] = {p[0], p[1], p[2]};
        }
    }
    return pixels;
}

int GlTestWindow::CountPixels(bool (*predicate)(Rgb)) const {
    int count = 0;
    for (const Rgb& pixel : ReadAll()) {
        count += predicate(pixel) ? 1 : 0;
    }
    return count;
}

void GlTestWindow::SaveImage(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    for (const Rgb& pixel : ReadAll()) {
        const char rgb[3] = {static_cast<char>(pixel.r), static_cast<char>(pixel.g),
                             static_cast<char>(pixel.b)};
        out.write(rgb, 3);
    }
}
