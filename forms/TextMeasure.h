#pragma once
// Width in pixels of a run of UTF-8 text in the font a control draws with. The edit buffer and
// the popup menu take one from their owner, so they can lay text out without knowing fonts or
// device contexts (and tests can give them a fixed-pitch stand-in).

#include <functional>
#include <string_view>

using TextMeasure = std::function<int(std::string_view utf8)>;
