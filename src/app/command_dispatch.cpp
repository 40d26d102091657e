#include "app/command_dispatch.h"

#include "app/animation_export_command.h"
#include "app/capture_commands.h"
#include "app/command_context.h"
#include "app/edit_commands.h"
#include "app/export_command.h"
#include "app/help_book.h"
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

void RunCommand(CommandContext& context, int commandId) {
    Scene& scene = context.scene();
    switch (commandId) {
        case kCmdExit:
            context.window()->Close();
            break;
        case kCmdResetView:
            ResetView(scene.view);
            context.InvalidateView();
            break;
        case kCmdVersion:
            ShowAboutDialog(context.window());
            break;
        case kCmdNewObject:
            NewObject(context);
            break;
        case kCmdEditText:
            EditObjectText(context);
            break;
        case kCmdDeleteObject:
            DeleteCurrentObject(context);
            break;
        case kCmdFont:
            ChangeObjectFont(context);
            break;
        case kCmdColour:
            OpenMaterialDialog(context);
            break;
        case kCmdPosition:
            OpenPositionDialog(context);
            break;
        case kCmdSize:
            OpenScaleDialog(context);
            break;
        case kCmdRotation:
            OpenRotationDialog(context);
            break;
        case kCmdBevel:
            OpenBevelDialog(context);
            break;
        case kCmdZoomIn:
            ZoomIn(scene.view);
            context.InvalidateView();
            break;
        case kCmdZoomOut:
            ZoomOut(scene.view);
            context.InvalidateView();
            break;
        case kCmdGuideLines:
            ToggleGuideLines(scene.view);
            context.InvalidateView();
            break;
        case kCmdShadow:
            OpenShadowDialog(context);
            break;
        case kCmdSelectObject:
            SelectObject(context);
            break;
        case kCmdLight:
            OpenLightDialog(context);
            break;
        case kCmdTarget:
            OpenTargetDialog(context);
            break;
        case kCmdHelp:
            ShowHelpContents(context);
            break;
        case kCmdPreferences:
            ShowPreferences(context);
            break;
        case kCmdPreview:
            context.ClearSelection();
            context.ui().previewRequested = 1;
            context.InvalidateView();
            break;
        case kCmdNewScene:
            NewScene(context);
            break;
        case kCmdSaveAs:
            SaveSceneAsCommand(context);
            break;
        case kCmdOpen:
            OpenSceneCommand(context);
            break;
        case kCmdSave:
            SaveSceneCommand(context);
            break;
        case kCmdCapture:
            CaptureSceneCommand(context);
            break;
        case kCmdCaptureRegion:
            CaptureRegionCommand(context);
            break;
        case kCmdExportModel:
            ExportModelCommand(context);
            break;
        case kCmdCaptureSized:
            CaptureSizedCommand(context);
            break;
        case kCmdExportAnimation:
            ExportAnimationCommand(context);
            break;
        case kCmdLoadTexture:
            LoadTextureCommand(context);
            break;
        case kCmdDeleteTexture:
            DeleteTextureCommand(context);
            break;
        case kCmdUndo:
            UndoCommand(context);
            break;
        case kCmdRedo:
            RedoCommand(context);
            break;
        default:
            break;
    }
}

}  // namespace

void DispatchCommand(CommandContext& context, int commandId) {
    if (IsEditCommand(commandId)) {
        context.document().RunAsOneStep([&context, commandId] { RunCommand(context, commandId); });
    } else {
        RunCommand(context, commandId);
    }
    context.shell().RefreshUndoMenu();
}
