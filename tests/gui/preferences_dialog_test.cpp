// The preferences dialog against a recording host: what it stores, and when it switches contexts.
#include "dialogs/preferences_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/texts.h"
#include "support/scripted_prompts.h"

namespace {

class RecordingHost : public PreferencesHost {
  public:
    void ApplyPerspective() override { calls.push_back("perspective"); }
    void ApplyBackground() override { calls.push_back("background"); }
    bool SwitchAntialiasOn() override {
        calls.push_back("on");
        hasContext = switchSucceeds;
        return switchSucceeds;
    }
    bool SwitchAntialiasOff() override {
        calls.push_back("off");
        return switchSucceeds;
    }
    bool HasRenderContext() const override { return hasContext; }

    std::vector<std::string> calls;
    bool switchSucceeds = true;
    bool hasContext = true;
};

class Preferences : public testing::Test {
  protected:
    wxSlider* Slider(PreferencesDialog& dialog, int id) {
        return static_cast<wxSlider*>(dialog.FindWindow(id));
    }
    wxCheckBox* Check(PreferencesDialog& dialog, int id) {
        return static_cast<wxCheckBox*>(dialog.FindWindow(id));
    }
    void Ok(PreferencesDialog& dialog) {
        wxCommandEvent event(wxEVT_BUTTON, wxID_OK);
        dialog.OnOk(event);
    }
    // The key itself, as the toolkit hands it to the dialog before any control sees it.
    void Escape(PreferencesDialog& dialog) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_ESCAPE;
        key.SetEventObject(&dialog);
        dialog.ProcessWindowEvent(key);
    }
    void ToggleAntialias(PreferencesDialog& dialog) {
        wxCommandEvent event(wxEVT_CHECKBOX, kIdAntialiasCheck);
        dialog.OnAntialiasCheck(event);
    }
    void DragPerspective(PreferencesDialog& dialog, int position) {
        Slider(dialog, kIdPerspective)->SetValue(position);
        wxScrollEvent event(wxEVT_SCROLL_THUMBTRACK, kIdPerspective, position);
        dialog.OnPerspectiveScroll(event);
    }

    Scene scene;
    AppSettings settings;
    ScriptedPrompts prompts;
    RecordingHost host;
};

TEST_F(Preferences, OpensWithTheStartValues) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kPreferencesCaption);
    EXPECT_TRUE(Check(dialog, kIdAntialiasCheck)->GetValue());
    EXPECT_EQ(Slider(dialog, kIdAntialiasLevel)->GetValue(), 3);
    EXPECT_TRUE(Slider(dialog, kIdAntialiasLevel)->IsEnabled());
    EXPECT_EQ(Slider(dialog, kIdPerspective)->GetValue(), 50);
    EXPECT_TRUE(Check(dialog, kIdProgressive)->GetValue());
    EXPECT_EQ(Slider(dialog, kIdJpegQuality)->GetValue(), 50);
    EXPECT_EQ(Slider(dialog, kIdJpegQuality)->GetMin(), 1);
    EXPECT_EQ(Slider(dialog, kIdAntialiasLevel)->GetMax(), 6);
}

TEST_F(Preferences, OpensOnThePerspectivePositionLastChosen) {
    for (const int position : {1, 3, 7, 13, 99}) {
        {
            PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
            DragPerspective(dialog, position);
        }
        PreferencesDialog reopened(nullptr, scene, settings, prompts, host);
        EXPECT_EQ(Slider(reopened, kIdPerspective)->GetValue(), position);
    }
}

TEST_F(Preferences, OkStoresLevelAndJpegSettingsWithoutTouchingTheContext) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    Slider(dialog, kIdAntialiasLevel)->SetValue(0);
    Slider(dialog, kIdJpegQuality)->SetValue(1);
    Check(dialog, kIdProgressive)->SetValue(false);
    Ok(dialog);
    EXPECT_EQ(settings.antialiasLevel, 2);
    EXPECT_EQ(settings.jpegQuality, 1);
    EXPECT_EQ(settings.jpegProgressive, 0);
    EXPECT_TRUE(host.calls.empty());

    PreferencesDialog again(nullptr, scene, settings, prompts, host);
    Slider(again, kIdAntialiasLevel)->SetValue(6);
    Ok(again);
    EXPECT_EQ(settings.antialiasLevel, 66);
}

TEST_F(Preferences, UncheckingDisablesTheLevelAndOkSwitchesOff) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    ToggleAntialias(dialog);
    EXPECT_FALSE(Slider(dialog, kIdAntialiasLevel)->IsEnabled());
    EXPECT_EQ(settings.antialias, 0);
    EXPECT_TRUE(host.calls.empty()) << "the context waits for OK";
    Ok(dialog);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"off"}));
}

TEST_F(Preferences, EscapeRestoresOnlyTheAntialiasFlag) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    ToggleAntialias(dialog);
    DragPerspective(dialog, 100);
    Slider(dialog, kIdJpegQuality)->SetValue(90);
    Escape(dialog);
    EXPECT_EQ(settings.antialias, 1);
    EXPECT_FLOAT_EQ(scene.view.perspective, 2.0f) << "the live perspective stays";
    EXPECT_EQ(settings.jpegQuality, 50);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"perspective"}));
    EXPECT_EQ(scene.modified, 0) << "a perspective change is not a modification";
}

TEST_F(Preferences, SwitchingOnFromOffAsksForANewContext) {
    settings.antialias = 0;
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    EXPECT_FALSE(Check(dialog, kIdAntialiasCheck)->GetValue());
    EXPECT_FALSE(Slider(dialog, kIdAntialiasLevel)->IsEnabled());
    ToggleAntialias(dialog);
    Ok(dialog);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"on"}));
    EXPECT_EQ(settings.antialias, 1);
}

TEST_F(Preferences, FailedCreationShowsTheMessageAndKeepsTheDialogOpenForAnotherTry) {
    settings.antialias = 0;
    host.switchSucceeds = false;
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    ToggleAntialias(dialog);
    Ok(dialog);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, texts::kOpenGlInitFailed);
    EXPECT_EQ(prompts.messages[0].caption, texts::kTitlePrefix);
    EXPECT_EQ(prompts.messages[0].owner, &dialog);
    EXPECT_EQ(settings.antialias, 1);
    host.switchSucceeds = true;
    Ok(dialog);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"on", "on"}));
}

TEST_F(Preferences, EscapeAfterAFailedSwitchOnLeavesWithAWorkingView) {
    settings.antialias = 0;
    host.switchSucceeds = false;
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    ToggleAntialias(dialog);
    Ok(dialog);
    ASSERT_FALSE(host.HasRenderContext());
    host.switchSucceeds = true;
    Escape(dialog);
    EXPECT_EQ(settings.antialias, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"on", "off"}));
}

TEST_F(Preferences, BlackBackgroundMakesWhiteGuidesAndMarksTheSceneModified) {
    prompts.colourAnswers.push_back({0, 0, 0});
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    wxCommandEvent press(wxEVT_BUTTON, kIdBackgroundColour);
    dialog.OnBackgroundColour(press);
    // Handed black, not the white background.
    EXPECT_EQ(prompts.colourPresets.at(0), (std::vector<unsigned char>{0, 0, 0}));
    EXPECT_FLOAT_EQ(scene.backgroundColor[0], 0.0f);
    EXPECT_FLOAT_EQ(scene.guideColor[2], 1.0f);
    EXPECT_FLOAT_EQ(scene.guideColor[1], 1.0f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"background"}));

    // A cancelled picker changes nothing.
    scene.modified = 0;
    dialog.OnBackgroundColour(press);
    EXPECT_EQ(scene.modified, 0);
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(Preferences, PerspectiveFollowsTheThumbOnEveryNotification) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    DragPerspective(dialog, 25);
    EXPECT_FLOAT_EQ(scene.view.perspective, 0.5f);
    DragPerspective(dialog, 1);
    EXPECT_FLOAT_EQ(scene.view.perspective, 0.02f);
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(Preferences, TabStopsFollowTheTemplate) {
    PreferencesDialog dialog(nullptr, scene, settings, prompts, host);
    std::vector<int> stops;
    for (const wxWindow* child : dialog.GetChildren()) {
        if (child->AcceptsFocus()) {
            stops.push_back(child->GetId());
        }
    }
    EXPECT_EQ(stops,
              (std::vector<int>{wxID_OK, kIdAntialiasLevel, kIdAntialiasCheck, kIdBackgroundColour,
                                kIdPerspective, kIdJpegQuality, kIdProgressive}));
}

TEST(AntialiasLevelPosition, FindsEachLevelAndFallsBackToTheFirst) {
    EXPECT_EQ(AntialiasLevelPosition(8), 3);
    EXPECT_EQ(AntialiasLevelPosition(66), 6);
    EXPECT_EQ(AntialiasLevelPosition(7), 0);
}

}  // namespace
