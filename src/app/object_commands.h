#pragma once
// The commands on text objects: new, edit, delete and font.

#include <string>

#include "dialogs/user_prompts.h"
#include "scene/text_object.h"

class CommandContext;

// Marks the scene modified, then opens the text dialog on the lowest free slot, or tells the user
// that all slots are in use.
void NewObject(CommandContext& context);
void EditObjectText(CommandContext& context);
// Asks first; on Yes the slot is reset but stays the current object.
void DeleteCurrentObject(CommandContext& context);
void ChangeObjectFont(CommandContext& context);
// The font picker opened on request; a chosen face is applied with the fallback to the default.
void ChooseObjectFont(CommandContext& context, TextObject& object, const FontRequest& request);
