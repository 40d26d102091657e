#pragma once
// Writing through a plain file descriptor, the same on every system the program runs on.

#include <cstddef>
#include <cstdint>
#include <string>

// -1 when the existing file at path cannot be opened for writing.
int OpenForWriting(const std::string& path);
// Writes all of data at offset; false on any failure.
bool WriteAllAt(int fd, const uint8_t* data, std::size_t size, uint64_t offset);
// Waits until the file's contents are on disk.
bool FlushToDisk(int fd);
bool CloseDescriptor(int fd);
