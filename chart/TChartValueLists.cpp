#include "chart/TChartValueLists.h"

#include "chart/TChartValueList.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Text.h"

#include <algorithm>

TChartValueList* TChartValueLists::At(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return lists_[size_t(index)];
}

TChartValueList* TChartValueLists::Find(std::string_view name) const
{
    for (TChartValueList* list : lists_)
        if (rtl::SameText(list->Name(), name))
            return list;
    return nullptr;
}

int TChartValueLists::IndexOf(const TChartValueList* list) const
{
    const auto it = std::find(lists_.begin(), lists_.end(), list);
    return it == lists_.end() ? -1 : int(it - lists_.begin());
}

void TChartValueLists::Add(TChartValueList* list)
{
    if (IndexOf(list) < 0)
        lists_.push_back(list);
}

void TChartValueLists::Remove(TChartValueList* list)
{
    const auto it = std::find(lists_.begin(), lists_.end(), list);
    if (it != lists_.end())
        lists_.erase(it);
}
