#pragma once
// What every capture asks the same way, the whole view, a dragged region and a picture of a
// chosen size: the save dialog with its picture filters and the type the chosen filter names.

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/user_prompts.h"
#include "formats/image_sink.h"
#include "scene/app_settings.h"

// The picture types in the order of the save dialog's filters; the first is proposed.
using CaptureTypeOrder = std::array<ImageFileType, 3>;

// The save dialog of a capture, asking before it replaces a file.
FileRequest CaptureFileRequest(const CaptureTypeOrder& order, const std::string& initialPath);
// The type of the filter chosen, not of the typed extension; the first for an unknown filter.
ImageFileType ChosenCaptureType(const FileAnswer& answer, const CaptureTypeOrder& order);
// As the preferences keep the type of a view capture.
int32_t CaptureSettingOf(ImageFileType type);
