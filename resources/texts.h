#pragma once
// Every text the user sees, exactly as the program shows it (UTF-8; converted at the UI edge).
// Each area keeps its texts in its own block; add new ones to the block of your area.

namespace texts {

// ---- Application frame ----
inline constexpr char kTitlePrefix[] = "Vellumarkライター　version 5.00  ";
inline constexpr char kNewSceneSuffix[] = "[新規作成]";
inline constexpr char kOpenGlInitFailed[] = "OpenGL初期化失敗";

// ---- OpenGL context ----
inline constexpr char kGetDcFailed[] = "Getting HDC Failed....";
inline constexpr char kChoosePixelFormatFailed[] = "ChoosePixelFormat Failed....";
inline constexpr char kSetPixelFormatFailed[] = "SetPixelFormat Failed....";
inline constexpr char kCreateContextFailed[] = "Creating HGLRC Failed....";
inline constexpr char kReleaseContextFailed[] = "Release HGLRC Failed....";
inline constexpr char kReleaseDcFailed[] = "Release HDC Failed....";
inline constexpr char kCaptionErrorUpper[] = "ERROR";
inline constexpr char kCaptionErrorMixed[] = "Error";

// ---- Glyph builder ----

// ---- Commands and menus ----

// ---- Dialogs ----

// ---- Textures ----

// ---- Scene files ----

// ---- Capture and JPEG export ----

// ---- Preferences ----

}  // namespace texts
