#include "forms/TStringList.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

F2_DEFINE_CLASS(TStringList, TStrings, F2_NO_FACTORY) {}

void TStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit)
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index, Count() - 1);
    return lines_[size_t(index)];
}

void TStringList::Put(int index, const std::string& text)
{
    CheckIndex(index, Count() - 1);
    if (lines_[size_t(index)] == text)
        return;
    Changing();
    lines_[size_t(index)] = text;
    Changed();
}

void TStringList::Insert(int index, const std::string& text)
{
    CheckIndex(index, Count());
    Changing();
    lines_.insert(lines_.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count() - 1);
    Changing();
    lines_.erase(lines_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (lines_.empty())
        return;
    Changing();
    lines_.clear();
    lines_.shrink_to_fit();
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    // A batch announces itself only when something in it changed.
    if (!updating && changedInBatch_) {
        changedInBatch_ = false;
        changingInBatch_ = false;
        if (onChange_)
            onChange_(this);
    }
    if (!updating)
        changingInBatch_ = false;
}

void TStringList::Changing()
{
    if (UpdateCount() > 0) {
        if (changingInBatch_)
            return;
        changingInBatch_ = true;
    }
    if (onChanging_)
        onChanging_(this);
}

void TStringList::Changed()
{
    if (UpdateCount() > 0) {
        changedInBatch_ = true;
        return;
    }
    if (onChange_)
        onChange_(this);
}
