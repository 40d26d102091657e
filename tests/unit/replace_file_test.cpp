#include "formats/replace_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_folder.h"
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A group whose last rename fails after the others went through: the first target gets its
// old contents back, the new one goes, and no temporary or second name stays behind.
TEST(CommitTogether, OneFailedRenameUndoesTheOthers) {
    const TempFolder dir("vm_group");
    std::ofstream(dir / "a.mtl") << "old";
    std::vector<std::unique_ptr<TemporaryFile>> files;
    for (const char* name : {"a.mtl", "a-0.png", "a.obj"}) {
        files.push_back(std::make_unique<TemporaryFile>((dir / name).string()));
        ASSERT_TRUE(files.back()->IsOpen());
        ASSERT_EQ(write(files.back()->fd(), "new", 3), 3);
    }
    // Taken by a folder after the check at the temporary's creation.
    fs::create_directory(dir / "a.obj");
    EXPECT_FALSE(CommitTogether(files));
    EXPECT_EQ(Contents(dir / "a.mtl"), "old");
    EXPECT_FALSE(fs::exists(dir / "a-0.png"));
    EXPECT_TRUE(fs::is_directory(dir / "a.obj"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    fs::remove(dir / "a.obj");
    files.clear();
    for (const char* name : {"a.mtl", "a.obj"}) {
        files.push_back(std::make_unique<TemporaryFile>((dir / name).string()));
        ASSERT_EQ(write(files.back()->fd(), "new", 3), 3);
    }
    EXPECT_TRUE(CommitTogether(files));
    EXPECT_EQ(Contents(dir / "a.mtl"), "new");
    EXPECT_EQ(Contents(dir / "a.obj"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

}  // namespace
