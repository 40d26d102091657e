// Commands through the dispatcher: view, new object, delete, font, help, unused ids.
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/modalhook.h>
#include <wx/testing.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/command_dispatch.h"
#include "app/help_book.h"
#include "app/toolbar.h"
#include "dialogs/about_dialog.h"
#include "dialogs/text_entry_dialog.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "support/temp_folder.h"

namespace {

// Stands in for the user in the text dialog: looks at it, then leaves it closed.
class SeeTextEntry : public wxExpectModalBase<TextEntryDialog, SeeTextEntry> {
  public:
    explicit SeeTextEntry(std::function<void(TextEntryDialog&)> look) : look_(std::move(look)) {}

  protected:
    int OnInvoked(TextEntryDialog* dialog) const override {
        look_(*dialog);
        return wxID_CANCEL;
    }

  private:
    std::function<void(TextEntryDialog&)> look_;
};

// Counts modal dialogs and closes each at once.
class CountModals : public wxModalDialogHook {
  public:
    CountModals() { Register(); }
    ~CountModals() override { Unregister(); }
    int shown = 0;

  protected:
    int Enter(wxDialog*) override {
        ++shown;
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

}  // namespace

TEST_F(ShellTest, ResetViewKeepsPerspectiveAndGuides) {
    scene->view.eyeDistance = 2.0f;
    scene->view.azimuth = 1.0f;
    scene->view.elevation = -0.5f;
    scene->view.target[1] = 3.0f;
    scene->view.perspective = 1.5f;
    scene->view.showGuides = 1;
    DispatchCommand(frame->context(), 40003);
    EXPECT_FLOAT_EQ(scene->view.eyeDistance, 5.0f);
    EXPECT_EQ(scene->view.azimuth, 0.0f);
    EXPECT_EQ(scene->view.elevation, 0.0f);
    EXPECT_EQ(scene->view.target[1], 0.0f);
    EXPECT_FLOAT_EQ(scene->view.perspective, 1.5f);
    EXPECT_EQ(scene->view.showGuides, 1);
}

TEST_F(ShellTest, ZoomCommandsStepTheDistance) {
    for (int i = 0; i < 60; ++i) {
        DispatchCommand(frame->context(), 40021);
    }
    EXPECT_GT(scene->view.eyeDistance, 0.0f);
    EXPECT_LE(scene->view.eyeDistance, 0.1);
    DispatchCommand(frame->context(), 40022);
    DispatchCommand(frame->context(), 40022);
    EXPECT_GT(scene->view.eyeDistance, 0.1f);
    DispatchCommand(frame->context(), 40023);
    EXPECT_EQ(scene->view.showGuides, 1);
    DispatchCommand(frame->context(), 40023);
    EXPECT_EQ(scene->view.showGuides, 0);
}

TEST_F(ShellTest, IdsWithoutAnActionChangeNothing) {
    MakeLive(0);
    for (const int id : {40005, 40009, 40017, 40030, 40059, 40067, 40099, 39999, 12}) {
        DispatchCommand(frame->context(), id);
    }
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(scene->modified, 0);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_FLOAT_EQ(scene->view.eyeDistance, 5.0f);
    EXPECT_TRUE(scene->objects[0].IsLive());
}

TEST_F(ShellTest, NewObjectWithEverySlotLiveSaysSoAndStillMarksTheScene) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        MakeLive(slot);
    }
    scene->currentObject = 4;
    scene->objects[4].highlighted = 1;
    frame->context().EnableObjectButtons();
    CountModals modals;
    DispatchCommand(frame->context(), 40008);
    EXPECT_EQ(modals.shown, 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "オブジェクトはいっぱいです。");
    EXPECT_EQ(prompts.messages[0].caption, "Vellumarkライター　version 5.00  ");
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(prompts.messages[0].owner, frame);
    EXPECT_EQ(scene->modified, 1);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(scene->objects[4].highlighted, 0);
    EXPECT_FALSE(ToolEnabled(40011));
}

TEST_F(ShellTest, NewObjectOpensOnTheLowestFreeSlotAndCloseLeavesItFree) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot != 5 && slot != 9) {
            MakeLive(slot);
        }
    }
    int dialogSlot = -1;
    std::string shownText = "unset";
    wxTEST_DIALOG(
        DispatchCommand(frame->context(), 40008), SeeTextEntry([&](TextEntryDialog& dialog) {
            dialogSlot = dialog.slot();
            auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(TextEntryDialog::kTextId));
            shownText = text ? text->GetValue().utf8_string() : "no text control";
        }));
    EXPECT_EQ(dialogSlot, 5);
    EXPECT_EQ(shownText, "");
    EXPECT_EQ(scene->currentObject, 5);
    EXPECT_FALSE(scene->objects[5].IsLive());
    EXPECT_EQ(scene->modified, 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ShellTest, DeleteAsksWithTheTextAndKeepsTheFreedSlotCurrent) {
    MakeLive(3, "ABC");
    MakeLive(4);
    scene->currentObject = 3;
    scene->objects[3].highlighted = 1;
    frame->context().EnableObjectButtons();

    prompts.messageAnswers = {MessageAnswer::kNo};
    DispatchCommand(frame->context(), 40018);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "ABC　を削除してよろしいですか？");
    EXPECT_EQ(prompts.messages[0].caption, "削除の確認");
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNo);
    EXPECT_TRUE(scene->objects[3].IsLive());
    EXPECT_TRUE(ToolEnabled(40018));

    prompts.messageAnswers = {MessageAnswer::kYes};
    DispatchCommand(frame->context(), 40018);
    EXPECT_FALSE(scene->objects[3].IsLive());
    EXPECT_EQ(scene->objects[3].Text(), "");
    EXPECT_EQ(scene->currentObject, 3);
    EXPECT_EQ(scene->modified, 0);
    EXPECT_TRUE(scene->objects[4].IsLive());
    for (const int command : kObjectButtonCommands) {
        EXPECT_FALSE(ToolEnabled(command)) << command;
    }
}

TEST_F(ShellTest, DeleteQuestionShowsJapaneseText) {
    MakeLive(0, "\x93\xfa\x96\x7b");  // 日本 in CP932
    scene->currentObject = 0;
    DispatchCommand(frame->context(), 40018);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "日本　を削除してよろしいですか？");
    EXPECT_TRUE(scene->objects[0].IsLive());  // no answer scripted: not Yes
}

TEST_F(ShellTest, CancelledFontPickerChangesNothingAndKeepsTheFaceForNextTime) {
    MakeLive(2);
    scene->objects[2].SetFont("Some Face", 1, 0);
    scene->currentObject = 2;
    DispatchCommand(frame->context(), 40019);
    ASSERT_EQ(prompts.fontRequests.size(), 1u);
    EXPECT_EQ(prompts.fontRequests[0].faceName, "Some Face");
    EXPECT_EQ(prompts.fontRequests[0].italic, 1);
    EXPECT_EQ(scene->objects[2].FaceName(), "Some Face");
    EXPECT_EQ(frame->ui().fontScratch.faceName, "Some Face");
    EXPECT_TRUE(scene->objects[2].IsLive());
}

class FontCommandTest : public ShellTest {
  protected:
    // A live object "日本" built in the default font, current.
    TextObject& JapaneseObject() {
        TextObject& object = scene->objects[1];
        object.SetIndex(1);
        frame->context().glyphs().ApplyTextWithFallback(object, "\x93\xfa\x96\x7b",
                                                        frame->context().messages());
        scene->currentObject = 1;
        return object;
    }
    static FontAnswer Picked(const char* face, int italic, int charSet) {
        FontAnswer answer;
        answer.ok = true;
        answer.faceName = face;
        answer.italic = italic;
        answer.charSet = charSet;
        return answer;
    }
};

TEST_F(FontCommandTest, PickedFontRebuildsTheObject) {
    TextObject& object = JapaneseObject();
    ASSERT_EQ(object.glyphCount, 2);
    prompts.fontAnswers = {Picked("IPAGothic", 1, 128)};
    DispatchCommand(frame->context(), 40019);
    EXPECT_EQ(object.FaceName(), "IPAGothic");
    EXPECT_EQ(object.italic, 1);
    EXPECT_EQ(object.charSet, 128);
    EXPECT_EQ(object.glyphCount, 2);
    ASSERT_TRUE(frame->viewPort().MakeCurrent());
    EXPECT_TRUE(glIsList(frame->viewPort().cache().GlyphList(object, 1)));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FontCommandTest, FontWithoutTheCharactersFallsBackToTheDefaultFace) {
    TextObject& object = JapaneseObject();
    prompts.fontAnswers = {Picked("DejaVu Sans", 0, 0)};
    DispatchCommand(frame->context(), 40019);
    EXPECT_FALSE(prompts.messages.empty());
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.charSet, 128);
    EXPECT_EQ(object.italic, 0);
    EXPECT_EQ(object.glyphCount, 2);
}

TEST_F(FontCommandTest, FaceNameCp932CannotHoldIsRefused) {
    TextObject& object = JapaneseObject();
    prompts.fontAnswers = {Picked("나눔고딕", 0, 0)};
    DispatchCommand(frame->context(), 40019);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, texts::kFontNameNotStorable);
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.glyphCount, 2);
}

TEST_F(ShellTest, MissingHelpBookIsReported) {
    HelpBook book(frame);
    EXPECT_FALSE(book.ShowContents("/nonexistent/vellumark.hhp", prompts));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("/nonexistent/vellumark.hhp"), std::string::npos);
    EXPECT_EQ(prompts.messages[0].text.rfind(texts::kHelpBookMissing, 0), 0u);
}

TEST_F(ShellTest, HelpBookOfTheProgramLoads) {
    const std::string path = FindHelpBook();
    wxHtmlHelpController controller(wxHF_DEFAULT_STYLE, frame);
    ASSERT_TRUE(controller.AddBook(wxFileName(wxString::FromUTF8(path)))) << path;
    const wxHtmlBookRecArray& books = controller.GetHelpData()->GetBookRecArray();
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(books[0].GetTitle().utf8_string(), "Vellumarkライター ヘルプ");
    EXPECT_GE(controller.GetHelpData()->GetContentsArray().size(), 5u);
}

// Never the source tree the program was built from: a release binary carries no such path.
TEST(HelpBookLookup, BesideTheProgramElseInstalled) {
    namespace fs = std::filesystem;
    const TempFolder prefix("vm-help");
    const fs::path bin = prefix / "bin";
    fs::create_directories(bin);
    const std::string installed = bin.string() + "/../share/vellumark/help/vellumark.hhp";
    EXPECT_EQ(FindHelpBook(bin.string()), installed);

    fs::create_directories(bin / "help");
    std::ofstream((bin / "help" / "vellumark.hhp").string()) << "x";
    EXPECT_EQ(FindHelpBook(bin.string()), bin.string() + "/help/vellumark.hhp");
}

TEST_F(ShellTest, VersionDialogOpensModally) {
    std::string caption;
    class SeeAbout : public wxExpectModalBase<AboutDialog, SeeAbout> {
      public:
        explicit SeeAbout(std::string& caption) : caption_(caption) {}

      protected:
        int OnInvoked(AboutDialog* dialog) const override {
            caption_ = dialog->GetTitle().utf8_string();
            return wxID_OK;
        }

      private:
        std::string& caption_;
    };
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40004), SeeAbout(caption));
    EXPECT_EQ(caption, "バージョン情報");
}
