#include "app/property_commands.h"

#include "app/main_frame.h"
#include "dialogs/bevel_dialog.h"
#include "dialogs/light_dialog.h"
#include "dialogs/material_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/scale_dialog.h"
#include "dialogs/shadow_dialog.h"
#include "dialogs/target_dialog.h"

namespace {

InvalidateView Redraw(MainFrame& frame) {
    return [&frame] { frame.InvalidateView(); };
}

}  // namespace

void OpenMaterialDialog(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        MaterialDialog dialog(&frame, *object, frame.prompts(), Redraw(frame));
        dialog.ShowModal();
    }
}

void OpenPositionDialog(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        PositionDialog dialog(&frame, *object, Redraw(frame));
        dialog.ShowModal();
    }
}

void OpenScaleDialog(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        ScaleDialog dialog(&frame, *object, frame.glyphs(), frame.messages(), Redraw(frame));
        dialog.ShowModal();
    }
}

void OpenRotationDialog(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        RotationDialog dialog(&frame, *object, Redraw(frame));
        dialog.ShowModal();
    }
}

void OpenShadowDialog(MainFrame& frame) {
    ShadowDialog dialog(&frame, frame.scene(), frame.prompts(), Redraw(frame));
    dialog.ShowModal();
}

void OpenLightDialog(MainFrame& frame) {
    LightDialog dialog(&frame, frame.scene(), Redraw(frame));
    dialog.ShowModal();
}

void OpenTargetDialog(MainFrame& frame) {
    TargetDialog dialog(&frame, frame.scene().view, Redraw(frame));
    dialog.ShowModal();
}

void OpenBevelDialog(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        BevelDialog dialog(&frame, *object, frame.glyphs(), frame.messages(), Redraw(frame));
        dialog.ShowModal();
    }
}
