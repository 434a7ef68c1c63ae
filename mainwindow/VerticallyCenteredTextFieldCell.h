#pragma once

#include <QLabel>
#include <QRectF>

// A label whose text sits in the middle of its height. The text is drawn in
// titleRectForBounds() of the label's contents: moved down by half the room
// the text leaves and ending at the bottom, so a single line or a wrapped
// paragraph is centred vertically whatever the label's height.
class VerticallyCenteredTextFieldCell : public QLabel
{
    Q_OBJECT

public:
    explicit VerticallyCenteredTextFieldCell(QWidget* parent = nullptr);

    // The rectangle the text of height `textHeight` is drawn in, for the
    // bounds B: y = B.y + (B.h - t) / 2, and the height shrinks by the same
    // (B.h - t) / 2; x and width stay.
    static QRectF titleRectForBounds(const QRectF& bounds, qreal textHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
};
