#pragma once

#include "model/ReducedPictureCache.h"
#include "model/SKTGraphic.h"

// A barcode object: shows the picture the barcode designer made for it
// (`_barcode_image`) whole, at the picture's own size in points, from the
// top-left corner of its bounds; the sample barcode of the resource folder
// until the designer has run (on the screen only, for a barcode bound to a
// series or column whose value gave no picture).
class SKTBarcode : public SKTGraphic
{
public:
    SKTBarcode();
    ~SKTBarcode() override;

    Kind kind() const override { return Kind::Barcode; }
    QString className() const override { return QStringLiteral("SKTBarcode"); }
    GraphicPtr deepCopy() const override;

    // The picture being shown.
    Picture _contents;

    // Shows the current picture (the argument is not used: the designer's
    // picture or the sample is), its size centred on `point`.
    void initWithPosition(const QPointF& point, const Picture& contents);
    // `_contents` becomes `_barcode_image`, or the sample picture
    // "barcode_sample.png" of the resource folder when there is none (null
    // when that is missing too).
    void barcode_image_var_assign();

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

    // The base's drawing bounds united with the rectangle the picture covers,
    // which may reach beyond the bounds: what is drawn is what is redrawn,
    // and what the screen shows is what prints.
    QRectF drawingBounds() const override;

    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

private:
    ReducedPictureCache m_drawn;

    // The picture that `barcode_image_var_assign` picks, without storing it.
    Picture currentPicture() const;
};
