#include "forms/TCollection.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>

F2_DEFINE_CLASS(TCollection, TPersistent, F2_NO_FACTORY) {}

TCollection::TCollection(ItemFactory factory) : factory_(std::move(factory)) {}

TCollection::~TCollection()
{
    updateCount_ = 1;   // no change events while going away
    Clear();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return items_[size_t(index)];
}

int TCollection::IndexOf(const TCollectionItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TCollectionItem* TCollection::Add()
{
    if (!factory_)
        throw EInvalidOperation(rtl::Format("%s cannot create items", ClassName()));
    TCollectionItem* item = factory_(this);
    if (item && item->Collection() != this)
        InsertItem(item);
    return item;
}

void TCollection::Delete(int index)
{
    delete Items(index);   // the item leaves the list in its destructor
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Changed();
    }
}

void TCollection::Changed()
{
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (onChange_)
        onChange_(this);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    if (item->collection_)
        item->collection_->RemoveItem(item);
    items_.push_back(item);
    item->collection_ = this;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end())
        items_.erase(it);
    item->collection_ = nullptr;
    Changed();
}
