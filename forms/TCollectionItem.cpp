#include "forms/TCollectionItem.h"

#include "forms/TCollection.h"

F2_DEFINE_CLASS(TCollectionItem, TPersistent, F2_NO_FACTORY) {}

TCollectionItem::TCollectionItem(TCollection* collection)
{
    if (collection)
        collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    return collection_ ? collection_->IndexOf(this) : -1;
}
