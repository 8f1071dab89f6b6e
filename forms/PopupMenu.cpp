#include "forms/PopupMenu.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>

using platform::Point;
using platform::Rect;

void PopupMenu::AddItem(std::string caption, int id, bool enabled)
{
    items_.push_back(PopupMenuItem{std::move(caption), id, enabled, false});
}

void PopupMenu::AddSeparator()
{
    items_.push_back(PopupMenuItem{{}, 0, false, true});
}

void PopupMenu::Clear()
{
    Close();
    items_.clear();
}

const PopupMenuItem& PopupMenu::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return items_[size_t(index)];
}

void PopupMenu::SetEnabled(int index, bool enabled)
{
    Item(index);
    items_[size_t(index)].enabled = enabled;
}

// ---- layout ----------------------------------------------------------------------------------

int PopupMenu::ItemHeight(int index) const
{
    return items_[size_t(index)].separator ? kSeparatorHeight : textHeight_ + 4;
}

void PopupMenu::Open(Point at, const Rect& client, const TextMeasure& measure, int textHeight)
{
    textHeight_ = std::max(textHeight, 1);
    int widest = 0, height = 2 * kBorder;
    for (int i = 0; i < Count(); ++i) {
        if (!items_[size_t(i)].separator)
            widest = std::max(widest, measure(items_[size_t(i)].caption));
        height += ItemHeight(i);
    }
    const int width = 2 * kBorder + kTextIndent + widest + kRightGap;

    // Where the menu would leave the client area it opens on the other side of the point, as
    // classic menus do near the screen's edge; if it fits neither way it is pushed inside.
    const auto place = [](int pos, int size, int low, int high) {
        if (pos + size > high)
            pos = pos - size >= low ? pos - size : high - size;
        return std::max(pos, low);
    };
    const int x = place(at.x, width, client.left, client.right);
    const int y = place(at.y, height, client.top, client.bottom);
    bounds_ = Rect{x, y, x + width, y + height};
    open_ = true;
    hot_ = -1;
}

void PopupMenu::Close()
{
    open_ = false;
    hot_ = -1;
}

Rect PopupMenu::ItemRect(int index) const
{
    Item(index);
    int top = bounds_.top + kBorder;
    for (int i = 0; i < index; ++i)
        top += ItemHeight(i);
    return Rect{bounds_.left + kBorder, top, bounds_.right - kBorder, top + ItemHeight(index)};
}

int PopupMenu::ItemAt(Point p) const
{
    if (!open_ || !bounds_.Contains(p))
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (ItemRect(i).Contains(p))
            return i;
    return -1;
}

// ---- input -----------------------------------------------------------------------------------

bool PopupMenu::Selectable(int index) const
{
    const PopupMenuItem& item = items_[size_t(index)];
    return item.enabled && !item.separator;
}

// The next enabled item after `from` in direction `step`, wrapping; -1 when there is none.
int PopupMenu::NextSelectable(int from, int step) const
{
    const int n = Count();
    if (n == 0)
        return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = ((i + step) % n + n) % n;
        if (Selectable(i))
            return i;
    }
    return -1;
}

PopupResult PopupMenu::SetHot(int index)
{
    PopupResult result{true, index != hot_, std::nullopt};
    hot_ = index;
    return result;
}

PopupResult PopupMenu::Choose(int index)
{
    PopupResult result{true, true, std::nullopt};
    if (index >= 0 && Selectable(index))
        result.chosen = items_[size_t(index)].id;
    Close();
    return result;
}

PopupResult PopupMenu::MouseMove(Point p)
{
    if (!open_)
        return {};
    const int index = ItemAt(p);
    return SetHot(index >= 0 && items_[size_t(index)].separator ? -1 : index);
}

PopupResult PopupMenu::MouseUp(Point p)
{
    if (!open_)
        return {};
    const int index = ItemAt(p);
    if (index >= 0 && Selectable(index))
        return Choose(index);
    return {true, false, std::nullopt};
}

PopupResult PopupMenu::KeyDown(uint16_t key)
{
    if (!open_)
        return {};
    switch (key) {
    case platform::vk::Down:
        return SetHot(NextSelectable(hot_ < 0 ? -1 : hot_, 1));
    case platform::vk::Up:
        return SetHot(NextSelectable(hot_ < 0 ? 0 : hot_, -1));
    case platform::vk::Home:
        return SetHot(NextSelectable(-1, 1));
    case platform::vk::End:
        return SetHot(NextSelectable(0, -1));
    case platform::vk::Return:
        return Choose(hot_);
    case platform::vk::Escape:
        Close();
        return {true, true, std::nullopt};
    default:
        return {true, false, std::nullopt};
    }
}

// ---- painting --------------------------------------------------------------------------------

void PopupMenu::Paint(platform::DeviceContext& dc, const ClassicPalette& palette) const
{
    if (!open_)
        return;
    const auto saved = dc.Save();
    ClassicLook look(dc, palette);
    Rect inside = look.Frame3D(bounds_, palette.light, palette.darkShadow, 1);
    inside = look.Frame3D(inside, palette.highlight, palette.shadow, 1);
    dc.FillRect(inside, platform::BrushSpec{palette.menu, platform::BrushStyle::Solid});
    dc.SetBackMode(platform::BackgroundMode::Transparent);

    for (int i = 0; i < Count(); ++i) {
        const PopupMenuItem& item = items_[size_t(i)];
        const Rect r = ItemRect(i);
        if (item.separator) {
            // An etched line across the middle, one pixel short of the frame on each side.
            const int y = r.top + kSeparatorHeight / 2 - 1;
            look.Frame3D(Rect{r.left + 1, y, r.right - 1, y + 2}, palette.shadow, palette.highlight, 1);
            continue;
        }
        const int x = r.left + kTextIndent;
        const int y = r.top + (r.Height() - textHeight_) / 2;
        if (i == hot_) {
            dc.FillRect(r, platform::BrushSpec{palette.selection, platform::BrushStyle::Solid});
            dc.SetTextColor(item.enabled ? palette.selectionText : palette.grayText);
            dc.TextOut(x, y, item.caption);
        } else if (item.enabled) {
            dc.SetTextColor(palette.menuText);
            dc.TextOut(x, y, item.caption);
        } else {
            look.DrawDisabledText(x, y, item.caption);
        }
    }
    dc.Restore(*saved);
}
