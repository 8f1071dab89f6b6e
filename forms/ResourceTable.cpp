#include "forms/ResourceTable.h"

#include "rtl/Exception.h"

#include <algorithm>
#include <mutex>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

// A handful of entries: a vector searched front to back is all the table needs.
struct Table {
    std::mutex lock;
    std::vector<ResourceTable::Entry> entries;
};

Table& TheTable()
{
    static Table table;
    return table;
}

} // namespace

void ResourceTable::Register(std::string_view type, std::string_view name, const uint8_t* bytes, size_t size)
{
    if (type.empty() || name.empty())
        throw EInvalidOperation("Resource type and name must not be empty");
    if (bytes == nullptr && size != 0)
        throw EInvalidOperation("Resource data missing");
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    const std::span<const uint8_t> span(bytes, size);
    for (Entry& entry : table.entries) {
        if (SameIgnoringCase(entry.type, type) && SameIgnoringCase(entry.name, name)) {
            entry.bytes = span;
            return;
        }
    }
    table.entries.push_back(Entry{std::string(type), std::string(name), span});
}

std::optional<std::span<const uint8_t>> ResourceTable::Find(std::string_view type, std::string_view name)
{
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    for (const Entry& entry : table.entries)
        if (SameIgnoringCase(entry.type, type) && SameIgnoringCase(entry.name, name))
            return entry.bytes;
    return std::nullopt;
}

std::vector<ResourceTable::Entry> ResourceTable::List()
{
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    return table.entries;
}

void ResourceTable::Clear()
{
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    table.entries.clear();
}
