#pragma once
// Opening files the user chose: a FIFO or a device would block the open or the first read for
// good, so only regular files are read.

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// path is a file-system path. Empty when it cannot be opened or is not a regular file; decided
// without waiting for a FIFO's writer.
FileHandle OpenRegularFile(const std::string& path);

// True when both paths name one existing file, through links or other names.
bool IsSameFile(const std::string& a, const std::string& b);
