#pragma once
// The scene-file commands: save as, save, open, and the rebuild of the slots after an open.

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
// Gives every slot its index, its glyph lists (no font fallback) and its texture from its path.
void RefreshSlots(MainFrame& frame);
