#pragma once
// Puts a whole file in place or nothing: the bytes go to a temporary file in the same folder,
// which is renamed over the target only once it is complete.

#include <cstddef>
#include <cstdint>
#include <string>

// False when the file could not be created, written or renamed; the target is then as it was
// and no temporary file is left behind.
bool ReplaceFileContents(const std::string& path, const uint8_t* data, std::size_t size);

// A fresh, empty file beside path for a writer that must produce the bytes itself. Empty
// string when none could be made. The caller renames it with CommitTemporaryFile or removes it.
std::string CreateTemporaryFileBeside(const std::string& path);
bool CommitTemporaryFile(const std::string& temporaryPath, const std::string& path);
