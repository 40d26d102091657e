#pragma once
// Puts a whole file in place or nothing: the bytes go to a temporary file in the same folder,
// named after the target (".NAME-save-XXXXXX"), which is flushed and renamed over the target only
// once it is complete; the folder is flushed too, so a write reported as done survives a power
// cut. Temporaries that a killed save left behind go at the target's next save.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// False when the file could not be created, written or renamed, or when the target exists and
// is not a regular file or its mode bits do not let this user write it; the target is then as
// it was and no temporary file is left behind.
bool ReplaceFileContents(const std::string& path, const uint8_t* data, std::size_t size);

// A fresh, empty temporary file beside a target. Writers that produce the bytes through a path
// of their own open path(); the descriptor stays open (and locked where the system has locks)
// for the object's whole life, so a save of the same target by another process never takes
// the file for a leftover. Removed when it goes out of scope without a successful Commit.
class TemporaryFile {
  public:
    // Refused (IsOpen false) on the same grounds as ReplaceFileContents.
    explicit TemporaryFile(const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    const std::string& target() const { return target_; }
    int fd() const { return fd_; }
    // Flushes the file, renames it over the target and flushes the folder.
    bool Commit();

  private:
    friend bool CommitTogether(std::vector<std::unique_ptr<TemporaryFile>>& files);
    void Discard();

    std::string target_;
    std::string path_;
    int fd_ = -1;
};

// Puts every file in place, or none: when one rename fails, the targets renamed before it get
// their old contents back (or go, if they were new). Every temporary is gone afterwards.
bool CommitTogether(std::vector<std::unique_ptr<TemporaryFile>>& files);
