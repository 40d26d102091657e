// The text dialog driven through its controls: apply, close, the empty-text question, the cut.
#include <wx/button.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>

#include "app/object_commands.h"
#include "dialogs/text_entry_dialog.h"
#include "gui/shell_fixture.h"

namespace {

// Plays the user: shows the dialog without a modal loop, types, presses buttons, and records
// whether the dialog was still open afterwards.
class UseTextEntry : public wxExpectModalBase<TextEntryDialog, UseTextEntry> {
  public:
    explicit UseTextEntry(std::function<void(TextEntryDialog&)> act) : act_(std::move(act)) {}

  protected:
    int OnInvoked(TextEntryDialog* dialog) const override {
        dialog->Show();
        act_(*dialog);
        dialog->Hide();
        return 0;
    }

  private:
    std::function<void(TextEntryDialog&)> act_;
};

void Type(TextEntryDialog& dialog, const std::string& utf8) {
    auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(TextEntryDialog::kTextId));
    ASSERT_NE(text, nullptr);
    text->ChangeValue(wxString::FromUTF8(utf8));
}

void Press(TextEntryDialog& dialog, int buttonId) {
    wxWindow* button = dialog.FindWindow(buttonId);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, buttonId);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

}  // namespace

class TextEntryTest : public ShellTest {
  protected:
    // Opens the dialog through New object and lets act play the user; returns whether the dialog
    // was still open when act ended.
    bool NewObjectWith(std::function<void(TextEntryDialog&)> act) {
        bool stillOpen = false;
        wxTEST_DIALOG(NewObject(frame->context()), UseTextEntry([&](TextEntryDialog& dialog) {
                          act(dialog);
                          stillOpen = dialog.IsShown();
                      }));
        return stillOpen;
    }
};

TEST_F(TextEntryTest, ApplyLaysOutOneGlyphPerCharacter) {
    const bool open = NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "Ab日本");
        Press(dialog, TextEntryDialog::kApplyButtonId);
    });
    EXPECT_FALSE(open);
    const TextObject& object = scene->objects[0];
    EXPECT_EQ(object.Text(), "Ab\x93\xfa\x96\x7b");
    EXPECT_EQ(object.glyphCount, 4);
    for (int i = 0; i < object.glyphCount; ++i) {
        EXPECT_NE(object.glyphCharacters[i], 0u) << i;
    }
    EXPECT_EQ(object.index, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(TextEntryTest, CloseAndEscLeaveTheSlotFree) {
    EXPECT_FALSE(NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "ignored");
        Press(dialog, TextEntryDialog::kCloseButtonId);
    }));
    EXPECT_FALSE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->objects[0].Text(), "");
    EXPECT_EQ(scene->currentObject, 0);
    EXPECT_FALSE(NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "ignored");
        wxKeyEvent esc(wxEVT_CHAR_HOOK);
        esc.m_keyCode = WXK_ESCAPE;
        dialog.ProcessWindowEvent(esc);
    }));
    EXPECT_FALSE(scene->objects[0].IsLive());
}

TEST_F(TextEntryTest, EmptyTextAsksAndNoKeepsTheDialogOpen) {
    MakeLive(0, "A");
    MakeLive(1, "B");
    prompts.messageAnswers = {MessageAnswer::kNo, MessageAnswer::kYes};
    bool openAfterNo = false;
    bool openAfterYes = true;
    scene->currentObject = 1;
    wxTEST_DIALOG(EditObjectText(frame->context()), UseTextEntry([&](TextEntryDialog& dialog) {
                      Type(dialog, "");
                      Press(dialog, TextEntryDialog::kApplyButtonId);
                      openAfterNo = dialog.IsShown();
                      Press(dialog, TextEntryDialog::kApplyButtonId);
                      openAfterYes = dialog.IsShown();
                  }));
    EXPECT_TRUE(openAfterNo);
    EXPECT_FALSE(openAfterYes);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text,
              "何も入力されていません。\nオブジェクトを削除してよろしいですか？");
    EXPECT_EQ(prompts.messages[0].caption, "確認");
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNo);
    EXPECT_NE(prompts.messages[0].owner, frame);  // owned by the dialog
    EXPECT_FALSE(scene->objects[1].IsLive());
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->currentObject, 1);
}

TEST_F(TextEntryTest, EditShowsTheTextAndApplyRebuildsEvenAnUnchangedText) {
    NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "abc");
        Press(dialog, TextEntryDialog::kApplyButtonId);
    });
    ASSERT_EQ(scene->objects[0].glyphCount, 3);
    // Lose the layout behind the object's back: only a new one brings it back.
    for (int i = 0; i < 3; ++i) {
        scene->objects[0].glyphCharacters[i] = 0;
    }
    std::string shown;
    wxTEST_DIALOG(EditObjectText(frame->context()), UseTextEntry([&](TextEntryDialog& dialog) {
                      auto* text =
                          dynamic_cast<wxTextCtrl*>(dialog.FindWindow(TextEntryDialog::kTextId));
                      shown = text->GetValue().utf8_string();
                      Press(dialog, TextEntryDialog::kApplyButtonId);
                  }));
    EXPECT_EQ(shown, "abc");
    ASSERT_EQ(scene->objects[0].glyphCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(scene->objects[0].glyphCharacters[i], U"abc"[i]) << i;
    }
}

TEST_F(TextEntryTest, BlankTextBecomesAnObjectAndLongTextIsCutOnACharacter) {
    NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "   ");
        Press(dialog, TextEntryDialog::kApplyButtonId);
    });
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->objects[0].Text(), "   ");

    std::string kanji;
    for (int i = 0; i < 70; ++i) {
        kanji += "字";
    }
    NewObjectWith([&](TextEntryDialog& dialog) {
        Type(dialog, kanji);
        Press(dialog, TextEntryDialog::kApplyButtonId);
    });
    EXPECT_EQ(scene->objects[1].Text().size(), 126u);
    EXPECT_EQ(scene->objects[1].glyphCount, 63);
}

TEST_F(TextEntryTest, CharacterOutsideCp932IsRefusedAndTheDialogStays) {
    bool open = false;
    open = NewObjectWith([](TextEntryDialog& dialog) {
        Type(dialog, "AB한");
        Press(dialog, TextEntryDialog::kApplyButtonId);
    });
    EXPECT_TRUE(open);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("「한」"), std::string::npos);
    EXPECT_FALSE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->objects[0].Text(), "");
}
