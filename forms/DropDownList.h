#pragma once
// The list a drop-down box opens below itself: its items, placement, scrolling, painter, and
// the state machine that turns mouse and keys into a chosen item (its index). It lives in the
// form's popup layer while it is open, like a popup menu.
//
// Input state machine (hot = the highlighted item, starting at the box's current item):
//
//   state        input                                     effect                       next
//   ----------   ---------------------------------------   --------------------------   ---------
//   Open(hot)    mouse move over an item                   hot = that item              Open(item)
//   Open(hot)    mouse move elsewhere                      nothing                      Open(hot)
//   Open(hot)    button down outside the list              closes, no choice            Closed
//   Open(hot)    button down over an item                  hot = that item              Open(item)
//   Open(hot)    button up over an item                    chooses it                   Closed
//   Open(hot)    Up / Down, Page Up / Page Down            hot moves by 1 / a page,     Open(item)
//                                                          stopping at the ends
//   Open(hot)    Home / End                                first / last item            Open(item)
//   Open(hot)    a letter or digit                         next item starting with it,  Open(item)
//                                                          wrapping
//   Open(hot)    Enter, Tab, F4, Alt+Up, Alt+Down          chooses hot (closes without  Closed
//                                                          a choice when there is none)
//   Open(hot)    Escape                                    closes, no choice            Closed
//   Open(hot)    wheel                                     scrolls by three items       Open(hot)
//
// At most `rows` items are shown; the list scrolls so that the hot item is always in view.

#include "forms/PopupContent.h"

#include <string>
#include <vector>

class DropDownList : public PopupContent {
public:
    static constexpr int kBorder = 1;        // the one-pixel window frame around the list
    static constexpr int kTextIndent = 2;    // between the item's left edge and its text

    void SetItems(std::vector<std::string> items) { items_ = std::move(items); }
    int Count() const { return int(items_.size()); }
    const std::string& Item(int index) const;   // EListError for a bad index
    void SetFont(const platform::FontSpec& font) { font_ = font; }

    // Places the list below `box` (form coordinates), as wide as the box, showing up to `rows`
    // items of `itemHeight` pixels; above the box when it does not fit below inside `client`.
    // `selected` becomes the hot item (-1 for none).
    void Open(const platform::Rect& box, const platform::Rect& client, int itemHeight, int rows, int selected);
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    platform::Rect Bounds() const override { return bounds_; }
    int HotItem() const { return hot_; }
    int TopIndex() const { return top_; }
    int VisibleRows() const { return rows_; }
    platform::Rect ItemRect(int index) const;   // of a shown item, form coordinates
    int ItemAt(platform::Point p) const;        // -1 outside the shown items

    PopupResult MouseMove(platform::Point p) override;
    PopupResult MouseUp(platform::Point p) override;
    PopupResult Key(uint16_t key, bool alt) override;
    PopupResult Wheel(int notches) override;
    void Paint(platform::DeviceContext& dc, const ClassicPalette& palette) const override;

private:
    PopupResult SetHot(int index);
    PopupResult Choose(int index);
    void ScrollTo(int top);
    int FindByInitial(uint16_t key) const;

    std::vector<std::string> items_;
    platform::FontSpec font_;
    bool open_ = false;
    int hot_ = -1;
    int top_ = 0;
    int rows_ = 0;
    int itemHeight_ = 13;
    platform::Rect bounds_;
};
