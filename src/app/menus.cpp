#include "app/menus.h"

#include <initializer_list>

#include "dialogs/command_ids.h"
#include "resources/texts.h"

namespace {

// command 0 marks a separator.
struct MenuEntry {
    int command;
    const char* caption;  // UTF-8
    wxItemKind kind = wxITEM_NORMAL;
};

constexpr MenuEntry kSeparator = {0, nullptr};

wxMenu* BuildMenu(std::initializer_list<MenuEntry> entries) {
    auto* menu = new wxMenu;
    for (const MenuEntry& entry : entries) {
        if (entry.command == 0) {
            menu->AppendSeparator();
        } else {
            menu->Append(ToWxId(entry.command), wxString::FromUTF8(entry.caption), wxEmptyString,
                         entry.kind);
        }
    }
    return menu;
}

}  // namespace

wxMenuBar* CreateMainMenuBar() {
    auto* bar = new wxMenuBar;
    bar->Append(BuildMenu({{kCmdNewScene, texts::kMenuNewScene},
                           {kCmdOpen, texts::kMenuOpen},
                           {kCmdSaveAs, texts::kMenuSaveAs},
                           {kCmdSave, texts::kMenuSave},
                           kSeparator,
                           {kCmdExportModel, texts::kMenuExportModel},
                           {kCmdPreferences, texts::kMenuPreferences},
                           kSeparator,
                           {kCmdExit, texts::kMenuExit}}),
                wxString::FromUTF8(texts::kMenuFile));
    bar->Append(BuildMenu({{kCmdCapture, texts::kMenuCaptureScene},
                           {kCmdCaptureRegion, texts::kMenuCaptureRegion},
                           {kCmdCaptureSized, texts::kMenuCaptureSized},
                           {kCmdExportAnimation, texts::kMenuExportAnimation}}),
                wxString::FromUTF8(texts::kMenuCapture));
    bar->Append(BuildMenu({{kCmdUndo, texts::kMenuUndo},
                           {kCmdRedo, texts::kMenuRedo},
                           kSeparator,
                           {kCmdNewObject, texts::kMenuNewObject},
                           {kCmdSelectObject, texts::kMenuSelectObject},
                           kSeparator,
                           {kCmdLight, texts::kMenuLight},
                           {kCmdShadow, texts::kMenuShadow},
                           {kCmdTarget, texts::kMenuTarget}}),
                wxString::FromUTF8(texts::kMenuEdit));
    bar->Append(BuildMenu({{kCmdResetView, texts::kMenuResetView},
                           {kCmdGuideLines, texts::kMenuGuideLines},
                           {kCmdPreview, texts::kMenuPreview},
                           {kCmdStudioLook, texts::kMenuStudioLook, wxITEM_CHECK},
                           {kCmdStudioSettings, texts::kMenuStudioSettings},
                           kSeparator,
                           {kCmdZoomIn, texts::kMenuZoomIn},
                           {kCmdZoomOut, texts::kMenuZoomOut}}),
                wxString::FromUTF8(texts::kMenuView));
    bar->Append(
        BuildMenu({{kCmdHelp, texts::kMenuHelpContents}, {kCmdVersion, texts::kMenuVersion}}),
        wxString::FromUTF8(texts::kMenuHelp));
    return bar;
}

wxMenu* CreateObjectMenu() {
    return BuildMenu({{kCmdEditText, texts::kPopupEditText},
                      {kCmdDeleteObject, texts::kPopupDeleteObject},
                      kSeparator,
                      {kCmdColour, texts::kPopupColour},
                      {kCmdFont, texts::kPopupFont},
                      kSeparator,
                      {kCmdPosition, texts::kPopupPosition},
                      {kCmdSize, texts::kPopupSize},
                      {kCmdRotation, texts::kPopupRotation},
                      kSeparator,
                      {kCmdLoadTexture, texts::kPopupLoadTexture},
                      {kCmdDeleteTexture, texts::kPopupDeleteTexture},
                      kSeparator,
                      {kCmdBevel, texts::kPopupBevel},
                      {kCmdSurface, texts::kPopupSurface},
                      {kCmdTypography, texts::kPopupTypography}});
}
