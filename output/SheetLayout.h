#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

// How the cards of a print job stand on one sheet of paper: the paper and
// its orientation, the unprintable margins, rows and columns of cells, the
// card size, the gaps between cells, the sides printed in each cell and
// where the block of cells sits. Every length is in points (1/72 inch).
//
// The geometry follows the sheet's own rules: rows count from the top,
// columns from the left, and a cell's position is worked out with the y axis
// pointing up from the paper's bottom edge; every rectangle handed out is
// turned into page coordinates (origin at the paper's top-left corner, y
// growing downwards), ready for a QPainter.
//
// Rows, columns and the card size can never be zero: a count below 1 is
// raised to 1 and a card side shorter than minimumCardSide (or not a number)
// becomes minimumCardSide, so that no geometry divides by zero.
class SheetLayout
{
public:
    // Side choices of a cell and arrangements of two sides in one cell.
    static inline const QString frontSide = QStringLiteral("F");
    static inline const QString backSide = QStringLiteral("B");
    static inline const QString bothSides = QStringLiteral("BOTH");
    static inline const QString frontAbove = QStringLiteral("U");
    static inline const QString frontLeft = QStringLiteral("L");
    // 1 mm: the smallest card side a cell is given.
    static constexpr double minimumCardSide = 2.834645669291;

    // Paper size in portrait orientation, and whether it lies landscape.
    QSizeF paper() const { return m_paper; }
    void setPaper(const QSizeF& portraitSize);
    bool landscape() const { return m_landscape; }
    void setLandscape(bool landscape) { m_landscape = landscape; }
    // The paper as it lies: width and height swapped for landscape.
    QSizeF sheetSize() const;

    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
    // Gaps between neighbouring columns / rows of cells.
    double horizontalGap = 0, verticalGap = 0;
    // Block position 1..9, row by row from top-left to bottom-right; values
    // outside that range count as 1. Ignored under auto-centre.
    int position = 1;
    // Cells and gaps spread evenly over the printable area.
    bool autoCenter = false;

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    void setRows(int rows);
    void setColumns(int columns);
    // Size of one card side (one picture).
    QSizeF cardSize() const { return m_card; }
    void setCardSize(const QSizeF& size);

    // "F", "B" or "BOTH" (any other text counts as "B"); the arrangement of
    // "BOTH": "U" front above back, anything else front left of back.
    QString side() const { return m_side; }
    void setSide(const QString& side);
    QString arrangement() const { return m_arrangement; }
    void setArrangement(const QString& arrangement);
    bool printsBothSides() const { return m_side == bothSides; }
    bool printsBackOnly() const { return m_side != frontSide && m_side != bothSides; }

    // One cell: the card size, doubled in height ("U") or width ("L") when
    // both sides share the cell.
    QSizeF cellSize() const;
    double printableWidth() const;
    double printableHeight() const;
    // The block of rows x columns cells with their gaps.
    double blockWidth() const;
    double blockHeight() const;

    // The cell of `row` (1..rows, from the top) and `column` (1..columns,
    // from the left) on the page.
    QRectF cellRect(int row, int column) const;

    // Where the pictures of one cell go, for card pictures of `picture`
    // size: never scaled; centred only where the cell is larger, so a larger
    // picture starts at the cell's corner and runs past its right and top.
    struct Placement
    {
        QRectF cell;
        // The part of the cell given to the front side (the cell itself for
        // one side).
        QRectF frontArea;
        // The picture printed for the chosen side (the front for "BOTH").
        QRectF picture;
        // The back picture when both sides are printed, else empty.
        QRectF back;
    };
    Placement placement(int row, int column, const QSizeF& picture) const;

    // The fitting rule, run after every change of the layout: a column or
    // row count whose block does not fit the printable area is lowered to
    // as many as fit (at least 1); under auto-centre the gaps are spread
    // evenly (one gap before the first and after the last cell), or become 0
    // when even that does not fit. Counts are never raised; without
    // auto-centre the gaps stay.
    SheetLayout fitted() const;

    // The size warning asked before a job: one cell with the margins and
    // one gap is wider or higher than the paper.
    bool cellExceedsPaper() const;
    static QString cellExceedsPaperQuestion();

    // Millimetres and points, as the print window converts them.
    static double pointsToMillimetres(double points);
    static double millimetresToPoints(double millimetres);

    bool operator==(const SheetLayout& other) const = default;

private:
    // Left edge of column `column` and bottom edge of row `row`, y up.
    double columnX(int column) const;
    double rowY(int row) const;
    // A rectangle given with its bottom-left corner, y up, as a page rectangle.
    QRectF onPage(double x, double y, double w, double h) const;

    QSizeF m_paper {595.27559055, 841.88976378};
    bool m_landscape = false;
    int m_rows = 1;
    int m_columns = 1;
    QSizeF m_card {243, 153};
    QString m_side = frontSide;
    QString m_arrangement = frontAbove;
};
