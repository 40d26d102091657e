#pragma once
// Puts a whole file in place or nothing: the bytes go to a temporary file in the same folder,
// named after the target (".NAME-save-XXXXXX"), which is flushed and renamed over the target only
// once it is complete; the folder is flushed too, so a write reported as done survives a power
// cut. Temporaries that a killed save left behind go at the target's next save.

#include <cstddef>
#include <cstdint>
#include <string>

// False when the file could not be created, written or renamed, or when the target exists and
// its mode bits do not let this user write it; the target is then as it was and no temporary
// file is left behind.
bool ReplaceFileContents(const std::string& path, const uint8_t* data, std::size_t size);

// A fresh, empty temporary file beside a target, for a writer that must produce the bytes itself
// through its path. Removed when it goes out of scope without a successful Commit.
class TemporaryFile {
  public:
    // Refused (IsOpen false) on the same grounds as ReplaceFileContents.
    explicit TemporaryFile(const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    // Flushes the file, renames it over the target and flushes the folder.
    bool Commit();

  private:
    void Discard();

    std::string target_;
    std::string path_;
    int fd_ = -1;
};

// The same for writers that keep only the temporary's path. Nothing holds a lock on such a file
// while it is written, so a save of the same target by another process at that moment may take
// it for a leftover (that write then fails; no file is damaged). Empty string when none could be
// made. The caller renames it with CommitTemporaryFile or removes it.
std::string CreateTemporaryFileBeside(const std::string& path);
// Flushes the file, renames it over path and flushes the folder; removes it on failure.
bool CommitTemporaryFile(const std::string& temporaryPath, const std::string& path);
