#include "forms/EditMenu.h"

PopupMenu EditMenu::Build(const EditBuffer& buffer)
{
    const bool editable = !buffer.ReadOnly();
    PopupMenu menu;
    menu.AddItem("Undo", emUndo, buffer.CanUndo());
    menu.AddSeparator();
    menu.AddItem("Cut", emCut, editable && buffer.HasSelection());
    menu.AddItem("Copy", emCopy, buffer.HasSelection());
    menu.AddItem("Paste", emPaste, buffer.CanPaste());
    menu.AddItem("Delete", emDelete, editable && buffer.HasSelection());
    menu.AddSeparator();
    menu.AddItem("Select All", emSelectAll, buffer.Length() > 0);
    return menu;
}

bool EditMenu::Perform(EditBuffer& buffer, int action)
{
    switch (action) {
    case emUndo: return buffer.Undo();
    case emCut: return buffer.Cut();
    case emCopy: buffer.Copy(); return false;
    case emPaste: return buffer.Paste();
    case emDelete: return buffer.Clear();
    case emSelectAll: buffer.SelectAll(); return false;
    default: return false;
    }
}
