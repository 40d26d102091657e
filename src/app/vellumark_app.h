#pragma once

#include <wx/app.h>

#include <memory>
#include <string>
#include <utility>

#include "app/wx_user_prompts.h"
#include "scene/app_settings.h"
#include "scene/scene.h"
#include "text/glyph_source.h"

class MainFrame;

// Holds the one document, the preferences and the fonts for the whole run.
class VellumarkApp : public wxApp {
  public:
    // scenePath: a file to open once the window is up (UTF-8), or empty.
    explicit VellumarkApp(std::string scenePath = {}) : scenePath_(std::move(scenePath)) {}
    bool OnInit() override;

    Scene& scene() { return scene_; }
    AppSettings& settings() { return settings_; }

  private:
    // Declared first, so it outlives the prompts and the window's glyph lists.
    GlyphSource glyphSource_;
    Scene scene_;
    AppSettings settings_;
    std::unique_ptr<WxUserPrompts> prompts_;
    std::string scenePath_;
};

// Environment the program needs before the toolkit starts (GLX, allocator tuning, the
// toolkit's message language).
void PrepareProcessEnvironment();
