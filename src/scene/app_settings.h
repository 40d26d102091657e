#pragma once
// The preferences of one run; never stored anywhere.

#include <cstdint>

// Pass counts selectable on the antialiasing slider, by slider position.
inline constexpr int32_t AntialiasLevels[7] = {2, 3, 4, 8, 15, 24, 66};

enum CaptureType : int32_t { kCaptureBmp = 1, kCaptureJpeg = 2, kCapturePng = 3 };

struct AppSettings {
    int32_t antialias = 1;
    int32_t antialiasLevel = 8;
    int32_t jpegQuality = 50;
    int32_t jpegProgressive = 1;
    int32_t captureType = kCaptureBmp;
};

int32_t GetJpegQuality(const AppSettings& settings);
void SetJpegQuality(AppSettings& settings, int32_t quality);
int32_t GetJpegProgressive(const AppSettings& settings);
void SetJpegProgressive(AppSettings& settings, int32_t progressive);
