#pragma once
// Undo and redo at the level of commands: a command, with every dialog it opens and every arrow
// press in them, is one step, recorded only when it changed the document.

#include <functional>

#include "scene/edit_history.h"

class MainFrame;

// The commands that edit the document (objects, light, shadow, target, preferences); view,
// file, capture and help commands are not steps.
bool IsEditCommand(int commandId);
// Runs the command and records what it changed as one step.
void RunAsOneStep(MainFrame& frame, const std::function<void()>& command);

void UndoCommand(MainFrame& frame);
void RedoCommand(MainFrame& frame);
// Greys the two menu items when there is nothing to move over and names the step otherwise.
void RefreshUndoMenu(MainFrame& frame);
