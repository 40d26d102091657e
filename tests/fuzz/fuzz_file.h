#pragma once
// The fuzz input as a file on disk, so that the readers run through the same opening, sizing and
// seeking as for a file the user chose, and a scratch folder for what they write back. Files
// cost far more than the decoding itself, so one input in kFilePathShare goes that way, chosen
// by its bytes so that a finding reproduces.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

inline uint32_t Crc32(const uint8_t* data, std::size_t size) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

inline constexpr uint32_t kFilePathShare = 16;

inline bool ThroughFiles(const uint8_t* data, std::size_t size) {
    return Crc32(data, size) % kFilePathShare == 0;
}

// One in-memory file per process, rewritten for every input.
class FuzzInputFile {
  public:
    FuzzInputFile() : fd_(memfd_create("fuzz_input", MFD_CLOEXEC)) {
        if (fd_ < 0) {
            std::abort();
        }
    }
    ~FuzzInputFile() { close(fd_); }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Returns the path the readers open.
    std::string Hold(const uint8_t* data, std::size_t size) const {
        if (ftruncate(fd_, 0) != 0) {
            std::abort();
        }
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (n <= 0) {
                std::abort();
            }
            done += static_cast<std::size_t>(n);
        }
        return "/proc/self/fd/" + std::to_string(fd_);
    }

  private:
    int fd_;
};

// A private folder, removed when the fuzzer exits normally. Saves flush to disk; in memory that
// costs nothing, so it sits in /dev/shm when there is one.
class FuzzScratchFolder {
  public:
    FuzzScratchFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "vm_fuzz_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~FuzzScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

    std::string File(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};
