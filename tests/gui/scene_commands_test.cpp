// Save As, Save and Open through the dispatcher, with scripted file dialogs.
#include "app/scene_commands.h"

#include <unistd.h>
#include <wx/dialog.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/command_dispatch.h"
#include "app/unsaved_changes.h"
#include "document/object_texture.h"
#include "formats/scene_file.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "support/bmp_samples.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr char kLogo[] = "\x83\x8d\x83\x53";  // ロゴ

class SceneCommands : public ShellTest {
  protected:
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    void Answer(const std::string& path) { prompts.fileAnswers.push_back({true, path, 0}); }
    std::string Caption() const { return frame->GetTitle().utf8_string(); }
    void WriteDroppable(const std::string& name) {
        Scene written;
        written.objects[0].SetText("dropped");
        written.objects[0].glyphCount = 1;
        ASSERT_EQ(WriteSceneFile(PathOf(name), written), SceneFileStatus::kOk);
    }
    // A drop as the toolkit delivers it; what it starts runs once the drop has completed.
    void Drop(const std::string& path) {
        // The event owns its array of names.
        wxDropFilesEvent drop(wxEVT_DROP_FILES, 1, new wxString[1]{wxString::FromUTF8(path)});
        frame->ProcessWindowEvent(drop);
        wxTheApp->ProcessPendingEvents();
    }
    static std::vector<uint8_t> Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // A slot with real glyphs, a texture and every stored field away from its default.
    void MakeRichObject(int slot) {
        TextObject& object = scene->objects[slot];
        object.SetText(kLogo);
        object.SetFont("IPAexGothic", 1, 128);
        ASSERT_TRUE(frame->context().glyphs().Relayout(object, frame->context().messages()));
        object.SetPosition(1.0f, -2.0f, 0.5f);
        object.SetRotation(10.0f, 20.0f, 30.0f);
        object.SetScale(1.5f, 0.5f, 0.25f);
        object.diffuse[0] = 0.2f;
        object.specular[1] = 0.4f;
        object.ambient[2] = 0.6f;
        object.shininess = 90.0f;
        const std::string texture = PathOf("wood.bmp");
        const std::vector<uint8_t> bmp = bmp_samples::Make24(16, 16, [](int, int) {
            return bmp_samples::Rgb{150, 100, 50};
        });
        std::ofstream(texture, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        ASSERT_TRUE(LoadObjectTexture(object, texture, frame->context().pictures(),
                                      frame->context().messages()));
    }

    TempFolder dir{"vm_scene_commands"};
};

TEST_F(SceneCommands, SaveAsNewOpenRoundTripKeepsEveryField) {
    MakeRichObject(4);
    scene->light.position[0] = 2.5f;
    scene->shadow.enabled = 1;
    scene->shadow.plane[3] = 0.75f;
    scene->shadow.color[1] = 0.3f;
    scene->backgroundColor[0] = 0.1f;
    scene->view.perspective = 1.25f;
    scene->modified = 1;
    const std::string path = PathOf("logo.vmk");
    Answer(path);
    DispatchCommand(frame->context(), kCmdSaveAs);

    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& save = prompts.fileRequests[0];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.title, "Vellumarkファイルを保存");
    EXPECT_EQ(save.wildcard, "Vellumarkファイル (*.vmk)|*.vmk");
    EXPECT_EQ(save.filterIndex, 0);
    EXPECT_EQ(save.extensions, std::vector<std::string>{"vmk"});
    EXPECT_TRUE(save.overwritePrompt);
    EXPECT_EQ(scene->FilePath(), path);
    EXPECT_EQ(IsSceneModified(*scene), 0);
    EXPECT_EQ(Caption(), ComposeTitle("[" + path + "]"));
    EXPECT_EQ(fs::file_size(path), 132u + 544u);

    DispatchCommand(frame->context(), kCmdNewScene);
    EXPECT_EQ(scene->objects[4].glyphCount, 0);
    EXPECT_EQ(scene->FilePath(), "");

    Answer(path);
    DispatchCommand(frame->context(), kCmdOpen);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    const FileRequest& open = prompts.fileRequests[1];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.title, "Vellumarkファイルを開く");
    EXPECT_EQ(open.initialPath, "");  // the open dialog has its own remembered name
    EXPECT_TRUE(prompts.messages.empty());

    const TextObject& object = scene->objects[0];
    EXPECT_EQ(object.Text(), kLogo);
    EXPECT_EQ(object.glyphCount, 2);
    EXPECT_EQ(object.index, 0);
    EXPECT_EQ(object.FaceName(), "IPAexGothic");
    EXPECT_EQ(object.italic, 1);
    EXPECT_EQ(object.position[1], -2.0f);
    EXPECT_EQ(object.rotation[2], 30.0f);
    EXPECT_EQ(object.scale[2], 0.25f);
    EXPECT_EQ(object.diffuse[0], 0.2f);
    EXPECT_EQ(object.specular[1], 0.4f);
    EXPECT_EQ(object.ambient[2], 0.6f);
    EXPECT_EQ(object.shininess, 90.0f);
    EXPECT_EQ(object.TextureFile(), PathOf("wood.bmp"));
    EXPECT_TRUE(object.hasTexture);
    EXPECT_EQ(scene->objects[4].glyphCount, 0);
    EXPECT_EQ(scene->light.position[0], 2.5f);
    EXPECT_EQ(scene->shadow.enabled, 1);
    EXPECT_EQ(scene->shadow.plane[3], 0.75f);
    EXPECT_EQ(scene->shadow.color[1], 0.3f);
    EXPECT_EQ(scene->backgroundColor[0], 0.1f);
    EXPECT_FLOAT_EQ(scene->guideColor[0], 0.9f);
    EXPECT_FLOAT_EQ(scene->guideColor[0], 0.9f);
    EXPECT_EQ(scene->view.perspective, 1.25f);
    EXPECT_EQ(IsSceneModified(*scene), 0);
    EXPECT_EQ(Caption(), ComposeTitle("[" + path + "]"));

    // Saved again without a dialog, the file is the same to the byte.
    const std::vector<uint8_t> before = Slurp(path);
    DispatchCommand(frame->context(), kCmdSave);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(Slurp(path), before);

    // Each dialog opens on its own last name.
    DispatchCommand(frame->context(), kCmdSaveAs);
    DispatchCommand(frame->context(), kCmdOpen);
    ASSERT_EQ(prompts.fileRequests.size(), 4u);
    EXPECT_EQ(prompts.fileRequests[2].initialPath, path);
    EXPECT_EQ(prompts.fileRequests[3].initialPath, path);
}

TEST_F(SceneCommands, SaveOnUntitledAsksForANameAndOnTitledWritesQuietly) {
    MakeLive(0, "A");
    DispatchCommand(frame->context(), kCmdSave);  // cancelled Save As
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].title, texts::kSaveSceneTitle);
    EXPECT_EQ(scene->FilePath(), "");

    const std::string path = PathOf("a.vmk");
    Answer(path);
    scene->objects[0].touched = 1;
    DispatchCommand(frame->context(), kCmdSave);
    EXPECT_EQ(scene->FilePath(), path);
    EXPECT_EQ(Caption(), ComposeTitle("[" + path + "]"));
    EXPECT_EQ(IsSceneModified(*scene), 0);

    frame->SetTitle("unchanged");
    MakeLive(1, "B");
    scene->modified = 1;
    DispatchCommand(frame->context(), kCmdSave);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(fs::file_size(path), 132u + 2 * 544u);
    EXPECT_EQ(Caption(), "unchanged");
    EXPECT_EQ(IsSceneModified(*scene), 0);
    // Nothing left to ask about on the way out.
    EXPECT_TRUE(RunCloseProcedure(frame->context()));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SceneCommands, FailedSaveSaysSoAndKeepsPathStateAndTheOldFile) {
    MakeLive(0, "A");
    const std::string path = PathOf("kept.vmk");
    Answer(path);
    ASSERT_TRUE(SaveSceneAs(frame->context()));
    const std::vector<uint8_t> before = Slurp(path);
    MakeLive(1, "B");
    MakeLive(2, "C");
    scene->modified = 1;
    {
        FileSizeLimit limit(600);
        DispatchCommand(frame->context(), kCmdSave);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, std::string(texts::kSceneSaveFailed) + "\n" + path);
    EXPECT_EQ(prompts.messages[0].owner, frame);
    EXPECT_EQ(scene->FilePath(), path);
    EXPECT_EQ(IsSceneModified(*scene), 1);
    EXPECT_EQ(Slurp(path), before);

    // Save As into a folder that does not exist: the scene keeps its file and its edits.
    const std::string nowhere = PathOf("missing/b.vmk");
    Answer(nowhere);
    EXPECT_FALSE(SaveSceneAs(frame->context()));
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(scene->FilePath(), path);
    EXPECT_EQ(IsSceneModified(*scene), 1);
    EXPECT_EQ(Caption(), ComposeTitle("[" + path + "]"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SceneCommands, PathsTheSceneCannotHoldAreRefusedBeforeWriting) {
    MakeLive(0, "A");
    const std::string emoji = PathOf("\xF0\x9F\x98\x80.vmk");
    const std::string tooLong = PathOf(std::string(300, 'x') + ".vmk");
    Answer(emoji);
    Answer(tooLong);
    EXPECT_FALSE(SaveSceneAs(frame->context()));
    EXPECT_FALSE(SaveSceneAs(frame->context()));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, std::string(texts::kPathNotStorable) + "\n" + emoji);
    EXPECT_FALSE(fs::exists(emoji));
    EXPECT_EQ(scene->FilePath(), "");
    // The conversion takes these one way only: back they name another file.
    for (const char* name : {"logo\u2014final.vmk", "price\u00a5100.vmk"}) {
        Answer(PathOf(name));
        EXPECT_FALSE(SaveSceneAs(frame->context()));
        EXPECT_EQ(prompts.messages.back().text,
                  std::string(texts::kPathNotStorable) + "\n" + PathOf(name));
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(SceneCommands, CompletedNameAsksBeforeReplacingAndNoGoesBackToTheDialog) {
    MakeLive(0, "A");
    std::ofstream(PathOf("a.vmk")) << "precious";
    Answer(PathOf("a"));
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Answer(PathOf("b"));
    EXPECT_TRUE(SaveSceneAs(frame->context()));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, PathOf("a.vmk") + texts::kReplaceQuestion);
    EXPECT_EQ(prompts.messages[0].caption, texts::kSaveSceneTitle);
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNo);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.fileRequests[1].initialPath, PathOf("a.vmk"));
    EXPECT_EQ(Slurp(PathOf("a.vmk")).size(), 8u);
    EXPECT_EQ(scene->FilePath(), PathOf("b.vmk"));
    EXPECT_EQ(fs::file_size(PathOf("b.vmk")), 132u + 544u);
}

TEST_F(SceneCommands, OpenTakesAnExistingNameAsChosenAndCompletesOnlyAMissingOne) {
    for (const char* text : {"noext", "noext.vmk", "other.vmk"}) {
        Scene written;
        written.objects[0].SetText(text);
        written.objects[0].glyphCount = 1;
        ASSERT_EQ(WriteSceneFile(PathOf(text), written), SceneFileStatus::kOk);
    }
    Answer(PathOf("noext"));
    DispatchCommand(frame->context(), kCmdOpen);
    EXPECT_EQ(scene->objects[0].Text(), "noext");
    EXPECT_EQ(scene->FilePath(), PathOf("noext"));
    Answer(PathOf("other"));
    DispatchCommand(frame->context(), kCmdOpen);
    EXPECT_EQ(scene->objects[0].Text(), "other.vmk");
    EXPECT_EQ(Caption(), ComposeTitle("[" + PathOf("other.vmk") + "]"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SceneCommands, DroppedFileOpensAfterTheUnsavedChangesQuestion) {
    WriteDroppable("d.vmk");
    MakeLive(3, "edit");
    scene->modified = 1;
    prompts.messageAnswers.push_back(MessageAnswer::kCancel);
    Drop(PathOf("d.vmk"));
    EXPECT_EQ(scene->objects[3].Text(), "edit");
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Drop(PathOf("d.vmk"));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, texts::kUnsavedOnClear);
    EXPECT_EQ(scene->objects[0].Text(), "dropped");
    EXPECT_EQ(scene->objects[3].glyphCount, 0);
    EXPECT_EQ(scene->FilePath(), PathOf("d.vmk"));
}

TEST_F(SceneCommands, AFileDroppedWhileADialogIsOpenLeavesTheSceneUnderItAlone) {
    WriteDroppable("u.vmk");
    std::string textDuringDialog;
    bool dialogWasOpen = false;
    // Runs inside the new object dialog's own loop, as a drop from another program would.
    wxTheApp->CallAfter([&] {
        Drop(PathOf("u.vmk"));
        textDuringDialog = scene->objects[0].Text();
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) {
                dialogWasOpen = true;
                dialog->EndModal(wxID_CANCEL);
            }
        }
    });
    DispatchCommand(frame->context(), kCmdNewObject);
    ASSERT_TRUE(dialogWasOpen);
    EXPECT_EQ(textDuringDialog, "");
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
    EXPECT_EQ(scene->FilePath(), "");
    EXPECT_EQ(frame->document().history.size(), 0u);

    // Once the dialog has gone, a drop opens the file again.
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Drop(PathOf("u.vmk"));
    EXPECT_EQ(scene->objects[0].Text(), "dropped");
}

TEST_F(SceneCommands, ForeignOrMissingFilesAreRefusedAndTheSceneStays) {
    MakeLive(3, "keep");
    const std::string foreign = PathOf("notes.vmk");
    std::ofstream(foreign) << std::string(200, 'v');
    Answer(foreign);
    DispatchCommand(frame->context(), kCmdOpen);  // unmodified: no question first
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Vellumarkライターのファイルではありません。");
    EXPECT_EQ(prompts.messages[0].caption, "");
    EXPECT_EQ(scene->objects[3].Text(), "keep");
    EXPECT_EQ(scene->objects[3].glyphCount, 1);
    EXPECT_EQ(scene->FilePath(), "");

    Answer(PathOf("absent.vmk"));
    DispatchCommand(frame->context(), kCmdOpen);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text,
              std::string(texts::kSceneOpenFailed) + "\n" + PathOf("absent.vmk"));
    EXPECT_EQ(scene->objects[3].Text(), "keep");
}

// A texture named relative to the scene is found beside it whatever the current folder; a
// damaged extension block is said once and the texts open without it.
TEST_F(SceneCommands, OpenFindsTexturesBesideTheSceneAndReportsADamagedBlock) {
    MakeRichObject(0);
    scene->objects[0].SetTextureFile("wood.bmp");
    scene->objects[0].bevel.profile = BevelProfile::kChamfer;
    std::vector<uint8_t> bytes = EncodeSceneFile(*scene);
    Answer(PathOf("beside.vmk"));
    std::ofstream(PathOf("beside.vmk"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size() - 4));
    ASSERT_NE(fs::current_path(), dir);
    ClearScene(*scene);
    scene->modified = 0;
    DispatchCommand(frame->context(), kCmdOpen);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              std::string(texts::kSceneExtensionDamaged) + "\n" + PathOf("beside.vmk"));
    EXPECT_EQ(scene->objects[0].Text(), kLogo);
    EXPECT_FALSE(scene->objects[0].bevel.Active());
    EXPECT_TRUE(scene->objects[0].hasTexture);
}

TEST_F(SceneCommands, OpenOnAModifiedSceneAsksAndGoesOnAfterACancelledSave) {
    MakeLive(0, "A");
    scene->modified = 1;
    prompts.messageAnswers.push_back(MessageAnswer::kYes);
    DispatchCommand(frame->context(), kCmdOpen);  // save dialog cancelled, open dialog cancelled
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, texts::kUnsavedOnClear);
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::kYesNoCancel);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_FALSE(prompts.fileRequests[1].save);
    EXPECT_EQ(scene->objects[0].Text(), "A");

    prompts.messageAnswers.push_back(MessageAnswer::kCancel);
    DispatchCommand(frame->context(), kCmdOpen);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
}

}  // namespace
