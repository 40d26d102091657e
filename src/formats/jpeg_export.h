#pragma once
// Hands a captured picture to the JPEG writer plug-in, loaded afresh for every export.

#include <cstdint>
#include <string>

#include "formats/jpeg_contract.h"

// The plug-in beside the executable in executableDir, else where an installation puts it
// (lib/vellumark beside the executable's bin folder); "" when neither has it. Never a bare
// name: the system's search would take a library of that name from the current folder.
std::string FindJpegPlugin(const std::string& executableDir);
// The folder of the running executable ("" when unknown).
std::string ExecutableDir();

// Loads library (a full path), calls its writer with the six arguments and unloads it. The writer's
// result, or VM_JPEG_WRITER_MISSING when the library or its function cannot be found.
uint16_t SaveDCToJpeg(const std::string& library, const VmImageRecord* image, int32_t width,
                      int32_t height, const char* path, uint8_t quality, uint16_t progressive);
