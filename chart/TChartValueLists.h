#pragma once
// The value lists of one series in the order of their creation: X is entry 0, Y entry 1, and
// series types with more dimensions append further lists. The series frees the lists; this
// list only keeps them in order.

#include <string_view>
#include <vector>

class TChartValueList;

class TChartValueLists {
public:
    int Count() const { return int(lists_.size()); }
    TChartValueList* At(int index) const;   // EListError for a bad index
    TChartValueList* Find(std::string_view name) const;   // by Name, without regard to case
    int IndexOf(const TChartValueList* list) const;
    void Add(TChartValueList* list);
    void Remove(TChartValueList* list);

    auto begin() const { return lists_.begin(); }
    auto end() const { return lists_.end(); }

private:
    std::vector<TChartValueList*> lists_;
};
