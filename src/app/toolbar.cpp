#include "app/toolbar.h"

#include <wx/bitmap.h>

#include "dialogs/command_ids.h"
#include "resources/texts.h"
#include "resources/toolbar/tool_00_new_object.xpm"
#include "resources/toolbar/tool_01_capture.xpm"
#include "resources/toolbar/tool_02_preview.xpm"
#include "resources/toolbar/tool_03_edit_text.xpm"
#include "resources/toolbar/tool_04_delete_text.xpm"
#include "resources/toolbar/tool_05_colour.xpm"
#include "resources/toolbar/tool_06_size.xpm"
#include "resources/toolbar/tool_07_position.xpm"
#include "resources/toolbar/tool_08_tilt.xpm"
#include "resources/toolbar/tool_09_font.xpm"
#include "resources/toolbar/tool_10_texture.xpm"
#include "resources/toolbar/tool_11_delete_texture.xpm"
#include "resources/toolbar/tool_12_zoom_in.xpm"
#include "resources/toolbar/tool_13_zoom_out.xpm"
#include "resources/toolbar/tool_14_guides.xpm"
#include "resources/toolbar/tool_15_shadow.xpm"
#include "resources/toolbar/tool_16_light.xpm"
#include "resources/toolbar/tool_17_help.xpm"

namespace {

constexpr ToolButton kSeparator = {-1, 0, nullptr};

const char* const* const kToolImages[18] = {
    tool_00_new_object_xpm,  tool_01_capture_xpm,  tool_02_preview_xpm, tool_03_edit_text_xpm,
    tool_04_delete_text_xpm, tool_05_colour_xpm,   tool_06_size_xpm,    tool_07_position_xpm,
    tool_08_tilt_xpm,        tool_09_font_xpm,     tool_10_texture_xpm, tool_11_delete_texture_xpm,
    tool_12_zoom_in_xpm,     tool_13_zoom_out_xpm, tool_14_guides_xpm,  tool_15_shadow_xpm,
    tool_16_light_xpm,       tool_17_help_xpm,
};

}  // namespace

const std::array<ToolButton, 22> kToolButtons = {{
    {0, kCmdNewObject, texts::kTipNewObject},
    {1, kCmdCapture, texts::kTipCapture},
    {2, kCmdPreview, texts::kTipPreview},
    kSeparator,
    {3, kCmdEditText, texts::kTipEditText},
    {4, kCmdDeleteObject, texts::kTipDeleteText},
    {5, kCmdColour, texts::kTipColour},
    {6, kCmdSize, texts::kTipSize},
    {7, kCmdPosition, texts::kTipPosition},
    {8, kCmdRotation, texts::kTipTilt},
    {9, kCmdFont, texts::kTipFont},
    {10, kCmdLoadTexture, texts::kTipTexture},
    {11, kCmdDeleteTexture, texts::kTipDeleteTexture},
    kSeparator,
    {12, kCmdZoomIn, texts::kTipZoomIn},
    {13, kCmdZoomOut, texts::kTipZoomOut},
    {14, kCmdGuideLines, texts::kTipGuideLines},
    kSeparator,
    {15, kCmdShadow, texts::kTipShadow},
    {16, kCmdLight, texts::kTipLight},
    kSeparator,
    {17, kCmdHelp, texts::kTipHelp},
}};

wxToolBar* CreateMainToolBar(wxFrame& frame) {
    wxToolBar* toolbar = frame.CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    toolbar->SetToolBitmapSize(wxSize(16, 15));
    for (const ToolButton& button : kToolButtons) {
        if (button.command == 0) {
            toolbar->AddSeparator();
            continue;
        }
        const wxString tooltip = wxString::FromUTF8(button.tooltip);
        toolbar->AddTool(ToWxId(button.command), tooltip, wxBitmap(kToolImages[button.image]),
                         tooltip);
    }
    toolbar->Realize();
    return toolbar;
}
