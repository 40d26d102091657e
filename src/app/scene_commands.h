#pragma once
// The scene-file commands: save as, save, open, and a file dropped on the window.

#include <string>

class CommandContext;

// Asks for a file name and writes the scene there. On success the scene counts as saved and the
// caption names the file. False when the user cancelled or the file could not be written.
bool SaveSceneAs(CommandContext& context);

// The Save As command: the procedure above, then a redraw.
void SaveSceneAsCommand(CommandContext& context);
// The Save command: writes to the scene's own file, or falls back to Save As when it has none.
void SaveSceneCommand(CommandContext& context);
// The Open command: offers to save unsaved edits, asks for a file and replaces the scene by it.
void OpenSceneCommand(CommandContext& context);
// A file dropped on the window: offers to save unsaved edits, then opens it as the Open command.
void OpenDroppedSceneFile(CommandContext& context, const std::string& path);
// Replaces the scene by the file at path (UTF-8) with the Open command's messages on failure; the
// view must be ready. False when it was refused.
bool OpenSceneFile(CommandContext& context, const std::string& path);
