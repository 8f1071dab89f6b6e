#include "tests/e2e/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory " + pattern);
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Listing() const
{
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(path_)) {
        std::string name = fs::relative(entry.path(), path_).string();
        if (entry.is_symlink())
            entries.push_back(name + " -> " + fs::read_symlink(entry.path()).string());
        else if (entry.is_directory())
            entries.push_back(name + "/");
        else
            entries.push_back(name + " (" + std::to_string(entry.file_size()) + ")");
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}
