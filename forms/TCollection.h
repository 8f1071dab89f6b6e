#pragma once
// An owned, ordered list of items of one item class. The collection frees its items; an item
// freed on its own leaves the collection. Changes are announced through Update once per batch
// (BeginUpdate/EndUpdate), so that the owner refreshes once after a layout filled the list.

#include "forms/TCollectionItem.h"
#include "forms/TNotifyEvent.h"

#include <functional>
#include <vector>

class TCollection : public TPersistent {
    F2_CLASS(TCollection, TPersistent)
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

    // factory makes one new item of the collection's item class and joins it to the collection.
    explicit TCollection(ItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return int(items_.size()); }
    TCollectionItem* Items(int index) const;   // EListError for a bad index
    int IndexOf(const TCollectionItem* item) const;
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    ItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
    TNotifyEvent onChange_;
};
