#include "forms/TTextTable.h"

#include "forms/ClassicLook.h"

#include <algorithm>

F2_DEFINE_CLASS(TTextTable, TCustomControl, F2_FACTORY(TTextTable))
{
    c.Property("ColCount", &TTextTable::ColCount, &TTextTable::SetColCount).Default(5);
    c.Property("RowCount", &TTextTable::RowCount, &TTextTable::SetRowCount).Default(5);
    c.Property("FixedRows", &TTextTable::FixedRows, &TTextTable::SetFixedRows).Default(1);
    c.Property("DefaultColWidth", &TTextTable::DefaultColWidth, &TTextTable::SetDefaultColWidth).Default(64);
    c.Property("DefaultRowHeight", &TTextTable::DefaultRowHeight, &TTextTable::SetDefaultRowHeight).Default(18);
    c.Property("BorderStyle", &TTextTable::BorderStyle, &TTextTable::SetBorderStyle).Default(bsSingle);
    c.Property("GridLines", &TTextTable::GridLines, &TTextTable::SetGridLines).Default(1);
}

TTextTable::TTextTable(TComponent* owner) : TCustomControl(owner)
{
    InitBounds(320, 120);
    SetColor(clWindow);
    Reshape(5, 5);
}

void TTextTable::Reshape(int cols, int rows)
{
    // Cells keep their place (column, row) when the table grows or shrinks.
    std::vector<CellData> cells(size_t(cols) * size_t(rows));
    for (int r = 0; r < std::min(rows, rowCount_); ++r)
        for (int c = 0; c < std::min(cols, colCount_); ++c)
            cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(cells_[size_t(r) * size_t(colCount_) + size_t(c)]);
    cells_ = std::move(cells);
    colWidths_.resize(size_t(cols), -1);
    alignments_.resize(size_t(cols), taLeftJustify);
    colCount_ = cols;
    rowCount_ = rows;
    Invalidate();
}

void TTextTable::SetColCount(int count)
{
    count = std::max(count, 0);
    if (count != colCount_)
        Reshape(count, rowCount_);
}

void TTextTable::SetRowCount(int count)
{
    count = std::max(count, 0);
    if (count != rowCount_)
        Reshape(colCount_, count);
}

void TTextTable::SetFixedRows(int count)
{
    Change(fixedRows_, std::max(count, 0));
}

void TTextTable::SetDefaultColWidth(int width)
{
    Change(defaultColWidth_, std::max(width, 0));
}

void TTextTable::SetDefaultRowHeight(int height)
{
    Change(defaultRowHeight_, std::max(height, 1));
}

std::string TTextTable::Cell(int col, int row) const
{
    return Inside(col, row) ? cells_[size_t(row) * size_t(colCount_) + size_t(col)].text : std::string();
}

void TTextTable::SetCell(int col, int row, const std::string& text)
{
    if (Inside(col, row))
        Change(cells_[size_t(row) * size_t(colCount_) + size_t(col)].text, text);
}

void TTextTable::SetRow(int row, const std::vector<std::string>& texts)
{
    for (int col = 0; col < std::min(int(texts.size()), colCount_); ++col)
        SetCell(col, row, texts[size_t(col)]);
}

bool TTextTable::CellBold(int col, int row) const
{
    return Inside(col, row) && cells_[size_t(row) * size_t(colCount_) + size_t(col)].bold;
}

void TTextTable::SetCellBold(int col, int row, bool bold)
{
    if (Inside(col, row))
        Change(cells_[size_t(row) * size_t(colCount_) + size_t(col)].bold, bold);
}

void TTextTable::Clear()
{
    for (CellData& cell : cells_)
        cell = CellData{};
    Invalidate();
}

int TTextTable::ColWidth(int col) const
{
    if (col < 0 || col >= colCount_)
        return 0;
    const int width = colWidths_[size_t(col)];
    return width >= 0 ? width : defaultColWidth_;
}

void TTextTable::SetColWidth(int col, int width)
{
    if (col >= 0 && col < colCount_)
        Change(colWidths_[size_t(col)], std::max(width, 0));
}

TAlignment TTextTable::ColAlignment(int col) const
{
    return col >= 0 && col < colCount_ ? alignments_[size_t(col)] : taLeftJustify;
}

void TTextTable::SetColAlignment(int col, TAlignment alignment)
{
    if (col >= 0 && col < colCount_)
        Change(alignments_[size_t(col)], alignment);
}

platform::Rect TTextTable::InnerRect() const
{
    const platform::Rect c = ClientRect();
    if (borderStyle_ == bsNone)
        return c;
    return {c.left + 2, c.top + 2, std::max(c.right - 2, c.left + 2), std::max(c.bottom - 2, c.top + 2)};
}

platform::Rect TTextTable::CellRect(int col, int row) const
{
    const platform::Rect inner = InnerRect();
    int x = inner.left;
    for (int c = 0; c < col && c < colCount_; ++c)
        x += ColWidth(c);
    const int y = inner.top + row * defaultRowHeight_;
    const int line = gridLines_ ? 1 : 0;
    return {x, y, x + std::max(ColWidth(col) - line, 0), y + std::max(defaultRowHeight_ - line, 0)};
}

void TTextTable::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    const ClassicPalette& palette = look.Palette();
    if (borderStyle_ != bsNone)
        look.DrawEdgeSunken(ClientRect());
    const platform::Rect inner = InnerRect();
    const auto fill = [&dc](const platform::Rect& r, platform::Pixel color) {
        dc.FillRect(r, platform::BrushSpec{color, platform::BrushStyle::Solid});
    };
    fill(inner, ColorToPixel(Color()));
    dc.IntersectClip(inner);

    platform::FontSpec plain = Font()->PlatformSpec();
    platform::FontSpec bold = plain;
    bold.bold = true;
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    dc.SetTextColor(ColorToPixel(Font()->Color()));

    const int line = gridLines_ ? 1 : 0;
    for (int row = 0; row < rowCount_; ++row) {
        const bool heading = row < fixedRows_;
        for (int col = 0; col < colCount_; ++col) {
            const platform::Rect cell = CellRect(col, row);
            const platform::Rect whole{cell.left, cell.top, cell.right + line, cell.bottom + line};
            if (whole.Intersect(inner).IsEmpty())
                continue;
            if (heading) {
                // A heading is a raised face; its bottom and right lines are its shadow.
                fill(whole, palette.face);
                look.Frame3D(whole, palette.highlight, palette.shadow, 1);
            } else if (gridLines_) {
                fill({cell.right, cell.top, whole.right, whole.bottom}, palette.face);
                fill({cell.left, cell.bottom, whole.right, whole.bottom}, palette.face);
            }
            const CellData& data = cells_[size_t(row) * size_t(colCount_) + size_t(col)];
            if (data.text.empty())
                continue;
            dc.SetFont(data.bold ? bold : plain);
            const platform::Size size = dc.TextExtent(data.text);
            // Headings are centred; cells follow their column.
            const TAlignment alignment = heading ? taCenter : alignments_[size_t(col)];
            int x = cell.left + kCellPadding;
            if (alignment == taRightJustify)
                x = cell.right - kCellPadding - size.cx;
            else if (alignment == taCenter)
                x = cell.left + (cell.Width() - size.cx) / 2;
            const auto saved = dc.Save();
            dc.IntersectClip(cell);
            dc.TextOut(x, cell.top + (cell.Height() - size.cy) / 2, data.text);
            dc.Restore(*saved);
        }
    }
}
