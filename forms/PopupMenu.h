#pragma once
// A popup (context) menu drawn inside the owner's window: a list of items, its layout and
// placement, its painter, and the state machine that turns mouse and keys into a chosen item.
// The owner forwards input to it while it is open, repaints when asked, and acts on the chosen
// action id; the menu itself never calls back.
//
// Input state machine (hot = the highlighted item, -1 for none):
//
//   state        input                                  effect                        next
//   ----------   ------------------------------------   ---------------------------   ------------
//   Closed       anything                               not handled                   Closed
//   Open(hot)    mouse move over an item                hot = that item               Open(item)
//   Open(hot)    mouse move over frame, separator or    hot = -1                      Open(-1)
//                outside
//   Open(hot)    button down outside the menu           closes; input swallowed       Closed
//   Open(hot)    button down inside                     hot = item under the pointer  Open(item)
//   Open(hot)    button up over an enabled item         chooses it                    Closed
//   Open(hot)    button up anywhere else                nothing                       Open(hot)
//   Open(hot)    Down / Up                              next / previous enabled item  Open(item)
//                                                       (skipping separators and
//                                                       disabled items, wrapping)
//   Open(hot)    Home / End                             first / last enabled item     Open(item)
//   Open(hot)    Enter                                  chooses hot if enabled,       Closed
//                                                       else closes without a choice
//   Open(hot)    Escape                                 closes                        Closed
//   Open(hot)    any other key                          swallowed                     Open(hot)
//   Open(hot)    Close() (focus lost, window hidden)    closes                        Closed
//
// The mouse may highlight a disabled item (it is shown grey on the bar) but never choose it.

#include "forms/PopupContent.h"
#include "forms/TextMeasure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PopupMenuItem {
    std::string caption;
    int id = 0;
    bool enabled = true;
    bool separator = false;
};

class PopupMenu : public PopupContent {
public:
    static constexpr int kBorder = 3;          // raised 2-pixel frame and 1 pixel of menu colour
    static constexpr int kTextIndent = 17;     // room left of the captions for check marks
    static constexpr int kRightGap = 17;       // room right of the captions
    static constexpr int kSeparatorHeight = 9;

    void AddItem(std::string caption, int id, bool enabled = true);
    void AddSeparator();
    void Clear();
    int Count() const { return int(items_.size()); }
    const PopupMenuItem& Item(int index) const;       // EListError for a bad index
    void SetEnabled(int index, bool enabled);

    // Lays the menu out (captions measured in the font the owner paints with) and places it
    // with its top-left corner at `at`, moved or flipped so that it stays inside `client`.
    void Open(platform::Point at, const platform::Rect& client, const TextMeasure& measure, int textHeight);
    void Close() override;
    bool IsOpen() const override { return open_; }
    int HotItem() const { return hot_; }
    platform::Rect Bounds() const override { return bounds_; }
    platform::Rect ItemRect(int index) const;         // in the owner's client coordinates
    int ItemAt(platform::Point p) const;              // -1 outside any item

    PopupResult MouseMove(platform::Point p) override;
    PopupResult MouseUp(platform::Point p) override;
    PopupResult KeyDown(uint16_t key);
    // Alt makes no difference in a menu.
    PopupResult Key(uint16_t key, bool) override { return KeyDown(key); }

    // Paints the open menu; the owner has selected the font into the context.
    void Paint(platform::DeviceContext& dc, const ClassicPalette& palette) const override;

private:
    int ItemHeight(int index) const;
    bool Selectable(int index) const;
    int NextSelectable(int from, int step) const;
    PopupResult SetHot(int index);
    PopupResult Choose(int index);

    std::vector<PopupMenuItem> items_;
    bool open_ = false;
    int hot_ = -1;
    int textHeight_ = 13;
    platform::Rect bounds_;
};
