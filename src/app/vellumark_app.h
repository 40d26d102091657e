#pragma once

#include <wx/app.h>

#include <memory>

#include "app/wx_user_prompts.h"
#include "scene/app_settings.h"
#include "scene/scene.h"

class MainFrame;

// Holds the one document and the preferences for the whole run.
class VellumarkApp : public wxApp {
public:
    bool OnInit() override;

    Scene& scene() { return scene_; }
    AppSettings& settings() { return settings_; }

private:
    Scene scene_;
    AppSettings settings_;
    std::unique_ptr<WxUserPrompts> prompts_;
};

// Environment the program needs before the toolkit starts (GLX, allocator tuning).
void PrepareProcessEnvironment();
