#pragma once
// The clipboard as an edit buffer sees it: a text getter and a text setter. The edit control
// plugs in the desktop's clipboard; tests plug in a string. Either function may be empty, in
// which case copying stores nothing and pasting finds no text.

#include <functional>
#include <string>

struct EditClipboard {
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
};
