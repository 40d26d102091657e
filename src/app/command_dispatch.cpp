#include "app/command_dispatch.h"

#include "app/animation_export_command.h"
#include "app/capture_commands.h"
#include "app/edit_commands.h"
#include "app/export_command.h"
#include "app/help_book.h"
#include "app/main_frame.h"
#include "app/object_commands.h"
#include "app/object_select_command.h"
#include "app/preferences_command.h"
#include "app/property_commands.h"
#include "app/scene_commands.h"
#include "app/sized_capture_command.h"
#include "app/texture_commands.h"
#include "app/unsaved_changes.h"
#include "app/view_commands.h"
#include "dialogs/about_dialog.h"
#include "dialogs/command_ids.h"

namespace {

void RunCommand(MainFrame& frame, int commandId) {
    Scene& scene = frame.scene();
    switch (commandId) {
        case kCmdExit:
            frame.Close();
            break;
        case kCmdResetView:
            ResetView(scene.view);
            frame.InvalidateView();
            break;
        case kCmdVersion:
            ShowAboutDialog(&frame);
            break;
        case kCmdNewObject:
            NewObject(frame);
            break;
        case kCmdEditText:
            EditObjectText(frame);
            break;
        case kCmdDeleteObject:
            DeleteCurrentObject(frame);
            break;
        case kCmdFont:
            ChangeObjectFont(frame);
            break;
        case kCmdColour:
            OpenMaterialDialog(frame);
            break;
        case kCmdPosition:
            OpenPositionDialog(frame);
            break;
        case kCmdSize:
            OpenScaleDialog(frame);
            break;
        case kCmdRotation:
            OpenRotationDialog(frame);
            break;
        case kCmdBevel:
            OpenBevelDialog(frame);
            break;
        case kCmdZoomIn:
            ZoomIn(scene.view);
            frame.InvalidateView();
            break;
        case kCmdZoomOut:
            ZoomOut(scene.view);
            frame.InvalidateView();
            break;
        case kCmdGuideLines:
            ToggleGuideLines(scene.view);
            frame.InvalidateView();
            break;
        case kCmdShadow:
            OpenShadowDialog(frame);
            break;
        case kCmdSelectObject:
            SelectObject(frame);
            break;
        case kCmdLight:
            OpenLightDialog(frame);
            break;
        case kCmdTarget:
            OpenTargetDialog(frame);
            break;
        case kCmdHelp:
            ShowHelpContents(frame);
            break;
        case kCmdPreferences:
            ShowPreferences(frame);
            break;
        case kCmdPreview:
            frame.ClearSelection();
            frame.previewRequested = 1;
            frame.InvalidateView();
            break;
        case kCmdNewScene:
            NewScene(frame);
            break;
        case kCmdSaveAs:
            SaveSceneAsCommand(frame);
            break;
        case kCmdOpen:
            OpenSceneCommand(frame);
            break;
        case kCmdSave:
            SaveSceneCommand(frame);
            break;
        case kCmdCapture:
            CaptureSceneCommand(frame);
            break;
        case kCmdCaptureRegion:
            CaptureRegionCommand(frame);
            break;
        case kCmdExportModel:
            ExportModelCommand(frame);
            break;
        case kCmdCaptureSized:
            CaptureSizedCommand(frame);
            break;
        case kCmdExportAnimation:
            ExportAnimationCommand(frame);
            break;
        case kCmdLoadTexture:
            LoadTextureCommand(frame);
            break;
        case kCmdDeleteTexture:
            DeleteTextureCommand(frame);
            break;
        case kCmdUndo:
            UndoCommand(frame);
            break;
        case kCmdRedo:
            RedoCommand(frame);
            break;
        default:
            break;
    }
}

}  // namespace

void DispatchCommand(MainFrame& frame, int commandId) {
    if (IsEditCommand(commandId)) {
        RunAsOneStep(frame, [&frame, commandId] { RunCommand(frame, commandId); });
    } else {
        RunCommand(frame, commandId);
    }
    RefreshUndoMenu(frame);
}
