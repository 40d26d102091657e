#pragma once
// The file menu's 3D model export: a save dialog of the four model types, the print size for
// the two that are printed, and the file written from the glyph outlines.

class CommandContext;

void ExportModelCommand(CommandContext& context);
