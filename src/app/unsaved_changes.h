#pragma once
// What happens to unsaved edits when the scene is closed or replaced.

class CommandContext;

// Asks about unsaved edits; true when the program may end. A save that is cancelled or fails
// keeps the program running, so the edits are never lost on the way out.
bool RunCloseProcedure(CommandContext& context);
// Starts an empty scene after offering to save; nothing is cleared when that save does not happen.
void NewScene(CommandContext& context);
