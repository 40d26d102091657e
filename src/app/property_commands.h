#pragma once
// The commands that open the property dialogs: the current object's colour, position, size,
// rotation, bevel, surface and typography, and the scene's shadow, light, look-at target and
// studio.

class CommandContext;

void OpenMaterialDialog(CommandContext& context);
void OpenPositionDialog(CommandContext& context);
void OpenScaleDialog(CommandContext& context);
void OpenRotationDialog(CommandContext& context);
void OpenBevelDialog(CommandContext& context);
void OpenSurfaceDialog(CommandContext& context);
void OpenTypographyDialog(CommandContext& context);
void OpenShadowDialog(CommandContext& context);
void OpenLightDialog(CommandContext& context);
void OpenTargetDialog(CommandContext& context);
void OpenStudioDialog(CommandContext& context);
