#pragma once
// Text lists: the abstract interface of an ordered list of lines (a label's or a chart
// title's lines). Layouts store the lines as the defined property "Strings": a list of string
// values, read by clearing the list and adding each line.

#include "forms/TPersistent.h"

#include <string>

class TReader;

class TStrings : public TPersistent {
    F2_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    // Bad indexes raise EListError "List index out of bounds (%d)".
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    int Add(const std::string& text);   // returns the new line's index
    void AddStrings(const TStrings& lines);
    int IndexOf(const std::string& text) const;   // without regard to ASCII case; -1 when absent
    bool Equals(const TStrings& other) const;

    // All lines, each followed by a line break ("\r\n", the desktop's convention). Setting
    // splits at "\r\n", "\n" or "\r"; a final line break adds no empty line.
    std::string Text() const;
    void SetText(const std::string& text);

    // Batches changes: a concrete list announces one change when the outermost EndUpdate runs.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

protected:
    // Called with true when the first BeginUpdate starts a batch, false when it ends.
    virtual void SetUpdateState(bool updating);

private:
    void ReadStrings(TReader& reader);

    int updateCount_ = 0;
};
