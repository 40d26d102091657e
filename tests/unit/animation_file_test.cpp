#include "formats/animation_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/temp_folder.h"
namespace fs = std::filesystem;

// Each type this build offers is written; the others are refused before a file appears, so the
// save dialog and the command line may trust AnimationFileTypeAvailable.
TEST(AnimationFile, WritesExactlyTheTypesThisBuildOffers) {
    const TempFolder dir("vm_animation");
    const std::vector<uint8_t> frame(16 * 16 * 3, 128);
    for (const char* name : {"a.webp", "a.png", "a.gif", "a.mp4", "a.webm"}) {
        const std::string path = (dir / name).string();
        AnimationFileType type = AnimationFileType::kWebp;
        ASSERT_TRUE(AnimationFileTypeFromPath(path, type)) << name;
        const bool available = AnimationFileTypeAvailable(type);
        const std::unique_ptr<AnimationSink> sink = OpenAnimationFile(path, type, {16, 16, 3, 10});
        ASSERT_EQ(sink != nullptr, available) << name;
        if (sink) {
            EXPECT_TRUE(sink->AddFrame(frame.data()) && sink->AddFrame(frame.data()) &&
                        sink->Finish())
                << name;
        }
        EXPECT_EQ(fs::exists(path), available) << name;
    }
    EXPECT_TRUE(AnimationFileTypeAvailable(AnimationFileType::kWebp));
}
