#pragma once
// The scene-file commands: save as, save, open, and the rebuild of the slots after an open.

#include <string>

class MainFrame;

// Asks for a file name and writes the scene there. On success the scene counts as saved and the
// caption names the file. False when the user cancelled or the file could not be written.
bool SaveSceneAs(MainFrame& frame);

// The Save As command: the procedure above, then a redraw.
void SaveSceneAsCommand(MainFrame& frame);
// The Save command: writes to the scene's own file, or falls back to Save As when it has none.
void SaveSceneCommand(MainFrame& frame);
// The Open command: offers to save unsaved edits, asks for a file and replaces the scene by it.
void OpenSceneCommand(MainFrame& frame);
// A file dropped on the window: offers to save unsaved edits, then opens it as the Open command.
void OpenDroppedSceneFile(MainFrame& frame, const std::string& path);
// Replaces the scene by the file at path (UTF-8) with the Open command's messages on failure; the
// view must be ready. False when it was refused.
bool OpenSceneFile(MainFrame& frame, const std::string& path);
// Gives every slot its index, its glyph lists (no font fallback) and its texture from its path.
void RefreshSlots(MainFrame& frame);
