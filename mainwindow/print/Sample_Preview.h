#pragma once

#include <QImage>
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};
