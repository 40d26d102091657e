#pragma once
// Undo and redo at the level of commands: a command, with every dialog it opens and every arrow
// press in them, is one step, which the document records only when it changed.

#include <wx/menu.h>

#include "scene/edit_history.h"

class CommandContext;

// The commands that edit the document (objects, light, shadow, target, preferences); view,
// file, capture and help commands are not steps.
bool IsEditCommand(int commandId);

void UndoCommand(CommandContext& context);
void RedoCommand(CommandContext& context);
// Greys the two menu items when there is nothing to move over and names the step otherwise.
void RefreshUndoMenu(wxMenuBar* bar, const EditHistory& history);
