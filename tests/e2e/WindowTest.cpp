// The main window as the desktop sees it (caption, client size, place, fixed size, icon) and
// as the user sees it at start-up (a screenshot of the layout).

#include "tests/e2e/Filter2Session.h"
#include "tests/e2e/MainWindowLayout.h"

#include <algorithm>
#include <regex>

using MainWindow = Filter2Session;

namespace {

// The pair of numbers after a label of xprop's WM_NORMAL_HINTS printout ("minimum size: 746 by 493").
std::pair<int, int> HintSize(const std::string& hints, const std::string& label)
{
    std::smatch m;
    if (!std::regex_search(hints, m, std::regex(label + ": (\\d+) by (\\d+)")))
        return {-1, -1};
    return {std::stoi(m[1]), std::stoi(m[2])};
}

bool Contains(const std::vector<std::string>& items, const std::string& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

} // namespace

TEST_F(MainWindow, HasCaptionSizeCentredPlaceFixedSizeAndIcon)
{
    EXPECT_EQ(X().TextProperty(Window(), "_NET_WM_NAME"), "2-nd filter / Фильтр 2-го порядка");

    EXPECT_EQ(Client().width, layout::ClientWidth);
    EXPECT_EQ(Client().height, layout::ClientHeight);

    // The program centres its window; the window manager may keep the client where it was
    // asked for or put its frame there, so every honest reading of "centred" is accepted:
    // client centred, frame's top-left at the centred place, or whole frame centred.
    int centredLeft = (ScreenSize().width - layout::ClientWidth) / 2;
    int centredTop = (ScreenSize().height - layout::ClientHeight) / 2;
    auto extents = X().ListProperty(Window(), "_NET_FRAME_EXTENTS");
    ASSERT_EQ(extents.size(), 4u) << "the window manager published no frame extents";
    int frameLeft = std::stoi(extents[0]), frameRight = std::stoi(extents[1]);
    int frameTop = std::stoi(extents[2]), frameBottom = std::stoi(extents[3]);
    std::vector<std::pair<int, int>> accepted{
        {centredLeft, centredTop},
        {centredLeft + frameLeft, centredTop + frameTop},
        {(ScreenSize().width - layout::ClientWidth - frameLeft - frameRight) / 2 + frameLeft,
         (ScreenSize().height - layout::ClientHeight - frameTop - frameBottom) / 2 + frameTop}};
    std::pair<int, int> actual{Client().left, Client().top};
    EXPECT_TRUE(std::find(accepted.begin(), accepted.end(), actual) != accepted.end())
        << "client area at (" << actual.first << ", " << actual.second << "), expected (" << centredLeft << ", "
        << centredTop << ") with frame extents " << frameLeft << "/" << frameRight << "/" << frameTop << "/"
        << frameBottom;

    // Fixed size: equal minimum and maximum in the size hints, and the window manager offers
    // no resizing, maximising or minimising (system menu and close box only).
    std::string hints = X().PropertyDump(Window(), "WM_NORMAL_HINTS");
    auto minimum = HintSize(hints, "minimum size");
    auto maximum = HintSize(hints, "maximum size");
    EXPECT_EQ(minimum, std::make_pair(layout::ClientWidth, layout::ClientHeight)) << hints;
    EXPECT_EQ(maximum, std::make_pair(layout::ClientWidth, layout::ClientHeight)) << hints;
    auto actions = X().ListProperty(Window(), "_NET_WM_ALLOWED_ACTIONS");
    EXPECT_TRUE(Contains(actions, "_NET_WM_ACTION_CLOSE"));
    EXPECT_FALSE(Contains(actions, "_NET_WM_ACTION_RESIZE"));
    EXPECT_FALSE(Contains(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ"));
    EXPECT_FALSE(Contains(actions, "_NET_WM_ACTION_MAXIMIZE_VERT"));
    // Openbox keeps minimising for every window whatever it asks, so the program's own
    // request is checked: the Motif hints allow moving and closing, not minimising,
    // maximising or resizing, and ask for no minimise or maximise button.
    auto motif = X().ListProperty(Window(), "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3u) << "the window has no Motif hints";
    unsigned long flags = std::stoul(motif[0], nullptr, 0);
    unsigned long functions = std::stoul(motif[1], nullptr, 0);
    unsigned long decorations = std::stoul(motif[2], nullptr, 0);
    ASSERT_TRUE(flags & 1u) << "the Motif hints leave the functions open";
    // Bit 0 ("all") turns the meaning of the other bits round: they are then the ones taken away.
    auto allowed = [&](unsigned long bit) { return (functions & 1u) ? !(functions & bit) : (functions & bit) != 0; };
    EXPECT_TRUE(allowed(0x20)) << "close";
    EXPECT_FALSE(allowed(0x02)) << "resize";
    EXPECT_FALSE(allowed(0x08)) << "minimise";
    EXPECT_FALSE(allowed(0x10)) << "maximise";
    if (flags & 2u) {
        auto shown = [&](unsigned long bit) {
            return (decorations & 1u) ? !(decorations & bit) : (decorations & bit) != 0;
        };
        EXPECT_FALSE(shown(0x20)) << "minimise button";
        EXPECT_FALSE(shown(0x40)) << "maximise button";
    }

    // The program's icon reaches the window: one 32 x 32 image.
    std::string icon = X().PropertyDump(Window(), "_NET_WM_ICON");
    EXPECT_NE(icon.find("Icon (32 x 32)"), std::string::npos) << icon.substr(0, 200);
}

TEST_F(MainWindow, ShowsTheLayoutAtStartUp)
{
    ClientShot shot = Shot("layout");
    // The window's own background is the button face: a light grey.
    platform::Pixel face = shot.At(4, 4);
    int r = platform::PixelRed(face), g = platform::PixelGreen(face), b = platform::PixelBlue(face);
    EXPECT_TRUE(r == g && g == b && r >= 150 && r < 250) << "background " << std::hex << face;
    auto isFace = [face](platform::Pixel p) { return p == face; };

    // Title in maroon bold letters.
    EXPECT_GT(shot.Count(layout::Title, IsMaroon), 150) << shot.Path();
    EXPECT_EQ(shot.Count({0, 0, 140, 30}, IsMaroon), 0) << "maroon left of the title";

    // The two group boxes: an etched frame is a dark grey line with a white line beside it,
    // along the left edge and along the bottom of each box. The left edges are looked at
    // where nothing sits on them: the low-pass chart covers the lower part of the low-pass
    // box's edge, the filter-type box the upper part of the high-pass box's edge.
    auto isShadow = [](platform::Pixel p) {
        int v = platform::PixelRed(p);
        return v == platform::PixelGreen(p) && v == platform::PixelBlue(p) && v >= 100 && v <= 170;
    };
    struct Edge {
        ClientRect box;
        int top;    // first row of the left edge looked at
        int rows;
    };
    for (const Edge& edge : {Edge{layout::LowPassBox, 62, 210}, Edge{layout::HighPassBox, 300, 150}}) {
        const ClientRect& box = edge.box;
        bool leftEtched = false;
        for (int x = box.left; x < box.left + 3 && !leftEtched; ++x)
            leftEtched = shot.Count({x, edge.top, 1, edge.rows}, isShadow) > edge.rows * 9 / 10 &&
                         shot.Count({x + 1, edge.top, 1, edge.rows}, IsWhite) > edge.rows * 9 / 10;
        EXPECT_TRUE(leftEtched) << "no etched left edge of the box at x " << box.left << "; " << shot.Path();
        int cols = box.width - 20;
        bool bottomEtched = false;
        for (int y = box.top + box.height - 3; y < box.top + box.height && !bottomEtched; ++y)
            bottomEtched = shot.Count({box.left + 10, y - 1, cols, 1}, isShadow) > cols * 9 / 10 &&
                           shot.Count({box.left + 10, y, cols, 1}, IsWhite) > cols * 9 / 10;
        EXPECT_TRUE(bottomEtched) << "no etched bottom edge of the box at y " << box.top + box.height;
    }

    // The two schematics: black lines on white.
    for (const ClientRect& picture : {layout::LowPassPicture, layout::HighPassPicture}) {
        EXPECT_GT(shot.Share(picture, IsWhite), 0.70) << "picture at " << picture.left << ", " << picture.top;
        EXPECT_GT(shot.Share(picture, IsBlack), 0.01) << "picture at " << picture.left << ", " << picture.top;
    }

    // "Go" and "Exit": button-face grey with dark bold captions.
    for (const ClientRect& button : {layout::GoButton, layout::ExitButton}) {
        ClientRect inside = button.Inset(4);
        EXPECT_GT(shot.Share(inside, isFace), 0.6) << "button at " << button.left << ", " << button.top;
        EXPECT_GT(shot.Count(inside, IsDark), 60) << "button at " << button.left << ", " << button.top;
    }

    // The two charts: white inside their bevels, no curve before the first calculation.
    for (const ClientRect& chart : {layout::LowPassChart, layout::HighPassChart}) {
        ClientRect inside = chart.Inset(4);
        EXPECT_GT(shot.Share(inside, IsWhite), 0.8) << "chart at " << chart.left << ", " << chart.top;
        EXPECT_EQ(shot.Count(inside, IsRed) + shot.Count(inside, IsBlue), 0);
    }

    // The out-of-range banner is hidden: no blue across the bottom.
    EXPECT_LT(shot.Share(layout::RangeBanner, IsBlue), 0.1);
}
