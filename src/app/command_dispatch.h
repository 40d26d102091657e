#pragma once
// The one place every command id arrives, from the menus, the popup menu, the toolbar and the
// keys. Ids without an action do nothing.

class CommandContext;

void DispatchCommand(CommandContext& context, int commandId);
