// The unsaved-changes questions of closing the window and of starting a new scene.
#include <wx/filename.h>

#include <cstdio>
#include <string>

#include "app/command_dispatch.h"
#include "app/scene_commands.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"

namespace {

FileAnswer ChosenFile(const std::string& path) {
    FileAnswer answer;
    answer.ok = true;
    answer.path = path;
    return answer;
}

std::string TempScenePath(const char* name) {
    return (wxFileName::GetTempDir() + "/" + name).utf8_string();
}

}  // namespace

class CloseTest : public ShellTest {
  protected:
    void MakeModified() {
        MakeLive(0, "keep");
        scene->modified = 1;
    }
    bool Ended() { return wxTheApp->IsScheduledForDestruction(frame); }
};

TEST_F(CloseTest, UnmodifiedSceneEndsWithoutAQuestion) {
    MakeLive(0);
    frame->Close();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Ended());
}

TEST_F(CloseTest, TouchedObjectCountsAsModified) {
    MakeLive(3);
    scene->objects[3].touched = 1;
    prompts.messageAnswers = {MessageAnswer::kCancel};
    frame->Close();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(Ended());
}

TEST_F(CloseTest, CancelKeepsRunningWithTheSceneUnchanged) {
    MakeModified();
    prompts.messageAnswers = {MessageAnswer::kCancel};
    DispatchCommand(frame->context(), 40002);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "現在の編集状況は保存されていません。保存しますか？");
    EXPECT_EQ(prompts.messages[0].caption, texts::kTitlePrefix);
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNoCancel);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(scene->modified, 1);
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_TRUE(prompts.fileRequests.empty());
}

TEST_F(CloseTest, NoEndsWithoutSaving) {
    MakeModified();
    prompts.messageAnswers = {MessageAnswer::kNo};
    frame->Close();
    EXPECT_TRUE(prompts.fileRequests.empty());
    EXPECT_TRUE(Ended());
}

TEST_F(CloseTest, YesWithACancelledSaveKeepsRunningAndTheEdits) {
    MakeModified();
    prompts.messageAnswers = {MessageAnswer::kYes};
    frame->Close();
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(scene->modified, 1);
    EXPECT_EQ(scene->objects[0].Text(), "keep");
    EXPECT_TRUE(scene->objects[0].IsLive());
}

TEST_F(CloseTest, YesWithASavedFileEndsAndAfterASaveNothingIsAsked) {
    const std::string path = TempScenePath("shell_close_test.vmk");
    MakeModified();
    prompts.messageAnswers = {MessageAnswer::kYes};
    prompts.fileAnswers = {ChosenFile(path)};
    frame->Close();
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(wxFileName::FileExists(wxString::FromUTF8(path)));
    std::remove(path.c_str());
}

TEST_F(CloseTest, SavedSceneClosesWithoutAQuestion) {
    const std::string path = TempScenePath("shell_saved_test.vmk");
    MakeModified();
    prompts.fileAnswers = {ChosenFile(path)};
    ASSERT_TRUE(SaveSceneAs(frame->context()));
    frame->Close();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Ended());
    std::remove(path.c_str());
}

TEST_F(CloseTest, NewSceneWithACancelledSaveClearsNothing) {
    MakeModified();
    scene->SetFilePath("old.vmk");
    frame->SetTitle("unchanged");
    prompts.messageAnswers = {MessageAnswer::kYes};
    DispatchCommand(frame->context(), 40065);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "現在の編集状況はクリアされます。保存しますか？");
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_EQ(scene->modified, 1);
    EXPECT_EQ(scene->FilePath(), "old.vmk");
    EXPECT_EQ(frame->GetTitle(), "unchanged");

    prompts.messageAnswers = {MessageAnswer::kCancel};
    DispatchCommand(frame->context(), 40065);
    EXPECT_TRUE(scene->objects[0].IsLive());
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
}

TEST_F(CloseTest, NewSceneAnsweredNoClearsObjectsAndSettingsButKeepsTheView) {
    MakeModified();
    MakeLive(7);
    scene->objects[7].touched = 1;
    scene->currentObject = 7;
    scene->SetFilePath("old.vmk");
    scene->backgroundColor[0] = 0.0f;
    scene->shadow.enabled = 1;
    scene->view.perspective = 1.8f;
    scene->view.eyeDistance = 2.0f;
    scene->view.showGuides = 1;
    frame->SetTitle("old");
    prompts.messageAnswers = {MessageAnswer::kNo};
    DispatchCommand(frame->context(), 40065);
    EXPECT_EQ(scene->LiveObjectCount(), 0);
    EXPECT_EQ(IsSceneModified(*scene), 0);
    EXPECT_EQ(scene->FilePath(), "");
    EXPECT_EQ(frame->GetTitle().utf8_string(), std::string(texts::kTitlePrefix) + "[新規作成]");
    EXPECT_EQ(scene->backgroundColor[0], 1.0f);
    EXPECT_EQ(scene->shadow.enabled, 0);
    EXPECT_EQ(scene->view.perspective, 1.0f);
    EXPECT_EQ(scene->view.eyeDistance, 2.0f);
    EXPECT_EQ(scene->view.showGuides, 1);
    EXPECT_EQ(scene->currentObject, 7);
}

TEST_F(CloseTest, NewSceneOnAnUnmodifiedSceneAsksNothing) {
    MakeLive(0);
    DispatchCommand(frame->context(), 40065);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(scene->objects[0].IsLive());
}
