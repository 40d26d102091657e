#pragma once

class MainFrame;

// Runs the preferences dialog over the main window (command 40064).
void ShowPreferences(MainFrame& frame);
