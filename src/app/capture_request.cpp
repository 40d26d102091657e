#include "app/capture_request.h"

#include "resources/texts.h"

namespace {

struct FilterOf {
    const char* description;
    const char* extension;
};

FilterOf Filter(ImageFileType type) {
    switch (type) {
        case ImageFileType::kJpeg:
            return {texts::kJpegFilter, "jpg"};
        case ImageFileType::kPng:
            return {texts::kPngFilter, "png"};
        case ImageFileType::kBmp:
            break;
    }
    return {texts::kBitmapFilter, "bmp"};
}

}  // namespace

FileRequest CaptureFileRequest(const CaptureTypeOrder& order, const std::string& initialPath) {
    FileRequest request;
    request.save = true;
    request.title = texts::kCaptureDialogTitle;
    for (const ImageFileType type : order) {
        const FilterOf filter = Filter(type);
        if (!request.wildcard.empty()) {
            request.wildcard += "|";
        }
        request.wildcard += std::string(filter.description) + "|*." + filter.extension;
        request.extensions.push_back(filter.extension);
    }
    request.filterIndex = 0;
    request.initialPath = initialPath;
    request.overwritePrompt = true;
    return request;
}

ImageFileType ChosenCaptureType(const FileAnswer& answer, const CaptureTypeOrder& order) {
    const bool known =
        answer.filterIndex >= 0 && answer.filterIndex < static_cast<int>(order.size());
    return order[known ? answer.filterIndex : 0];
}

int32_t CaptureSettingOf(ImageFileType type) {
    switch (type) {
        case ImageFileType::kJpeg:
            return kCaptureJpeg;
        case ImageFileType::kPng:
            return kCapturePng;
        case ImageFileType::kBmp:
            break;
    }
    return kCaptureBmp;
}
