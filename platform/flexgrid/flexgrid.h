#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>
#include <QString>

class QHelpEvent;

namespace flexgrid {

// A grid of text cells with fixed heading rows and columns, per-cell colours
// and font size, free merging of equal neighbours, and a redraw switch.
// Colours are 0x00BBGGRR numbers; sizes in twips. Members are named as the
// screens use them and reachable by name through the meta-object system.
// The cells live in a CellStore, their places come from GridGeometry and
// MergeLayout and a GridPainter draws them; the widget itself keeps the
// current cell, the redraw switch and the tip, and turns input into moves.
class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int CellBackColor READ CellBackColor WRITE setCellBackColor)
    Q_PROPERTY(int CellForeColor READ CellForeColor WRITE setCellForeColor)
    Q_PROPERTY(double CellFontSize READ CellFontSize WRITE setCellFontSize)
    Q_PROPERTY(int MergeCells READ MergeCells WRITE setMergeCells)
    Q_PROPERTY(int RowHeightMin READ RowHeightMin WRITE setRowHeightMin)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
public:
    enum MergeMode { flexMergeNever = 0, flexMergeFree = 1 };
    enum Alignment {
        flexAlignLeftTop = 0, flexAlignLeftCenter = 1, flexAlignLeftBottom = 2,
        flexAlignCenterTop = 3, flexAlignCenterCenter = 4, flexAlignCenterBottom = 5,
        flexAlignRightTop = 6, flexAlignRightCenter = 7, flexAlignRightBottom = 8,
        flexAlignGeneral = 9
    };
    Q_ENUM(MergeMode)
    Q_ENUM(Alignment)

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows);
    int FixedCols() const;
    void setFixedCols(int cols);

    // The current cell; setting it does not scroll or raise EnterCell
    // unless the cell really changes.
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    // Members of the current cell.
    QString Text() const;
    void setText(const QString& text);
    int CellBackColor() const;
    void setCellBackColor(int bgr);
    int CellForeColor() const;
    void setCellForeColor(int bgr);
    double CellFontSize() const;
    void setCellFontSize(double points);

    int MergeCells() const;
    void setMergeCells(int mode);
    int RowHeightMin() const;  // twips
    void setRowHeightMin(int twips);
    bool Redraw() const;
    void setRedraw(bool on);
    QString ToolTipText() const;
    void setToolTipText(const QString& text);

    Q_INVOKABLE void Clear();  // empties every cell's text and colours, keeps the shape
    Q_INVOKABLE QString TextMatrix(int row, int col) const;
    Q_INVOKABLE void SetTextMatrix(int row, int col, const QString& text);
    Q_INVOKABLE bool MergeRow(int row) const;
    Q_INVOKABLE void SetMergeRow(int row, bool allowed);
    Q_INVOKABLE bool MergeCol(int col) const;
    Q_INVOKABLE void SetMergeCol(int col, bool allowed);
    Q_INVOKABLE int ColAlignment(int col) const;
    Q_INVOKABLE void SetColAlignment(int col, int alignment);
    Q_INVOKABLE int ColWidth(int col) const;  // twips
    Q_INVOKABLE void SetColWidth(int col, int twips);

    // Colours of any cell, for tests and hosts that read the grid.
    Q_INVOKABLE int CellBackColorAt(int row, int col) const;
    Q_INVOKABLE int CellForeColorAt(int row, int col) const;

    // The merged block that holds a cell, as laid out now.
    Q_INVOKABLE QRect MergedBlock(int row, int col) const;

    // How often the grid painted itself; lets callers check that a batch of
    // changes made with Redraw off costs one paint.
    int paintCount() const;

    // Where a cell lies in viewport coordinates as laid out now (scrolled
    // cells may lie partly under the fixed ones); empty when out of range.
    QRect cellRect(int row, int col) const;
    // The cell under a viewport point; false beyond the cells.
    bool cellAt(const QPoint& pos, int* row, int* col) const;

    // What assistive technology reads: each cell's name and the grid's
    // caption, asked for when read. Without them a cell is named by its
    // text and the grid by its accessibleName.
    using CellSpeech = std::function<QString(int row, int col)>;
    void setAccessibleSpeech(CellSpeech cells, std::function<QString()> caption);
    QString accessibleCellText(int row, int col) const;
    QString accessibleCaption() const;

signals:
    void EnterCell();
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // What a change leaves out of date, besides the picture.
    enum Stale { kPicture = 0, kMerges = 1, kSizes = 2 };

    void changeEvent(QEvent* event) override;
    void relayout(int stale);
    void updateScrollRanges();
    void setCurrent(int row, int col);
    void moveCurrent(int row, int col);
    void scrollToCell(int row, int col);
    void showTip(QHelpEvent& event);

    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace flexgrid
