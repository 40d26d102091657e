// Undo and redo on the real window: random commands and dialog sessions undone and redone give
// back the very scene files, a dialog session is one step, the texture's own message.
#include <unistd.h>
#include <wx/slider.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/command_dispatch.h"
#include "app/unsaved_changes.h"
#include "dialogs/bevel_dialog.h"
#include "dialogs/light_dialog.h"
#include "dialogs/material_dialog.h"
#include "dialogs/object_select_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/scale_dialog.h"
#include "dialogs/shadow_dialog.h"
#include "dialogs/target_dialog.h"
#include "dialogs/text_entry_dialog.h"
#include "formats/scene_file.h"
#include "gui/property_dialog_driver.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "support/bmp_samples.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kUndo = 40080;
constexpr int kRedo = 40081;

// Plays the user in a dialog shown without a modal loop, then closes it with closeId.
template <class Dialog>
class Use : public wxExpectModalBase<Dialog, Use<Dialog>> {
  public:
    Use(int closeId, std::function<void(Dialog&)> act) : closeId_(closeId), act_(std::move(act)) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        dialog->Show();
        act_(*dialog);
        dialog->Hide();
        return closeId_;
    }

  private:
    int closeId_;
    std::function<void(Dialog&)> act_;
};

std::function<void(TextEntryDialog&)> Typing(const std::string& utf8) {
    return [utf8](TextEntryDialog& dialog) {
        auto* text = wxDynamicCast(dialog.FindWindow(TextEntryDialog::kTextId), wxTextCtrl);
        ASSERT_NE(text, nullptr);
        text->ChangeValue(wxString::FromUTF8(utf8));
        ClickButton(&dialog, TextEntryDialog::kApplyButtonId);
    };
}

class UndoTest : public ShellTest {
  protected:
    std::string WriteBmp(const std::string& name, uint8_t blue) {
        const auto bytes = bmp_samples::Make24(32, 32, [blue](int x, int y) {
            return bmp_samples::Rgb{static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8), blue};
        });
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    void Run(int command) { DispatchCommand(frame->context(), command); }

    std::vector<uint8_t> File() const { return EncodeSceneFile(*scene); }

    // What the file does not show of a slot: its glyphs and its texture.
    std::vector<int> Built() const {
        std::vector<int> built;
        for (const TextObject& object : scene->objects) {
            built.push_back(object.glyphCount * 2 + (object.hasTexture ? 1 : 0));
        }
        return built;
    }

    std::string MenuLabel(int command) const {
        return frame->GetMenuBar()->FindItem(ToWxId(command))->GetItemLabel().utf8_string();
    }
    bool MenuEnabled(int command) const {
        return frame->GetMenuBar()->FindItem(ToWxId(command))->IsEnabled();
    }

    TempFolder dir{"vm_undo"};
};

TEST_F(UndoTest, RandomEditsUndoneGiveBackTheOpenedFileAndRedoneTheEditedOne) {
    // A step before Open, which must not survive it.
    MakeLive(0);
    scene->currentObject = 0;
    wxTEST_DIALOG(Run(40014), Use<PositionDialog>(1007, [](auto& d) { PressArrow(&d, 40025, 1); }));
    ASSERT_NE(frame->document().history.NextUndo(), nullptr);

    const std::string textures[] = {WriteBmp("a.bmp", 10), WriteBmp("b.bmp", 200)};
    Scene made;
    const char* texts[] = {"AB", "xyz", "Q"};
    for (int slot = 0; slot < 3; ++slot) {
        made.objects[slot].SetText(texts[slot]);
        made.objects[slot].glyphCount = 1;
        made.objects[slot].position[0] = static_cast<float>(slot) - 1.0f;
    }
    made.objects[1].SetTextureFile(textures[0]);
    const fs::path opened = dir / "opened.vmk";
    ASSERT_EQ(WriteSceneFile(opened.string(), made), SceneFileStatus::kOk);
    for (TextObject& object : made.objects) {
        object.glyphCount = 0;  // names of no context
    }
    prompts.fileAnswers.push_back({true, opened.string(), 0});
    Run(40071 /* open */);
    ASSERT_EQ(scene->FilePath(), opened.string());
    EXPECT_EQ(frame->document().history.NextUndo(), nullptr);
    EXPECT_FALSE(MenuEnabled(kUndo));

    const std::vector<uint8_t> before = File();
    const std::vector<int> builtBefore = Built();
    ASSERT_EQ(builtBefore[1] % 2, 1) << "texture of the opened file";

    std::mt19937 random(20240611);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto presses = [&pick](wxWindow& dialog, int firstSpin, int spins) {
        for (int i = 0, n = 1 + pick(4); i < n; ++i) {
            PressArrow(&dialog, firstSpin + pick(spins), pick(2) == 0 ? 1 : -1);
        }
    };
    auto pickLive = [&] {
        std::vector<int> live;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (scene->objects[slot].IsLive()) {
                live.push_back(slot);
            }
        }
        scene->currentObject =
            live.empty() ? 0 : live[static_cast<size_t>(pick(static_cast<int>(live.size())))];
        return !live.empty();
    };
    const char* typed[] = {"ロゴ", "Vellum", "A3", "日本語", "xyz"};
    const char* faces[] = {"DejaVu Serif", "DejaVu Sans", "IPAGothic"};
    const std::vector<std::function<void()>> actions = {
        [&] { wxTEST_DIALOG(Run(40008), Use<TextEntryDialog>(0, Typing(typed[pick(5)]))); },
        [&] {
            if (pickLive()) {
                wxTEST_DIALOG(Run(40011), Use<TextEntryDialog>(0, Typing(typed[pick(5)])));
            }
        },
        [&] {
            if (pickLive()) {
                prompts.messageAnswers.push_back(MessageAnswer::kYes);
                Run(40018);
            }
        },
        [&] {
            if (pickLive()) {
                prompts.messageAnswers.push_back(MessageAnswer::kYes);
                wxTEST_DIALOG(Run(40026), Use<ObjectSelectDialog>(0, [](auto& d) {
                                  ClickButton(&d, ObjectSelectDialog::kDeleteId);
                              }));
            }
        },
        [&] {
            if (pickLive()) {
                prompts.fontAnswers.push_back({true, faces[pick(3)], pick(2), 0});
                Run(40019);
            }
        },
        [&] {
            if (pickLive()) {
                wxTEST_DIALOG(Run(40013), Use<MaterialDialog>(kMaterialCloseId, [&](auto& d) {
                                  presses(d, 40025, 9);
                              }));
            }
        },
        [&] {
            if (pickLive()) {
                wxTEST_DIALOG(Run(40014),
                              Use<PositionDialog>(1007, [&](auto& d) { presses(d, 40025, 3); }));
            }
        },
        [&] {
            if (pickLive()) {
                wxTEST_DIALOG(Run(40015),
                              Use<ScaleDialog>(1002, [&](auto& d) { presses(d, 40025, 3); }));
            }
        },
        [&] {
            if (pickLive()) {
                wxTEST_DIALOG(Run(40016),
                              Use<RotationDialog>(1011, [&](auto& d) { presses(d, 40025, 3); }));
            }
        },
        [&] {
            if (pickLive()) {
                prompts.fileAnswers.push_back({true, textures[pick(2)], 0});
                Run(40012);
            }
        },
        [&] {
            if (pickLive()) {
                Run(40020);
            }
        },
        [&] {
            wxTEST_DIALOG(Run(40027), Use<LightDialog>(1007, [&](auto& d) {
                              presses(d, 40025, 3);
                              ClickCheckBox(
                                  &d, pick(2) == 0 ? kShowLightCheckId : kParallelLightCheckId);
                          }));
        },
        [&] {
            prompts.colourAnswers.push_back({static_cast<unsigned char>(pick(256)), 0, 90});
            wxTEST_DIALOG(Run(40025), Use<ShadowDialog>(wxID_OK, [&](auto& d) {
                              presses(d, 40025, 4);
                              ClickCheckBox(&d, kDrawShadowCheckId);
                              ClickButton(&d, ToWxId(kShadowColourCommand));
                          }));
        },
        [&] {
            wxTEST_DIALOG(Run(40028),
                          Use<TargetDialog>(1007, [&](auto& d) { presses(d, 40025, 3); }));
        },
        [&] {
            prompts.colourAnswers.push_back({static_cast<unsigned char>(pick(256)), 40, 40});
            wxTEST_DIALOG(Run(40064), Use<PreferencesDialog>(wxID_CANCEL, [&](auto& d) {
                              auto* slider = wxDynamicCast(d.FindWindow(kIdPerspective), wxSlider);
                              slider->SetValue(1 + pick(100));
                              wxScrollEvent drag(wxEVT_SCROLL_THUMBTRACK, kIdPerspective,
                                                 slider->GetValue());
                              d.OnPerspectiveScroll(drag);
                              wxCommandEvent press(wxEVT_BUTTON, kIdBackgroundColour);
                              d.OnBackgroundColour(press);
                          }));
        },
        [&] { Run(40021 /* zoom in: no step */); },
    };
    // Every action three times (new objects six), in a random order.
    std::vector<size_t> order;
    for (size_t i = 0; i < actions.size(); ++i) {
        order.insert(order.end(), i == 0 ? 6 : 3, i);
    }
    std::shuffle(order.begin(), order.end(), random);
    for (const size_t action : order) {
        actions[action]();
    }
    const std::vector<uint8_t> after = File();
    const std::vector<int> builtAfter = Built();
    ASSERT_NE(after, before);

    size_t undone = 0;
    while (MenuEnabled(kUndo)) {
        Run(kUndo);
        ASSERT_LE(++undone, EditHistory::kMaxSteps);
    }
    EXPECT_GT(undone, 30u);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(Built(), builtBefore);
    // Back at the opened file: closing asks nothing.
    prompts.messages.clear();
    EXPECT_TRUE(RunCloseProcedure(frame->context()));
    EXPECT_TRUE(prompts.messages.empty());

    size_t redone = 0;
    while (MenuEnabled(kRedo)) {
        Run(kRedo);
        ++redone;
    }
    EXPECT_EQ(redone, undone);
    EXPECT_EQ(File(), after);
    EXPECT_EQ(Built(), builtAfter);
    EXPECT_EQ(IsSceneModified(*scene), 1);
}

TEST_F(UndoTest, ADialogSessionIsOneStepAndAnUntouchedDialogNone) {
    MakeLive(2);
    scene->currentObject = 2;
    EXPECT_EQ(MenuLabel(kUndo), "元に戻す(&U)　Ctrl+Z");
    EXPECT_FALSE(MenuEnabled(kUndo));
    wxTEST_DIALOG(Run(40014), Use<PositionDialog>(1007, [](auto& d) {
                      for (int i = 0; i < 10; ++i) {
                          PressArrow(&d, 40025, +1);
                      }
                  }));
    wxTEST_DIALOG(Run(40027), Use<LightDialog>(1007, [](auto&) {}));
    wxTEST_DIALOG(Run(40015), Use<ScaleDialog>(1002, [](auto&) {}));
    Run(40003 /* reset view */);
    EXPECT_EQ(frame->document().history.size(), 1u);
    EXPECT_EQ(MenuLabel(kUndo), "元に戻す: 位置の変更(&U)　Ctrl+Z");
    EXPECT_TRUE(MenuEnabled(kUndo));
    EXPECT_EQ(MenuLabel(kRedo), "やり直し(&R)　Ctrl+Y");
    EXPECT_FALSE(MenuEnabled(kRedo));

    // The menu item takes back all ten presses at once.
    wxCommandEvent undo(wxEVT_MENU, ToWxId(kUndo));
    frame->ProcessWindowEvent(undo);
    EXPECT_EQ(scene->objects[2].position[0], 0.0f);
    EXPECT_FALSE(MenuEnabled(kUndo));
    EXPECT_EQ(MenuLabel(kRedo), "やり直し: 位置の変更(&R)　Ctrl+Y");
    Run(kRedo);
    EXPECT_FLOAT_EQ(scene->objects[2].position[0], 1.0f);
}

TEST_F(UndoTest, TheBevelDialogAppliesAtOnceAndIsOneStepToUndo) {
    MakeLive(1, "\x88\xea");  // 一: the thinnest of strokes
    scene->currentObject = 1;
    const std::vector<uint8_t> unbevelled = File();
    wxTEST_DIALOG(Run(40076), Use<BevelDialog>(wxID_OK, [this](BevelDialog& d) {
                      auto* profile = wxDynamicCast(d.FindWindow(kBevelProfileId), wxChoice);
                      ASSERT_NE(profile, nullptr);
                      EXPECT_FALSE(d.FindWindow(kBevelWidthId)->IsEnabled());
                      profile->SetSelection(2);
                      wxCommandEvent chosen(wxEVT_CHOICE, kBevelProfileId);
                      chosen.SetEventObject(profile);
                      profile->GetEventHandler()->ProcessEvent(chosen);
                      EXPECT_TRUE(d.FindWindow(kBevelSegmentsId)->IsEnabled());
                      auto* width = wxDynamicCast(d.FindWindow(kBevelWidthId), wxSpinCtrlDouble);
                      ASSERT_NE(width, nullptr);
                      width->SetValue(0.05);
                      wxSpinDoubleEvent changed(wxEVT_SPINCTRLDOUBLE, kBevelWidthId);
                      changed.SetEventObject(width);
                      width->GetEventHandler()->ProcessEvent(changed);
                      // Applied while the dialog is open, glyph built anew.
                      EXPECT_EQ(scene->objects[1].bevel.profile, BevelProfile::kRound);
                      EXPECT_EQ(scene->objects[1].glyphCount, 1);
                  }));
    const TextObject& object = scene->objects[1];
    EXPECT_FLOAT_EQ(object.bevel.width, 0.05f);
    EXPECT_EQ(object.touched, 1);
    EXPECT_GT(File().size(), unbevelled.size());
    EXPECT_EQ(MenuLabel(kUndo), "元に戻す: ベベルの変更(&U)　Ctrl+Z");
    Run(kUndo);
    EXPECT_EQ(object.bevel.profile, BevelProfile::kNone);
    EXPECT_EQ(File(), unbevelled);
}

TEST_F(UndoTest, UndoneTextureDeletionLoadsTheFileAgainOrNamesItAndDropsThePath) {
    MakeLive(3);
    scene->currentObject = 3;
    const std::string path = WriteBmp("t.bmp", 0);
    prompts.fileAnswers.push_back({true, path, 0});
    Run(40012);
    Run(40020);
    ASSERT_FALSE(scene->objects[3].hasTexture);
    EXPECT_EQ(MenuLabel(kUndo), "元に戻す: テクスチャの削除(&U)　Ctrl+Z");
    Run(kUndo);
    EXPECT_TRUE(scene->objects[3].hasTexture);
    EXPECT_EQ(scene->objects[3].TextureFile(), path);
    Run(kRedo);
    EXPECT_FALSE(scene->objects[3].hasTexture);

    fs::remove(path);
    prompts.messages.clear();
    Run(kUndo);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "BMP to RGB");
    EXPECT_EQ(prompts.messages[0].text, std::string(texts::kBmpOpenFailed) + "\n" + path);
    // Neither texture nor path: a save must not keep a texture the view does not show.
    EXPECT_FALSE(scene->objects[3].hasTexture);
    EXPECT_EQ(scene->objects[3].TextureFile(), "");
    EXPECT_EQ(IsSceneModified(*scene), 1);
}

}  // namespace
