#pragma once
// The scene-file commands the shell's other commands lean on.

class MainFrame;

// Asks for a file name and writes the scene there. On success the scene counts as saved and the
// caption names the file. False when the user cancelled or the file could not be written.
bool SaveSceneAs(MainFrame& frame);
