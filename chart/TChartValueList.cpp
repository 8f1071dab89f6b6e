#include "chart/TChartValueList.h"

#include "chart/TChartSeries.h"
#include "chart/TChartValueLists.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <cmath>
#include <utility>

F2_DEFINE_CLASS(TChartValueList, TPersistent, F2_NO_FACTORY)
{
    c.Property("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime).Default(0);
    c.Property("Multiplier", &TChartValueList::Multiplier, &TChartValueList::SetMultiplier);
    c.Property("Name", &TChartValueList::Name, &TChartValueList::SetName);
    c.Property("Order", &TChartValueList::Order, &TChartValueList::SetOrder);
    c.Property("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource);
}

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name)
    : name_(name), owner_(owner)
{
    if (owner_)
        owner_->ValueLists().Add(this);
}

TChartValueList::~TChartValueList()
{
    if (owner_)
        owner_->ValueLists().Remove(this);
}

void TChartValueList::CheckIndex(int index) const
{
    if (index < 0 || index >= int(values_.size()))
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
}

double TChartValueList::RawValueAt(int index) const
{
    CheckIndex(index);
    return values_[size_t(index)];
}

double TChartValueList::ValueAt(int index) const
{
    CheckIndex(index);
    // The product is formed in extended precision and stored as a double.
    return double(static_cast<long double>(values_[size_t(index)]) * multiplier_);
}

void TChartValueList::SetValueAt(int index, double value)
{
    CheckIndex(index);
    values_[size_t(index)] = value;
    statsDirty_ = true;
    if (owner_)
        owner_->NotifyDependents(vcModify, index);
}

void TChartValueList::RemoveAll()
{
    // Swapping with an empty vector gives the storage back (capacity 0), so a cleared series
    // holds no memory for points.
    std::vector<double>().swap(values_);
    statsDirty_ = true;
}

int TChartValueList::AddOrdered(double value)
{
    int index = int(values_.size());
    if (order_ != loNone && !values_.empty()) {
        // Search from the end: values arriving in order cost one comparison. Equal values
        // go after those already stored. The comparisons use the raw values.
        const auto belongsBefore = [this, value](double stored) {
            return order_ == loAscending ? stored > value : stored < value;
        };
        while (index > 0 && belongsBefore(values_[size_t(index - 1)]))
            --index;
    }
    values_.insert(values_.begin() + index, value);
    statsDirty_ = true;
    return index;
}

void TChartValueList::InsertAt(int index, double value)
{
    if (index < 0 || index > int(values_.size()))
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    values_.insert(values_.begin() + index, value);
    statsDirty_ = true;
}

void TChartValueList::RemoveAt(int index)
{
    CheckIndex(index);
    values_.erase(values_.begin() + index);
    statsDirty_ = true;
}

void TChartValueList::RotateFirstToEnd()
{
    if (values_.size() < 2)
        return;
    const double first = values_.front();
    values_.erase(values_.begin());
    values_.push_back(first);
}

void TChartValueList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    std::swap(values_[size_t(a)], values_[size_t(b)]);
}

void TChartValueList::SortByOrder()
{
    if (order_ == loNone)
        return;
    // A plain insertion sort on the multiplied values: every exchange must reach all the
    // parallel lists of the series, so a library sort of this list alone will not do. It is
    // stable, which keeps points with equal values in their order.
    const int count = ValueCount();
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0; --j) {
            const double before = ValueAt(j - 1);
            const double here = ValueAt(j);
            const bool outOfOrder = order_ == loAscending ? before > here : before < here;
            if (!outOfOrder)
                break;
            if (owner_)
                owner_->ExchangePoints(j - 1, j);
            else
                Exchange(j - 1, j);
        }
}

void TChartValueList::RecomputeStats() const
{
    const int count = ValueCount();
    if (count == 0) {
        lowest_ = highest_ = sum_ = absSum_ = 0;
    } else {
        const double first = ValueAt(0);
        lowest_ = highest_ = sum_ = first;
        absSum_ = std::fabs(first);
        for (int i = 1; i < count; ++i) {
            const double v = ValueAt(i);
            if (v < lowest_)
                lowest_ = v;
            else if (v > highest_)
                highest_ = v;
            sum_ = double(static_cast<long double>(sum_) + v);
            absSum_ = double(static_cast<long double>(absSum_) + std::fabs(v));
        }
    }
    statsDirty_ = false;
}

double TChartValueList::LowestValue() const
{
    if (statsDirty_)
        RecomputeStats();
    return lowest_;
}

double TChartValueList::HighestValue() const
{
    if (statsDirty_)
        RecomputeStats();
    return highest_;
}

double TChartValueList::ValueSum() const
{
    if (statsDirty_)
        RecomputeStats();
    return sum_;
}

double TChartValueList::AbsValueSum() const
{
    if (statsDirty_)
        RecomputeStats();
    return absSum_;
}

void TChartValueList::SetDateTime(bool value)
{
    if (value == dateTime_)
        return;
    dateTime_ = value;
    if (owner_)
        owner_->RequestRepaint();
}

void TChartValueList::SetMultiplier(double value)
{
    if (value == multiplier_)
        return;
    multiplier_ = value;
    statsDirty_ = true;
    if (owner_) {
        owner_->NotifyDependents(vcRefresh, -1);
        owner_->RequestRepaint();
    }
}

TPersistent* TChartValueList::GetOwner() const
{
    return owner_;
}

std::string TChartValueList::GetNamePath() const
{
    const std::string own = name_ + "Values";
    if (!owner_ || owner_->GetNamePath().empty())
        return own;
    return owner_->GetNamePath() + "." + own;
}

void TChartValueList::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartValueList*>(source)) {
        SetDateTime(other->dateTime_);
        SetMultiplier(other->multiplier_);
        name_ = other->name_;
        order_ = other->order_;
        valueSource_ = other->valueSource_;
        return;
    }
    TPersistent::Assign(source);
}
