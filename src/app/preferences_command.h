#pragma once

class CommandContext;

// Runs the preferences dialog over the main window (command 40064).
void ShowPreferences(CommandContext& context);
