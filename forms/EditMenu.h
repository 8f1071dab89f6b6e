#pragma once
// The classic context menu of an edit box: Undo, Cut, Copy, Paste, Delete, Select All, enabled
// from the state of the edit's buffer, and the actions that carry out a chosen item.

#include "forms/EditBuffer.h"
#include "forms/PopupMenu.h"

enum EditMenuAction { emUndo = 1, emCut, emCopy, emPaste, emDelete, emSelectAll };

class EditMenu {
public:
    // Undo when there is something to undo; Cut and Delete with a selection in an editable
    // buffer; Copy with a selection; Paste when the clipboard holds text; Select All with text.
    static PopupMenu Build(const EditBuffer& buffer);
    // Carries out an action on the buffer; true when the text changed. Unknown ids do nothing.
    static bool Perform(EditBuffer& buffer, int action);
};
