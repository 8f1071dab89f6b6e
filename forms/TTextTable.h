#pragma once
// A read-only table of texts: rows by columns of cells, the first FixedRows rows drawn as
// headings (button face, raised), the others on the window colour, separated by grid lines,
// inside a sunken frame. Columns have their own widths and alignment (numbers read best
// right-aligned); single cells may be bold. What does not fit is clipped: the table neither
// scrolls nor takes the focus.

#include "forms/TCustomControl.h"
#include "forms/TCustomForm.h"

#include <string>
#include <vector>

class TTextTable : public TCustomControl {
    F2_CLASS(TTextTable, TCustomControl)
public:
    static constexpr int kCellPadding = 3;   // between a cell's edge and its text

    explicit TTextTable(TComponent* owner);

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    // bsNone: no frame; any other style: the sunken 2-pixel frame.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { Store(borderStyle_, style); }
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value) { Store(gridLines_, value); }

    // Cells, by column and row; reading outside the table gives "", writing there is ignored.
    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    // A whole row at once, from column 0 (extra texts are ignored).
    void SetRow(int row, const std::vector<std::string>& texts);
    bool CellBold(int col, int row) const;
    void SetCellBold(int col, int row, bool bold);
    // Empties every cell (sizes, widths and alignments stay).
    void Clear();

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    TAlignment ColAlignment(int col) const;
    void SetColAlignment(int col, TAlignment alignment);

    // The cell's rectangle in client coordinates (grid line excluded).
    platform::Rect CellRect(int col, int row) const;
    // Where the cells start: inside the frame.
    platform::Rect InnerRect() const;

protected:
    void Paint() override;

private:
    struct CellData {
        std::string text;
        bool bold = false;
    };
    bool Inside(int col, int row) const { return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_; }
    void Reshape(int cols, int rows);
    // Stores value in field and repaints, unless it holds that value already.
    template <class T>
    void Change(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

    int colCount_ = 0;   // 5 x 5 once constructed
    int rowCount_ = 0;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 18;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool gridLines_ = true;
    std::vector<CellData> cells_;          // row by row
    std::vector<int> colWidths_;           // -1: the default width
    std::vector<TAlignment> alignments_;
};
