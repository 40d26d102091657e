#pragma once
// The commands that open the property dialogs: the current object's colour, position, size and
// rotation and bevel, and the scene's shadow, light and look-at target.

class MainFrame;

void OpenMaterialDialog(MainFrame& frame);
void OpenPositionDialog(MainFrame& frame);
void OpenScaleDialog(MainFrame& frame);
void OpenRotationDialog(MainFrame& frame);
void OpenBevelDialog(MainFrame& frame);
void OpenShadowDialog(MainFrame& frame);
void OpenLightDialog(MainFrame& frame);
void OpenTargetDialog(MainFrame& frame);
