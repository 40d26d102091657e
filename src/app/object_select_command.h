#pragma once
// The object selection command: the dialog, then whatever action its button asked for.

class CommandContext;

// Without any object only says so. Otherwise the chosen object stays current after the dialog,
// and the action chosen in it runs on that object once the dialog has gone.
void SelectObject(CommandContext& context);
