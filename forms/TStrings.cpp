#include "forms/TStrings.h"

#include "forms/TFiler.h"
#include "forms/TReader.h"
#include "rtl/Text.h"

F2_DEFINE_CLASS(TStrings, TPersistent, F2_NO_FACTORY) {}

namespace {
// Ends a batch also when reading or copying fails half-way.
struct UpdateScope {
    explicit UpdateScope(TStrings& lines) : lines_(lines) { lines_.BeginUpdate(); }
    ~UpdateScope() { lines_.EndUpdate(); }
    TStrings& lines_;
};
} // namespace

void TStrings::Put(int index, const std::string& text)
{
    UpdateScope batch(*this);
    Delete(index);
    Insert(index, text);
}

int TStrings::Add(const std::string& text)
{
    const int index = Count();
    Insert(index, text);
    return index;
}

void TStrings::AddStrings(const TStrings& lines)
{
    UpdateScope batch(*this);
    for (int i = 0; i < lines.Count(); ++i)
        Add(lines.Get(i));
}

int TStrings::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (rtl::SameText(Get(i), text))
            return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& text)
{
    UpdateScope batch(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        Add(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* source)
{
    if (auto* lines = dynamic_cast<TStrings*>(source)) {
        if (lines == this)
            return;
        UpdateScope batch(*this);
        Clear();
        AddStrings(*lines);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer)
{
    filer.DefineProperty("Strings", [this](TReader& reader) { ReadStrings(reader); });
}

void TStrings::ReadStrings(TReader& reader)
{
    reader.ReadListBegin();
    UpdateScope batch(*this);
    Clear();
    while (!reader.EndOfList())
        Add(reader.ReadString());
    reader.ReadListEnd();
}
