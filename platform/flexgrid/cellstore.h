#pragma once

#include <cstddef>
#include <vector>

#include <QString>

#include "platform/flexgrid/mergeinput.h"

namespace flexgrid {

// What a grid holds, without any drawing: its shape, fixed heading rows and
// columns, cell texts, colours (0x00BBGGRR) and font sizes, and the column
// and row settings. Setters refuse what is out of range or beyond the
// limits and then report false, changing nothing.
class CellStore {
public:
    static constexpr int kMaxRows = 1000000;
    static constexpr int kMaxCols = 100000;
    static constexpr long long kMaxCells = 2000000;
    static constexpr int kMaxColWidthTwips = 30000;
    static constexpr int kDefaultColWidthTwips = 1000;
    static constexpr double kMinPoints = 1.0;
    static constexpr double kMaxPoints = 200.0;
    static constexpr int kNormalBack = 0xFFFFFF;
    static constexpr int kFixedBack = 0xC0C0C0;
    static constexpr int kDefaultFore = 0x000000;
    static constexpr int kGeneralAlignment = 9;  // the last of the alignments

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    bool setRows(int rows);
    bool setCols(int cols);
    bool setFixedRows(int rows);
    bool setFixedCols(int cols);
    bool inRange(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
    bool isFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

    // Out of range: empty text, colour 0, size 0.
    QString text(int row, int col) const;
    bool setText(int row, int col, const QString& text);
    int back(int row, int col) const;  // unset: button face on headings, white elsewhere
    bool setBack(int row, int col, int bgr);
    int fore(int row, int col) const;
    bool setFore(int row, int col, int bgr);
    float points(int row, int col) const;  // 0: the grid's own font size
    bool setPoints(int row, int col, double points);
    void clear();  // texts, colours and sizes; keeps the shape and settings

    bool rowMerges(int row) const;
    bool setRowMerges(int row, bool allowed);
    bool colMerges(int col) const;
    bool setColMerges(int col, bool allowed);
    int alignment(int col) const;
    bool setAlignment(int col, int alignment);
    int widthTwips(int col) const;  // 0 out of range
    bool setWidthTwips(int col, int twips);  // negative: back to the default

    // Texts are copied only for free merging; the layout needs none otherwise.
    MergeInput mergeInput(bool freeMerge) const;

private:
    struct Cell {
        QString text;
        int back = 0;
        int fore = 0;
        float points = 0;
        bool hasBack = false;
        bool hasFore = false;
    };
    struct Column {
        int widthTwips = -1;  // -1: the default width
        int alignment = kGeneralAlignment;
        bool merge = false;
    };

    std::size_t at(int row, int col) const { return static_cast<std::size_t>(row) * cols_ + col; }
    bool colInRange(int col) const { return col >= 0 && col < cols_; }
    void reshape(int rows, int cols);

    int rows_ = 2;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<Cell> cells_ = std::vector<Cell>(4);
    std::vector<Column> columns_ = std::vector<Column>(2);
    std::vector<char> rowMerges_ = std::vector<char>(2, 0);
};

}  // namespace flexgrid
