#pragma once
// One item of a TCollection. Items publish their own properties; a layout stores a collection
// as a list of items, each a list of property records.

#include "forms/TPersistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    F2_CLASS(TCollectionItem, TPersistent)
public:
    // Joins collection (when given) at its end.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return collection_; }
    int Index() const;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};
