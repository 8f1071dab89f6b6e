// The read-only table painted through a headless window: its sunken frame, raised headings,
// grid lines, right-aligned and bold cells, and text clipped to its cell and to the frame.

#include "tests/support/WindowFixture.h"

#include "forms/ClassicPalette.h"
#include "forms/TTextTable.h"

using platform::Rect;

namespace {

class TextTableTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        table = new TTextTable(form);
        table->SetParent(form);
        table->SetBounds(10, 10, 250, 80);
        table->SetColCount(3);
        table->SetRowCount(4);
        table->SetDefaultColWidth(80);
        table->SetColAlignment(1, taRightJustify);
        table->SetColAlignment(2, taRightJustify);
        table->SetRow(0, {"Part", "Exact", "E96"});
        table->SetRow(1, {"R1", "10,00 k", "10,0 k"});
        table->SetRow(2, {"R2", "10,00 k", "10,0 k"});
        table->SetCellBold(1, 2, true);
        Show();
    }

    platform::Pixel At(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }
    static platform::Pixel Opaque(platform::Pixel p) { return p | 0xFF000000u; }

    // The columns (form coordinates) where a cell has pixels other than its background.
    struct Ink {
        int left = 1 << 30, right = -1, count = 0;
    };
    Ink InkIn(int col, int row)
    {
        const Rect r = table->CellRect(col, row).Offset(table->Left(), table->Top());
        const platform::Pixel background = At(r.left + 1, r.bottom - 1);
        Ink ink;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) != background) {
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x + 1);
                    ++ink.count;
                }
        return ink;
    }

    TTextTable* table = nullptr;
    const ClassicPalette palette = ClassicPalette::System();
};

} // namespace

TEST_F(TextTableTest, FrameHeadingsAndGridLinesHaveTheClassicLook)
{
    // The sunken frame of the whole table.
    EXPECT_EQ(At(10, 10), Opaque(palette.shadow));
    EXPECT_EQ(At(11, 11), Opaque(palette.darkShadow));
    EXPECT_EQ(At(259, 89), Opaque(palette.highlight));
    EXPECT_EQ(At(258, 88), Opaque(palette.light));
    // A raised heading cell: light top-left, shadow bottom-right, face inside.
    EXPECT_EQ(table->CellRect(0, 0), (Rect{2, 2, 81, 19}));
    EXPECT_EQ(At(12, 12), Opaque(palette.highlight));
    EXPECT_EQ(At(91, 29), Opaque(palette.shadow));
    EXPECT_EQ(At(15, 20), Opaque(palette.face));
    // Body cells on the window colour, one-pixel grid lines in the face colour after them.
    EXPECT_EQ(At(60, 40), Opaque(palette.window));
    EXPECT_EQ(At(91, 40), Opaque(palette.face));
    EXPECT_EQ(At(50, 47), Opaque(palette.face));
    // Right of the last column, down to the frame: the table's own colour.
    EXPECT_EQ(At(255, 40), Opaque(palette.window));
    EXPECT_EQ(At(100, 86), Opaque(palette.window));
}

TEST_F(TextTableTest, NumbersSitAtTheRightOfTheirCellsNamesAtTheLeftAndBoldIsHeavier)
{
    const Rect name = table->CellRect(0, 1).Offset(10, 10);
    const Ink left = InkIn(0, 1);
    ASSERT_GT(left.count, 0);
    EXPECT_GE(left.left, name.left + TTextTable::kCellPadding);
    EXPECT_LE(left.left, name.left + TTextTable::kCellPadding + 2);

    const Rect number = table->CellRect(1, 1).Offset(10, 10);
    const Ink right = InkIn(1, 1);
    ASSERT_GT(right.count, 0);
    EXPECT_GT(right.left, number.left + number.Width() / 2);
    EXPECT_LE(right.right, number.right - TTextTable::kCellPadding);
    EXPECT_GE(right.right, number.right - TTextTable::kCellPadding - 2);

    const Ink bold = InkIn(1, 2);   // the same text in bold
    EXPECT_GT(bold.count, right.count);
    EXPECT_LE(bold.left, right.left);
    EXPECT_EQ(table->CellBold(1, 2), true);
    EXPECT_EQ(table->CellBold(1, 1), false);
}

TEST_F(TextTableTest, TextStaysInsideItsCellAndRowsStayInsideTheFrame)
{
    table->SetColAlignment(0, taLeftJustify);
    table->SetCell(0, 3, "WWWWWWWWWWWWWWWWWWWW");
    table->SetRowCount(10);   // more rows than the table has room for
    for (int row = 4; row < 10; ++row)
        table->SetCell(1, row, "8888888");
    RunUntilIdle();
    // The neighbouring cell of the long text keeps its background, its grid line is intact.
    const Rect next = table->CellRect(1, 3).Offset(10, 10);
    for (int x = next.left; x < next.left + 10; ++x)
        EXPECT_EQ(At(x, next.top + 8), Opaque(palette.window)) << x;
    EXPECT_EQ(At(next.left - 1, next.top + 8), Opaque(palette.face));
    // The bottom of the frame is not painted over by the rows beyond it.
    for (int x = 100; x < 180; ++x) {
        EXPECT_EQ(At(x, 88), Opaque(palette.light)) << x;
        EXPECT_EQ(At(x, 89), Opaque(palette.highlight)) << x;
    }
    // Reading outside the table gives nothing and writing there is ignored.
    table->SetCell(7, 1, "x");
    EXPECT_EQ(table->Cell(7, 1), "");
    EXPECT_EQ(table->Cell(0, 3), "WWWWWWWWWWWWWWWWWWWW");
    // Shrinking keeps the cells that remain in place.
    table->SetColCount(2);
    EXPECT_EQ(table->Cell(1, 1), "10,00 k");
    EXPECT_EQ(table->Cell(2, 1), "");
}

TEST_F(TextTableTest, WithoutAFrameTheCellsStartAtTheEdge)
{
    table->SetBorderStyle(bsNone);
    RunUntilIdle();
    EXPECT_EQ(table->InnerRect(), (Rect{0, 0, 250, 80}));
    EXPECT_EQ(At(10, 10), Opaque(palette.highlight));   // the first heading's light corner
    EXPECT_EQ(At(89, 27), Opaque(palette.shadow));
}
