// The file menu's 3D model export on the real window: the files it writes, read by outside
// checkers, and every way it ends without writing one.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/command_dispatch.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "scene/cp932.h"
#include "support/command_output.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class ModelExportCommand : public ShellTest {
  protected:
    // Two texts, the second turned and stretched. The export reads the outlines, not the lists.
    void ComposeLogo() {
        MakeLive(0, Utf8ToCp932("東京").value().c_str());
        MakeLive(1, "Logo");
        scene->objects[1].SetPosition(0.5f, -1.0f, 0.3f);
        scene->objects[1].SetRotation(20.0f, -30.0f, 15.0f);
        scene->objects[1].SetScale(1.5f, 0.6f, 0.4f);
    }

    void Export(const fs::path& path, int filterIndex) {
        prompts.fileAnswers.push_back({true, path.string(), filterIndex});
        DispatchCommand(frame->context(), kCmdExportModel);
    }

    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
    }

    TempFolder dir{"vm_model"};
};

TEST_F(ModelExportCommand, GlbAndStlPassTheOutsideCheckers) {
    ComposeLogo();
    Export(dir / "logo", 0);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& request = prompts.fileRequests[0];
    EXPECT_TRUE(request.save);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.filterIndex, 0);
    EXPECT_EQ(request.wildcard.rfind("glTF バイナリ (*.glb)|*.glb|", 0), 0u) << request.wildcard;
    EXPECT_TRUE(prompts.numberRequests.empty());
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
    const std::string checker = std::string(VELLUMARK_TEST_DATA) + "/../export/check_model.mjs";
    ASSERT_TRUE(fs::exists(fs::path(checker).parent_path() / "node_modules"))
        << "the checkers are installed by make test (npm install in tests/export)";
    int status = 0;
    std::string report =
        CommandOutput("node " + checker + " " + (dir / "logo.glb").string(), status);
    EXPECT_EQ(status, 0) << report;

    // The filter's extension completes the name; the size asked for is the print's.
    prompts.numberAnswers.push_back({true, 50});
    Export(dir / "print", 2);
    ASSERT_EQ(prompts.numberRequests.size(), 1u);
    EXPECT_EQ(prompts.numberRequests[0].value, 100);
    EXPECT_EQ(prompts.numberRequests[0].max, 10000);
    report = CommandOutput("admesh " + (dir / "print.stl").string(), status);
    ASSERT_EQ(status, 0) << report;
    for (const char* label : {"Edges fixed", "Facets removed", "Facets added", "Facets reversed",
                              "Backwards edges", "Degenerate facets"}) {
        EXPECT_EQ(AdmeshFigure(report, label), 0.0) << label << "\n" << report;
    }
    double largest = 0.0;
    for (const char* axis : {"X", "Y", "Z"}) {
        EXPECT_NEAR(AdmeshFigure(report, std::string("Min ") + axis), 0.0, 1e-3) << report;
        largest = std::max(largest, AdmeshFigure(report, std::string("Max ") + axis));
    }
    EXPECT_NEAR(largest, 50.0, 1e-3) << report;
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
    EXPECT_EQ(FileCount(), 2u);
}

TEST_F(ModelExportCommand, NothingIsWrittenUnlessTheWholeExportIsAgreedAndPossible) {
    // No text: told so before any dialog.
    DispatchCommand(frame->context(), kCmdExportModel);
    EXPECT_TRUE(prompts.fileRequests.empty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, texts::kExportEmptyScene);

    ComposeLogo();
    { std::ofstream(dir / "logo.glb") << "older"; }
    // A completed name that exists: No goes back to the dialog, which is then cancelled.
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Export(dir / "logo", 0);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.messages.back().text, (dir / "logo.glb").string() + texts::kReplaceQuestion);
    std::ifstream kept(dir / "logo.glb");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "older");

    // A typed extension picks the type over the filter; cancelling the size writes nothing.
    Export(dir / "print.stl", 0);
    EXPECT_EQ(prompts.numberRequests.size(), 1u);

    // A folder that is not there: the message names the file.
    const fs::path unwritable = dir / "missing" / "logo.glb";
    Export(unwritable, 0);
    EXPECT_EQ(prompts.messages.back().text,
              std::string(texts::kExportFailed) + "\n" + unwritable.string());
    EXPECT_EQ(FileCount(), 1u);

    // An OBJ's material file that exists is asked about too; No leaves every file as it was.
    { std::ofstream(dir / "logo.mtl") << "older"; }
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Export(dir / "logo.obj", 3);
    EXPECT_EQ(prompts.messages.back().text,
              (dir / "logo.mtl").string() + "\n" + texts::kCompanionReplaceQuestion);
    EXPECT_FALSE(fs::exists(dir / "logo.obj"));
    std::ifstream material(dir / "logo.mtl");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(material), {}), "older");
    prompts.messageAnswers.push_back(MessageAnswer::kYes);
    Export(dir / "logo.obj", 3);
    EXPECT_TRUE(fs::exists(dir / "logo.obj"));
}

}  // namespace
