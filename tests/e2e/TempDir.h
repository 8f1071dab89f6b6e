#pragma once
// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes. The program under test gets two of them, as its home and as its
// working directory, so that whatever it writes can be seen and nothing of the developer's
// own home is read or touched.

#include <string>
#include <vector>

class TempDir {
public:
    explicit TempDir(const std::string& prefix);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Every entry below the directory, sorted: "name/" for directories, "name (size)" for
    // files, "name -> target" for links.
    std::vector<std::string> Listing() const;

private:
    std::string path_;
};
