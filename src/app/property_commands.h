#pragma once
// The commands that open the property dialogs: the current object's colour, position, size and
// rotation and bevel, and the scene's shadow, light and look-at target.

class CommandContext;

void OpenMaterialDialog(CommandContext& context);
void OpenPositionDialog(CommandContext& context);
void OpenScaleDialog(CommandContext& context);
void OpenRotationDialog(CommandContext& context);
void OpenBevelDialog(CommandContext& context);
void OpenShadowDialog(CommandContext& context);
void OpenLightDialog(CommandContext& context);
void OpenTargetDialog(CommandContext& context);
