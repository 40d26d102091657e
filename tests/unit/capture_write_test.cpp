#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "formats/bmp_writer.h"
#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "resources/texts.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct RecordedMessage {
    std::string text, caption;
};

class RecordingSink : public MessageSink {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageOwner) override {
        messages.push_back({std::string(text), std::string(caption)});
    }
    std::vector<RecordedMessage> messages;
};

CapturedImage Picture(int width, int height) {
    CapturedImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height * 3; ++i) {
        image.rgb.push_back(static_cast<uint8_t>(i * 7));
    }
    return image;
}

class CaptureWrite : public testing::Test {
  protected:
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
    }
    static std::vector<uint8_t> Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TempFolder dir{"vm_capture"};
    AppSettings settings;
};

TEST(CaptureRegionTest, CornersInAnyOrderGiveTheSameRectangle) {
    for (const ClientRect& dragged : {ClientRect{300, 200, 100, 50}, ClientRect{100, 50, 300, 200},
                                      ClientRect{100, 200, 300, 50}}) {
        const ClientRect r = dragged.Ordered();
        EXPECT_EQ(r.left, 100);
        EXPECT_EQ(r.top, 50);
        EXPECT_EQ(dragged.Width(), 200);
        EXPECT_EQ(dragged.Height(), 150);
    }
}

TEST_F(CaptureWrite, BmpCaptureIsTheEncodedPicture) {
    const CapturedImage image = Picture(5, 4);
    const CaptureTarget target{(dir / "shot.bmp").string(), kCaptureBmp, "unused"};
    ASSERT_EQ(WriteCapture(image, target, settings), CaptureStatus::kOk);
    EXPECT_EQ(Slurp(target.path), EncodeBmp24(image.Record()));
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(CaptureWrite, EmptyRegionWritesNothingAndSaysSo) {
    RecordingSink sink;
    const CaptureTarget target{(dir / "empty.bmp").string(), kCaptureBmp, ""};
    EXPECT_EQ(WriteCapture(Picture(0, 10), target, settings), CaptureStatus::kEmptyRegion);
    EXPECT_EQ(WriteCapture(Picture(10, 0), target, settings), CaptureStatus::kEmptyRegion);
    const CaptureStatus status = CaptureFrame({40, 40, 40, 90}, 100, 100, target, settings);
    EXPECT_EQ(status, CaptureStatus::kEmptyRegion);
    ReportCaptureStatus(status, target.path, sink);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, texts::kCaptureEmptyRegion);
    EXPECT_EQ(FilesInDir(), 0u);
}

TEST_F(CaptureWrite, UnwritableTargetIsReportedAndLeavesNoFile) {
    RecordingSink sink;
    const std::string path = (dir / "missing" / "shot.bmp").string();
    const CaptureStatus status = WriteCapture(Picture(4, 4), {path, kCaptureBmp, ""}, settings);
    EXPECT_EQ(status, CaptureStatus::kCannotWrite);
    ReportCaptureStatus(status, path, sink);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, std::string(texts::kCaptureWriteFailed) + "\n" + path);
    EXPECT_EQ(sink.messages[0].caption, texts::kTitlePrefix);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(CaptureWrite, MissingJpegWriterIsReportedAndLeavesNoFile) {
    RecordingSink sink;
    const fs::path path = dir / "shot.jpg";
    const CaptureTarget target{path.string(), kCaptureJpeg, (dir / "libNothing.so").string()};
    const CaptureStatus status = WriteCapture(Picture(4, 4), target, settings);
    EXPECT_EQ(status, CaptureStatus::kWriterMissing);
    ReportCaptureStatus(status, target.path, sink);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, texts::kJpegWriterMissing);
    EXPECT_EQ(FilesInDir(), 0u);

    // A library without the writer function counts as missing too.
    const uint8_t pixel[3] = {0, 0, 0};
    const VmImageRecord record{1, 1, 3, pixel};
    Dl_info libc{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&std::fclose), &libc), 0);
    ASSERT_EQ(libc.dli_fname[0], '/');
    EXPECT_EQ(SaveDCToJpeg(libc.dli_fname, &record, 1, 1, path.c_str(), 50, 0),
              VM_JPEG_WRITER_MISSING);
    EXPECT_FALSE(fs::exists(path));
}

#if defined(__SANITIZE_ADDRESS__)
#define VM_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VM_UNDER_ASAN 1
#endif
#endif

// Lets no mapping beyond the process's present size plus a little succeed, as a machine out of
// memory would refuse them.
class AddressSpaceLimit {
  public:
    explicit AddressSpaceLimit(rlim_t headroom) {
        getrlimit(RLIMIT_AS, &saved_);
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        rlimit limit = saved_;
        limit.rlim_cur = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + headroom;
        setrlimit(RLIMIT_AS, &limit);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

  private:
    rlimit saved_{};
};

TEST_F(CaptureWrite, RunningOutOfMemoryIsAWriteFailureThatLeavesNoFile) {
#ifdef VM_UNDER_ASAN
    GTEST_SKIP() << "the sanitizer's allocator aborts instead of failing";
#endif
    // Larger than any memory earlier tests may have freed but left mapped.
    CapturedImage image;
    image.width = 8192;
    image.height = 4096;
    image.rgb.assign(8192u * 4096u * 3u, 0x5A);
    // The JPEG writer gathers the whole picture first. It is loaded before the limit, so that
    // only the picture's memory can run out, not the loading of the writer.
    const std::string plugin = FindJpegPlugin(ExecutableDir());
    ASSERT_FALSE(plugin.empty());
    void* loaded = dlopen(plugin.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(loaded, nullptr);
    const fs::path path = dir / "big.jpg";
    CaptureStatus status = CaptureStatus::kOk;
    {
        AddressSpaceLimit limit(1 << 20);
        status = WriteCapture(image, {path.string(), kCaptureJpeg, plugin}, settings);
    }
    dlclose(loaded);
    EXPECT_EQ(status, CaptureStatus::kCannotWrite);
    EXPECT_EQ(FilesInDir(), 0u);
}

TEST_F(CaptureWrite, PluginIsLookedForBesideTheExecutableFirst) {
    EXPECT_EQ(FindJpegPlugin(dir.path().string()), "");
    EXPECT_EQ(FindJpegPlugin(""), "");
    std::ofstream((dir / "libSaveJPG.so").string()) << "x";
    EXPECT_EQ(FindJpegPlugin(dir.path().string()), (dir / "libSaveJPG.so").string());
    EXPECT_FALSE(ExecutableDir().empty());
}

TEST_F(CaptureWrite, InstalledPluginIsFoundFromTheBinFolder) {
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "lib" / "vellumark");
    const fs::path bin = dir / "bin";
    EXPECT_EQ(FindJpegPlugin(bin.string()), "");
    std::ofstream((dir / "lib" / "vellumark" / "libSaveJPG.so").string()) << "x";
    EXPECT_EQ(FindJpegPlugin(bin.string()), bin.string() + "/../lib/vellumark/libSaveJPG.so");
    // One beside the program still wins.
    std::ofstream((bin / "libSaveJPG.so").string()) << "x";
    EXPECT_EQ(FindJpegPlugin(bin.string()), (bin / "libSaveJPG.so").string());
}

}  // namespace
