#pragma once
// The commands on text objects: new, edit, delete and font.

#include <string>

#include "dialogs/user_prompts.h"
#include "scene/text_object.h"

class MainFrame;

// Marks the scene modified, then opens the text dialog on the lowest free slot, or tells the user
// that all slots are in use.
void NewObject(MainFrame& frame);
void EditObjectText(MainFrame& frame);
// Asks first; on Yes the slot is reset but stays the current object.
void DeleteCurrentObject(MainFrame& frame);
void ChangeObjectFont(MainFrame& frame);
// The font picker opened on request; a chosen face is applied with the fallback to the default.
void ChooseObjectFont(MainFrame& frame, TextObject& object, const FontRequest& request);
