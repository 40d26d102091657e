// Loading and removing an object's texture through the commands on the real window.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/command_dispatch.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "support/bmp_samples.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class TextureCommands : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        MakeLive(3);
        scene->currentObject = 3;
    }

    fs::path WriteBmp(const std::string& name, int side) {
        const auto bytes = bmp_samples::Make24(side, side, [](int x, int y) {
            return bmp_samples::Rgb{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), 9};
        });
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    TempFolder dir{"vm_texture"};
};

TEST_F(TextureCommands, LoadPutsTheImageOnTheCurrentObjectAndDeleteTakesItOff) {
    TextObject& object = scene->objects[3];
    const fs::path first = WriteBmp("first.bmp", 64);
    prompts.fileAnswers.push_back({true, first.string(), 0});
    DispatchCommand(frame->context(), 40012);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& request = prompts.fileRequests[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.title, "テクスチャ用ビットマップファイルを開く");
    EXPECT_EQ(request.wildcard, "ビットマップファイル (*.bmp)|*.bmp");
    EXPECT_EQ(request.filterIndex, 0);
    ASSERT_TRUE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), first.string());
    EXPECT_TRUE(prompts.messages.empty());

    // The dialog opens on the file chosen last; a second image replaces the first.
    ASSERT_TRUE(frame->viewPort().MakeCurrent());
    const uint32_t firstName = frame->viewPort().cache().Texture(object);
    ASSERT_NE(firstName, 0u);
    DrawFrame();
    const fs::path second = WriteBmp("second.bmp", 32);
    prompts.fileAnswers.push_back({true, second.string(), 0});
    DispatchCommand(frame->context(), 40012);
    EXPECT_EQ(prompts.fileRequests[1].initialPath, first.string());
    DrawFrame();
    EXPECT_FALSE(glIsTexture(firstName));
    EXPECT_EQ(object.TextureFile(), second.string());

    // Cancelling keeps the image.
    DispatchCommand(frame->context(), 40012);
    EXPECT_TRUE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), second.string());

    DispatchCommand(frame->context(), 40020);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
    EXPECT_TRUE(prompts.messages.empty());

    DispatchCommand(frame->context(), 40020);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "テクスチャは読み込まれていません");
    EXPECT_EQ(prompts.messages[0].caption, "");
    EXPECT_EQ(prompts.messages[0].owner, nullptr);
}

TEST_F(TextureCommands, RefusedFileLeavesTheObjectWithoutImage) {
    TextObject& object = scene->objects[3];
    prompts.fileAnswers.push_back({true, WriteBmp("big.bmp", 512).string(), 0});
    DispatchCommand(frame->context(), 40012);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, texts::kBadBitmapSize);
    EXPECT_EQ(prompts.messages[0].caption, "BMP to RGB");
}

TEST_F(TextureCommands, PathTheObjectCannotStoreIsRefused) {
    const fs::path path = WriteBmp(std::string(250, 'x') + ".bmp", 64);
    prompts.fileAnswers.push_back({true, path.string(), 0});
    DispatchCommand(frame->context(), 40012);
    EXPECT_FALSE(scene->objects[3].hasTexture);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              std::string(texts::kPathNotStorable) + "\n" + path.string());

    // U+301C comes back from CP932 as U+FF5E, a folder that does not exist.
    fs::create_directories(dir / "\u301c");
    const fs::path wave = WriteBmp("\u301c/wood.bmp", 64);
    prompts.fileAnswers.push_back({true, wave.string(), 0});
    DispatchCommand(frame->context(), 40012);
    EXPECT_FALSE(scene->objects[3].hasTexture);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text,
              std::string(texts::kPathNotStorable) + "\n" + wave.string());
}

}  // namespace
