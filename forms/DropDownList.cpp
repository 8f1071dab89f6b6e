#include "forms/DropDownList.h"

#include "platform/Desktop.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>

using platform::Point;
using platform::Rect;

const std::string& DropDownList::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return items_[size_t(index)];
}

void DropDownList::Open(const Rect& box, const Rect& client, int itemHeight, int rows, int selected)
{
    itemHeight_ = std::max(itemHeight, 1);
    rows_ = std::clamp(rows, 1, std::max(Count(), 1));
    const int height = rows_ * itemHeight_ + 2 * kBorder;
    int top = box.bottom;
    if (top + height > client.bottom && box.top - height >= client.top)
        top = box.top - height;
    top = std::max(std::min(top, client.bottom - height), client.top);
    bounds_ = Rect{box.left, top, box.right, top + height};
    open_ = true;
    hot_ = selected >= 0 && selected < Count() ? selected : -1;
    top_ = 0;
    ScrollTo(hot_ >= 0 ? hot_ : 0);
}

void DropDownList::ScrollTo(int index)
{
    // As little as needed to bring index into view, never past the last full page.
    if (index < top_)
        top_ = index;
    else if (index >= top_ + rows_)
        top_ = index - rows_ + 1;
    top_ = std::clamp(top_, 0, std::max(Count() - rows_, 0));
}

Rect DropDownList::ItemRect(int index) const
{
    const int y = bounds_.top + kBorder + (index - top_) * itemHeight_;
    return Rect{bounds_.left + kBorder, y, bounds_.right - kBorder, y + itemHeight_};
}

int DropDownList::ItemAt(Point p) const
{
    if (!open_)
        return -1;
    const Rect inside{bounds_.left + kBorder, bounds_.top + kBorder, bounds_.right - kBorder, bounds_.bottom - kBorder};
    if (!inside.Contains(p))
        return -1;
    const int index = top_ + (p.y - inside.top) / itemHeight_;
    return index < Count() ? index : -1;
}

PopupResult DropDownList::SetHot(int index)
{
    const int oldTop = top_;
    if (index >= 0)
        ScrollTo(index);
    PopupResult result{true, index != hot_ || top_ != oldTop, std::nullopt};
    hot_ = index;
    return result;
}

PopupResult DropDownList::Choose(int index)
{
    PopupResult result{true, true, std::nullopt};
    if (index >= 0 && index < Count())
        result.chosen = index;
    Close();
    return result;
}

PopupResult DropDownList::MouseMove(Point p)
{
    if (!open_)
        return {};
    const int index = ItemAt(p);
    if (index < 0)
        return {true, false, std::nullopt};
    return SetHot(index);
}

PopupResult DropDownList::MouseUp(Point p)
{
    if (!open_)
        return {};
    const int index = ItemAt(p);
    if (index >= 0)
        return Choose(index);
    return {true, false, std::nullopt};
}

int DropDownList::FindByInitial(uint16_t key) const
{
    // Letters arrive as their upper-case key codes; items are compared by their first ASCII
    // character without regard to case.
    const auto initial = [](const std::string& text) {
        const char c = text.empty() ? '\0' : text[0];
        return c >= 'a' && c <= 'z' ? char(c - 32) : c;
    };
    const int n = Count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((hot_ < 0 ? -1 : hot_) + k + n) % n;
        if (initial(items_[size_t(i)]) == char(key))
            return i;
    }
    return -1;
}

PopupResult DropDownList::Key(uint16_t key, bool alt)
{
    namespace vk = platform::vk;
    if (!open_)
        return {};
    const int last = Count() - 1;
    const int page = std::max(rows_ - 1, 1);
    if (alt)
        return key == vk::Up || key == vk::Down ? Choose(hot_) : PopupResult{true, false, std::nullopt};
    switch (key) {
    case vk::Up: return SetHot(last < 0 ? -1 : std::max(hot_ - 1, 0));
    case vk::Down: return SetHot(std::min(hot_ + 1, last));
    case vk::Prior: return SetHot(last < 0 ? -1 : std::max(hot_ - page, 0));
    case vk::Next: return SetHot(std::min(std::max(hot_, 0) + page, last));
    case vk::Home: return SetHot(last < 0 ? -1 : 0);
    case vk::End: return SetHot(last);
    case vk::Return:
    case vk::Tab:
    case vk::F4: return Choose(hot_);
    case vk::Escape:
        Close();
        return {true, true, std::nullopt};
    default: break;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        const int found = FindByInitial(key);
        if (found >= 0)
            return SetHot(found);
    }
    return {true, false, std::nullopt};
}

PopupResult DropDownList::Wheel(int notches)
{
    if (!open_)
        return {};
    const int oldTop = top_;
    top_ = std::clamp(top_ - 3 * notches, 0, std::max(Count() - rows_, 0));
    return {true, top_ != oldTop, std::nullopt};
}

void DropDownList::Paint(platform::DeviceContext& dc, const ClassicPalette& palette) const
{
    if (!open_)
        return;
    const auto saved = dc.Save();
    const auto fill = [&dc](const Rect& r, platform::Pixel color) {
        dc.FillRect(r, platform::BrushSpec{color, platform::BrushStyle::Solid});
    };
    const Rect& b = bounds_;
    fill({b.left, b.top, b.right, b.top + 1}, palette.frame);
    fill({b.left, b.bottom - 1, b.right, b.bottom}, palette.frame);
    fill({b.left, b.top, b.left + 1, b.bottom}, palette.frame);
    fill({b.right - 1, b.top, b.right, b.bottom}, palette.frame);
    fill({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}, palette.window);

    dc.SetFont(font_);
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    const int textHeight = dc.TextExtent("0").cy;
    for (int i = top_; i < std::min(top_ + rows_, Count()); ++i) {
        const Rect r = ItemRect(i);
        const auto clip = dc.Save();
        dc.IntersectClip(r);
        if (i == hot_)
            fill(r, palette.selection);
        dc.SetTextColor(i == hot_ ? palette.selectionText : palette.windowText);
        dc.TextOut(r.left + kTextIndent, r.top + (r.Height() - textHeight) / 2, items_[size_t(i)]);
        if (i == hot_)
            dc.DrawFocusRect(r);
        dc.Restore(*clip);
    }
    dc.Restore(*saved);
}
