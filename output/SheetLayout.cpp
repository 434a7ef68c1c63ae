#include "output/SheetLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// A length that is a finite number, else 0.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

// The fitting rule along one direction: `count` cells of `cell` with `gap`
// between them on a paper `paper` long with the margins `before` and `after`.
void fitDirection(double paper, double before, double after, double cell, bool spread, int& count, double& gap)
{
    const double printable = paper - before - after;
    if (spread) {
        const double even = (printable - count * cell) / (count + 1);
        if (even > 0) {
            gap = even;
            return;
        }
        const double fit = std::trunc(printable / cell);
        count = fit < 1 ? 1 : int(std::min<double>(count, fit));
        gap = 0;
        return;
    }
    if ((printable - count * cell - (count - 1) * gap) / (count + 1) > 0)
        return;
    const double fit = std::floor((paper + gap - before - after) / (cell + gap));
    count = fit < 1 ? 1 : int(std::min<double>(count, fit));
}

}

void SheetLayout::setPaper(const QSizeF& portraitSize)
{
    m_paper = QSizeF(std::max(0.0, finiteOrZero(portraitSize.width())), std::max(0.0, finiteOrZero(portraitSize.height())));
}

QSizeF SheetLayout::sheetSize() const
{
    return m_landscape ? m_paper.transposed() : m_paper;
}

void SheetLayout::setRows(int rows)
{
    m_rows = std::max(1, rows);
}

void SheetLayout::setColumns(int columns)
{
    m_columns = std::max(1, columns);
}

void SheetLayout::setCardSize(const QSizeF& size)
{
    const auto side = [](double v) { return std::isfinite(v) && v >= minimumCardSide ? v : minimumCardSide; };
    m_card = QSizeF(side(size.width()), side(size.height()));
}

void SheetLayout::setSide(const QString& side)
{
    m_side = side == frontSide || side == bothSides ? side : backSide;
}

void SheetLayout::setArrangement(const QString& arrangement)
{
    m_arrangement = arrangement == frontAbove ? frontAbove : frontLeft;
}

QSizeF SheetLayout::cellSize() const
{
    if (!printsBothSides())
        return m_card;
    return m_arrangement == frontAbove ? QSizeF(m_card.width(), 2 * m_card.height())
                                       : QSizeF(2 * m_card.width(), m_card.height());
}

double SheetLayout::printableWidth() const
{
    return sheetSize().width() - leftMargin - rightMargin;
}

double SheetLayout::printableHeight() const
{
    return sheetSize().height() - topMargin - bottomMargin;
}

double SheetLayout::blockWidth() const
{
    return m_columns * cellSize().width() + (m_columns - 1) * horizontalGap;
}

double SheetLayout::blockHeight() const
{
    return m_rows * cellSize().height() + (m_rows - 1) * verticalGap;
}

double SheetLayout::columnX(int column) const
{
    const double cw = cellSize().width();
    if (autoCenter)
        return leftMargin + column * horizontalGap + (column - 1) * cw;
    double first = leftMargin;
    switch (position) {
    case 2: case 5: case 8:
        first = leftMargin + (printableWidth() - blockWidth()) / 2;
        break;
    case 3: case 6: case 9:
        first = sheetSize().width() - blockWidth() - rightMargin;
        break;
    default:
        break;
    }
    return first + (column - 1) * (cw + horizontalGap);
}

double SheetLayout::rowY(int row) const
{
    const double ch = cellSize().height();
    const double bh = blockHeight();
    double first;
    if (autoCenter) {
        first = bh - ch + verticalGap + bottomMargin;
    } else {
        switch (position) {
        case 4: case 5: case 6:
            first = (printableHeight() - bh) / 2 + bottomMargin + bh - ch;
            break;
        case 7: case 8: case 9:
            first = bh - ch + bottomMargin;
            break;
        default:
            first = sheetSize().height() - ch - topMargin;
            break;
        }
    }
    return first - (row - 1) * (ch + verticalGap);
}

QRectF SheetLayout::onPage(double x, double y, double w, double h) const
{
    return QRectF(x, sheetSize().height() - y - h, w, h);
}

QRectF SheetLayout::cellRect(int row, int column) const
{
    const QSizeF cell = cellSize();
    return onPage(columnX(column), rowY(row), cell.width(), cell.height());
}

SheetLayout::Placement SheetLayout::placement(int row, int column, const QSizeF& picture) const
{
    const double x = columnX(column), y = rowY(row);
    const double cw = cellSize().width(), ch = cellSize().height();
    const double pw = picture.width(), ph = picture.height();
    Placement result;
    result.cell = onPage(x, y, cw, ch);
    double px = x, py = y;
    if (!printsBothSides()) {
        result.frontArea = result.cell;
        if (cw > pw)
            px += (cw - pw) / 2;
        if (ch > ph)
            py += (ch - ph) / 2;
        result.picture = onPage(px, py, pw, ph);
        return result;
    }
    if (m_arrangement == frontAbove) {
        result.frontArea = onPage(x, y + ch / 2, cw, ch / 2);
        py = y + ch / 2;
        if (cw > pw)
            px += (cw - pw) / 2;
        if (ch > 2 * ph)
            py += (ch - 2 * ph) / 2;
        result.picture = onPage(px, py, pw, ph);
        result.back = onPage(px, py - ph, pw, ph);
    } else {
        result.frontArea = onPage(x, y, cw / 2, ch);
        if (cw > 2 * pw)
            px += (cw - 2 * pw) / 2;
        if (ch > ph)
            py += (ch - ph) / 2;
        result.picture = onPage(px, py, pw, ph);
        result.back = onPage(px + pw, py, pw, ph);
    }
    return result;
}

SheetLayout SheetLayout::fitted() const
{
    SheetLayout result = *this;
    const QSizeF sheet = sheetSize();
    const QSizeF cell = cellSize();
    fitDirection(sheet.width(), leftMargin, rightMargin, cell.width(), autoCenter, result.m_columns,
                 result.horizontalGap);
    fitDirection(sheet.height(), topMargin, bottomMargin, cell.height(), autoCenter, result.m_rows,
                 result.verticalGap);
    return result;
}

bool SheetLayout::cellExceedsPaper() const
{
    const QSizeF sheet = sheetSize(), cell = cellSize();
    return cell.width() + leftMargin + rightMargin + horizontalGap > sheet.width()
        || cell.height() + topMargin + bottomMargin + verticalGap > sheet.height();
}

QString SheetLayout::cellExceedsPaperQuestion()
{
    return QStringLiteral("'Card Size' is bigger than selected 'Paper Size' or drawn label may be out of margin "
                          "area.\n\nDo you want to continue?");
}

double SheetLayout::pointsToMillimetres(double points)
{
    return float(double(float(points)) * 0.3527777777778);
}

double SheetLayout::millimetresToPoints(double millimetres)
{
    return float(double(float(millimetres)) * 2.834645669291);
}
