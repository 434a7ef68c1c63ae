#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>

// The live preview of one sheet in the print window: a widget the size of
// the paper (one pixel per point) whose drawing the window supplies.
class Sample_Preview : public QWidget
{
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&)>;

    explicit Sample_Preview(QWidget* parent = nullptr);

    void setPainter(Painter painter);
    // A picture of the sheet as the preview draws it.
    QImage imageRepresentation() const;

    // A caption centred in a rectangle: "Front", "Back" and "Card" carry the
    // number of the cell at `row` and `col` (from 1) of a sheet `columns`
    // wide, in grey; any other text stands alone, in red.
    static void Draw_Label_String(QPainter& painter, const QString& text, const QRectF& str_val, int row, int col,
                                  int columns);
    // The outline of a rectangle, when the cells are outlined.
    static void Draw_Margin_rect(QPainter& painter, const QRectF& rect, bool Show_margin_rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};
