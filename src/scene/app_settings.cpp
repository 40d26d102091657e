#include "scene/app_settings.h"

int32_t GetJpegQuality(const AppSettings& settings) {
    return settings.jpegQuality;
}

void SetJpegQuality(AppSettings& settings, int32_t quality) {
    settings.jpegQuality = quality;
}

int32_t GetJpegProgressive(const AppSettings& settings) {
    return settings.jpegProgressive;
}

void SetJpegProgressive(AppSettings& settings, int32_t progressive) {
    settings.jpegProgressive = progressive;
}
