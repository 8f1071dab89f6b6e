#pragma once
// One dimension of a series: the raw values of its points in point order, a multiplier that
// every read applies, an ordering rule for new values and lazily cached statistics (lowest,
// highest, sum, absolute sum) that are recomputed once per batch of changes.

#include "forms/TPersistent.h"

#include <string>
#include <vector>

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };
F2_ENUM_TYPE(TChartListOrder, "loNone", "loAscending", "loDescending");

class TChartValueList : public TPersistent {
    F2_CLASS(TChartValueList, TPersistent)
public:
    // Appends itself to the value lists of the owning series (which frees it); a list
    // without a series stands alone.
    TChartValueList(TChartSeries* owner, const std::string& name);
    ~TChartValueList() override;
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    // The raw value times Multiplier, rounded to a double. EListError for a bad index.
    virtual double ValueAt(int index) const;
    // Overwrites the raw value and tells the series' dependents; no reordering, no repaint.
    virtual void SetValueAt(int index, double value);
    // Empties the list and releases its storage.
    virtual void RemoveAll();
    // Stores a raw value where Order wants it and returns its index.
    virtual int AddOrdered(double value);
    // Stores a raw value at index (0..count), ignoring Order.
    virtual void InsertAt(int index, double value);
    virtual int ValueCount() const { return int(values_.size()); }
    virtual void RemoveAt(int index);
    // Moves the first value to the end.
    virtual void RotateFirstToEnd();

    double RawValueAt(int index) const;
    size_t Capacity() const { return values_.capacity(); }
    // Swaps two raw entries; statistics stay valid because the set of values is the same.
    void Exchange(int a, int b);
    // Sorts every point of the owning series by this list's multiplied values.
    void SortByOrder();

    double LowestValue() const;
    double HighestValue() const;
    double ValueSum() const;
    double AbsValueSum() const;
    bool StatsDirty() const { return statsDirty_; }

    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool value);
    double Multiplier() const { return multiplier_; }
    void SetMultiplier(double value);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder value) { order_ = value; }
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& value) { valueSource_ = value; }

    // The value the series hands over just before storing it (see TChartSeries::AddPointXY).
    double PendingValue() const { return pendingValue_; }
    void SetPendingValue(double value) { pendingValue_ = value; }

    TChartSeries* OwningSeries() const { return owner_; }
    TPersistent* GetOwner() const override;
    std::string GetNamePath() const override;
    // Copies the published settings (not the values) of another value list.
    void Assign(TPersistent* source) override;

protected:
    void CheckIndex(int index) const;

private:
    void RecomputeStats() const;

    bool dateTime_ = false;
    std::vector<double> values_;
    mutable double highest_ = 0;
    mutable double lowest_ = 0;
    double multiplier_ = 1.0;
    std::string name_;
    TChartListOrder order_ = loNone;
    TChartSeries* owner_ = nullptr;
    double pendingValue_ = 0;
    mutable double sum_ = 0;
    mutable double absSum_ = 0;
    std::string valueSource_;
    mutable bool statsDirty_ = true;
};
