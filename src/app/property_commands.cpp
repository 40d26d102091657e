#include "app/property_commands.h"

#include "app/command_context.h"
#include "dialogs/bevel_dialog.h"
#include "dialogs/light_dialog.h"
#include "dialogs/material_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/scale_dialog.h"
#include "dialogs/shadow_dialog.h"
#include "dialogs/target_dialog.h"

namespace {

InvalidateView Redraw(CommandContext& context) {
    return [&context] { context.InvalidateView(); };
}

}  // namespace

void OpenMaterialDialog(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        MaterialDialog dialog(context.window(), *object, context.prompts(), Redraw(context));
        dialog.ShowModal();
    }
}

void OpenPositionDialog(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        PositionDialog dialog(context.window(), *object, Redraw(context));
        dialog.ShowModal();
    }
}

void OpenScaleDialog(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        ScaleDialog dialog(context.window(), *object, context.glyphs(), context.messages(),
                           Redraw(context));
        dialog.ShowModal();
    }
}

void OpenRotationDialog(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        RotationDialog dialog(context.window(), *object, Redraw(context));
        dialog.ShowModal();
    }
}

void OpenShadowDialog(CommandContext& context) {
    ShadowDialog dialog(context.window(), context.scene(), context.prompts(), Redraw(context));
    dialog.ShowModal();
}

void OpenLightDialog(CommandContext& context) {
    LightDialog dialog(context.window(), context.scene(), Redraw(context));
    dialog.ShowModal();
}

void OpenTargetDialog(CommandContext& context) {
    TargetDialog dialog(context.window(), context.scene().view, Redraw(context));
    dialog.ShowModal();
}

void OpenBevelDialog(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        BevelDialog dialog(context.window(), *object, context.glyphs(), context.messages(),
                           Redraw(context));
        dialog.ShowModal();
    }
}
