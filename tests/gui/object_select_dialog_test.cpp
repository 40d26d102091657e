// The object selection dialog through the dispatcher: the list, the highlight that follows the
// number, the closing steps, deletion, and the action of every button once the dialog has gone.
#include "dialogs/object_select_dialog.h"

#include <unistd.h>
#include <wx/testing.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/command_dispatch.h"
#include "dialogs/material_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/scale_dialog.h"
#include "dialogs/text_entry_dialog.h"
#include "gui/property_dialog_driver.h"
#include "gui/shell_fixture.h"
#include "support/bmp_samples.h"

namespace {

constexpr int kSelectObject = 40026;

// Plays the user: shows the dialog without a modal loop, lets act work it, and notes whether
// the dialog was still open afterwards.
class UseSelect : public wxExpectModalBase<ObjectSelectDialog, UseSelect> {
  public:
    UseSelect(std::function<void(ObjectSelectDialog&)> act, bool* stillOpen = nullptr)
        : act_(std::move(act)), stillOpen_(stillOpen) {}

  protected:
    int OnInvoked(ObjectSelectDialog* dialog) const override {
        dialog->Show();
        act_(*dialog);
        if (stillOpen_ != nullptr) {
            *stillOpen_ = dialog->IsShown();
        }
        dialog->Hide();
        return 0;
    }

  private:
    std::function<void(ObjectSelectDialog&)> act_;
    bool* stillOpen_;
};

UseSelect ChooseSecondAndPress(int buttonId) {
    return UseSelect([buttonId](ObjectSelectDialog& dialog) {
        PressArrow(&dialog, ObjectSelectDialog::kSpinCommand, +1);
        ClickButton(&dialog, buttonId);
    });
}

UseSelect Press(int buttonId) {
    return UseSelect([buttonId](ObjectSelectDialog& dialog) { ClickButton(&dialog, buttonId); });
}

// A follow-up dialog: checks it, then closes it.
template <class Dialog>
class FollowUp : public wxExpectModalBase<Dialog, FollowUp<Dialog>> {
  public:
    explicit FollowUp(std::function<void(Dialog&)> act) : act_(std::move(act)) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        act_(*dialog);
        return 0;
    }

  private:
    std::function<void(Dialog&)> act_;
};

bool SelectDialogAlive() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (dynamic_cast<ObjectSelectDialog*>(window) != nullptr) {
            return true;
        }
    }
    return false;
}

}  // namespace

class ObjectSelectTest : public ShellTest {
  protected:
    int Highlighted() const {
        int found = -1;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (scene->objects[slot].highlighted == 1) {
                EXPECT_EQ(found, -1) << "more than one object highlighted";
                found = slot;
            }
        }
        return found;
    }

    // Checks what a follow-up dialog sees: the chosen object, no highlight, greyed buttons and
    // the selection dialog gone.
    void ExpectFollowUpOn(int slot) {
        EXPECT_EQ(scene->currentObject, slot);
        EXPECT_EQ(Highlighted(), -1);
        EXPECT_FALSE(ToolEnabled(kCmdPosition));
        EXPECT_FALSE(SelectDialogAlive());
    }
};

TEST_F(ObjectSelectTest, ListsObjectsAndTheHighlightFollowsTheNumber) {
    MakeLive(2);
    MakeLive(5);
    std::vector<std::string> shown;
    std::vector<int> highlighted;
    bool buttonsWhileOpen = false;
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  UseSelect([&](ObjectSelectDialog& d) {
                      EXPECT_EQ(d.slots(), (std::vector<int>{2, 5}));
                      EXPECT_EQ(d.GetParent(), frame);
                      buttonsWhileOpen = ToolEnabled(kCmdPosition);
                      auto note = [&] {
                          shown.push_back(EditText(&d, ObjectSelectDialog::kNumberId));
                          highlighted.push_back(Highlighted());
                      };
                      note();
                      for (int direction : {+1, +1, -1, -1}) {
                          PressArrow(&d, ObjectSelectDialog::kSpinCommand, direction);
                          note();
                      }
                      PressArrow(&d, ObjectSelectDialog::kSpinCommand, +1);
                      ClickButton(&d, ObjectSelectDialog::kCloseId);
                  }));
    EXPECT_EQ(shown, (std::vector<std::string>{"0", "1", "1", "0", "0"}));
    EXPECT_EQ(highlighted, (std::vector<int>{2, 5, 5, 2, 2}));
    EXPECT_TRUE(buttonsWhileOpen);
    // Closed: the last chosen object stays current, without highlight or object buttons.
    EXPECT_EQ(scene->currentObject, 5);
    EXPECT_EQ(Highlighted(), -1);
    EXPECT_FALSE(ToolEnabled(kCmdPosition));
    EXPECT_FALSE(ToolEnabled(kCmdEditText));
    EXPECT_EQ(scene->modified, 0);
    EXPECT_EQ(scene->objects[2].touched + scene->objects[5].touched, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ObjectSelectTest, OneObjectKeepsTheNumberAtZeroAndEscCloses) {
    MakeLive(7);
    // Picked with the mouse before.
    scene->currentObject = 7;
    scene->objects[7].highlighted = 1;
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  UseSelect([&](ObjectSelectDialog& d) {
                      PressArrow(&d, ObjectSelectDialog::kSpinCommand, +1);
                      PressArrow(&d, ObjectSelectDialog::kSpinCommand, -1);
                      EXPECT_EQ(EditText(&d, ObjectSelectDialog::kNumberId), "0");
                      EXPECT_EQ(Highlighted(), 7);
                      wxKeyEvent esc(wxEVT_CHAR_HOOK);
                      esc.m_keyCode = WXK_ESCAPE;
                      d.ProcessWindowEvent(esc);
                      EXPECT_FALSE(d.IsShown());
                  }));
    EXPECT_EQ(scene->currentObject, 7);
    EXPECT_EQ(Highlighted(), -1);
}

TEST_F(ObjectSelectTest, OpeningMovesAMousePickedHighlightToTheFirstListed) {
    MakeLive(1);
    MakeLive(4);
    scene->currentObject = 4;
    scene->objects[4].highlighted = 1;
    frame->context().EnableObjectButtons();
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  UseSelect([&](ObjectSelectDialog& d) {
                      EXPECT_EQ(Highlighted(), 1);
                      EXPECT_EQ(scene->currentObject, 1);
                      ClickButton(&d, ObjectSelectDialog::kCloseId);
                  }));
    EXPECT_EQ(scene->currentObject, 1);
}

TEST_F(ObjectSelectTest, EmptySceneSaysSoAndChangesNothing) {
    // A free slot left current by a cancelled new object.
    scene->currentObject = 3;
    wxTEST_DIALOG(
        DispatchCommand(frame->context(), kSelectObject),
        UseSelect([](ObjectSelectDialog&) { ADD_FAILURE() << "dialog shown"; }).Optional());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "オブジェクトはありません。");
    EXPECT_EQ(prompts.messages[0].caption, "Vellumarkライター　version 5.00  ");
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kOk);
    EXPECT_NE(prompts.messages[0].owner, frame);
    EXPECT_EQ(scene->currentObject, 3);
    EXPECT_EQ(Highlighted(), -1);
    EXPECT_FALSE(ToolEnabled(kCmdPosition));
}

TEST_F(ObjectSelectTest, DeletionAsksWithTheWholeTextAndNoKeepsTheDialogOpen) {
    const std::string longText(127, 'x');
    MakeLive(0, "A");
    MakeLive(3, longText.c_str());
    prompts.messageAnswers = {MessageAnswer::kNo, MessageAnswer::kYes};
    bool openAfterNo = false;
    int highlightedAfterNo = -1;
    wxWindow* dialogSeen = nullptr;
    bool openAfterYes = true;
    int modifiedAfterNo = -1;
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  UseSelect(
                      [&](ObjectSelectDialog& d) {
                          dialogSeen = &d;
                          PressArrow(&d, ObjectSelectDialog::kSpinCommand, +1);
                          ClickButton(&d, ObjectSelectDialog::kDeleteId);
                          openAfterNo = d.IsShown();
                          highlightedAfterNo = Highlighted();
                          modifiedAfterNo = IsSceneModified(*scene);
                          ClickButton(&d, ObjectSelectDialog::kDeleteId);
                      },
                      &openAfterYes));
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(highlightedAfterNo, 3);
    EXPECT_FALSE(openAfterYes);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, longText + "　を削除してよろしいですか？");
    EXPECT_EQ(prompts.messages[0].caption, "削除の確認");
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNo);
    EXPECT_EQ(prompts.messages[0].owner, dialogSeen);
    // Yes: the slot is free, still current, and nothing is highlighted or enabled.
    EXPECT_FALSE(scene->objects[3].IsLive());
    EXPECT_EQ(scene->objects[3].Text(), "");
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->currentObject, 3);
    EXPECT_EQ(Highlighted(), -1);
    EXPECT_FALSE(ToolEnabled(kCmdDeleteObject));
    // A deletion is an unsaved change, so New or closing asks about it.
    EXPECT_EQ(modifiedAfterNo, 0);
    EXPECT_EQ(IsSceneModified(*scene), 1);
}

TEST_F(ObjectSelectTest, PropertyButtonsOpenTheirDialogOnTheChosenObjectAfterClosing) {
    MakeLive(2);
    MakeLive(6);
    TextObject& chosen = scene->objects[6];

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kPositionId),
                  FollowUp<PositionDialog>([&](PositionDialog& d) {
                      ExpectFollowUpOn(6);
                      PressArrow(&d, 40025, +1);
                  }));
    EXPECT_EQ(chosen.position[0], 0.1f);
    EXPECT_EQ(scene->objects[2].position[0], 0.0f);

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kRotationId),
                  FollowUp<RotationDialog>([&](RotationDialog& d) {
                      ExpectFollowUpOn(6);
                      PressArrow(&d, 40027, +1);
                  }));
    EXPECT_EQ(chosen.rotation[2], 1.0f);

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kSizeId),
                  FollowUp<ScaleDialog>([&](ScaleDialog& d) {
                      ExpectFollowUpOn(6);
                      PressArrow(&d, 40025, +1);
                  }));
    EXPECT_EQ(chosen.scale[0], 1.1f);

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kColourId),
                  FollowUp<MaterialDialog>([&](MaterialDialog& d) {
                      ExpectFollowUpOn(6);
                      PressArrow(&d, 40025, -1);
                  }));
    EXPECT_EQ(chosen.diffuse[0], 254.0f / 255.0f);

    std::string textShown;
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kEditTextId),
                  FollowUp<TextEntryDialog>([&](TextEntryDialog& d) {
                      ExpectFollowUpOn(6);
                      textShown = EditText(&d, TextEntryDialog::kTextId);
                  }));
    EXPECT_EQ(textShown, "A");
    EXPECT_EQ(scene->objects[2].position[0] + scene->objects[2].rotation[2], 0.0f);
}

TEST_F(ObjectSelectTest, AnObjectEditedFromTheDialogCountsAsUnsaved) {
    MakeLive(2);
    MakeLive(6);
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kPositionId),
                  FollowUp<PositionDialog>([&](PositionDialog& d) { PressArrow(&d, 40025, +1); }));
    EXPECT_EQ(scene->objects[6].touched, 1);
    EXPECT_EQ(scene->objects[2].touched, 0);
    EXPECT_EQ(IsSceneModified(*scene), 1);
}

TEST_F(ObjectSelectTest, FontButtonOpensThePickerOnItsOwnDefaultAndACancelChangesNothing) {
    MakeLive(4, "A");
    TextObject& object = scene->objects[4];
    ASSERT_EQ(object.FaceName(), kDefaultFaceName);

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  Press(ObjectSelectDialog::kFontId));
    ASSERT_EQ(prompts.fontRequests.size(), 1u);
    EXPECT_EQ(prompts.fontRequests[0].faceName, "");
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.glyphCount, 1);

    prompts.fontAnswers.push_back({true, "IPAexGothic", 1, 128});
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  Press(ObjectSelectDialog::kFontId));
    ASSERT_EQ(prompts.fontRequests.size(), 2u);
    // Not preset from the object, nor from the previous pick.
    EXPECT_EQ(prompts.fontRequests[1].faceName, "");
    EXPECT_EQ(object.FaceName(), "IPAexGothic");
    EXPECT_EQ(object.italic, 1);
    EXPECT_EQ(object.charSet, 128);
    EXPECT_EQ(object.glyphCount, 1);
    EXPECT_NE(object.glyphCharacters[0], 0u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Highlighted(), -1);
}

TEST_F(ObjectSelectTest, TextureButtonsPutAnImageOnTheChosenObjectAndTakeItOff) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("vm_select_texture_" + std::to_string(::getpid()) + ".bmp");
    {
        const std::vector<uint8_t> bytes = bmp_samples::Make24(8, 8, [](int, int) {
            return bmp_samples::Rgb{200, 10, 10};
        });
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    MakeLive(1);
    MakeLive(5);
    TextObject& chosen = scene->objects[5];

    prompts.fileAnswers.push_back({true, file.string(), 0});
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kLoadTextureId));
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].title, "テクスチャ用ビットマップファイルを開く");
    EXPECT_TRUE(chosen.hasTexture);
    EXPECT_EQ(chosen.TextureFile(), file.string());
    EXPECT_FALSE(scene->objects[1].hasTexture);
    EXPECT_TRUE(prompts.messages.empty());

    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kDeleteTextureId));
    EXPECT_FALSE(chosen.hasTexture);
    EXPECT_EQ(chosen.TextureFile(), "");
    EXPECT_TRUE(prompts.messages.empty());

    // Once more: there is nothing to take off, and the user is told so.
    wxTEST_DIALOG(DispatchCommand(frame->context(), kSelectObject),
                  ChooseSecondAndPress(ObjectSelectDialog::kDeleteTextureId));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "テクスチャは読み込まれていません");
    EXPECT_EQ(Highlighted(), -1);
    EXPECT_FALSE(ToolEnabled(kCmdLoadTexture));
    std::filesystem::remove(file);
}
