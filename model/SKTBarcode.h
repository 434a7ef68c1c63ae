#pragma once

#include "model/ReducedPictureCache.h"
#include "model/SKTGraphic.h"
#include "model/VectorizedPicture.h"

#include <memory>

// A barcode object: shows the picture the barcode designer made for it
// (`_barcode_image`) whole, at the picture's own size in points, from the
// top-left corner of its bounds, on its background colour, which covers
// the bounds when it is opaque; the sample barcode of the resource folder
// until the designer has run. A barcode bound to a series or column whose
// value gave no picture (none, refused, or the column is gone) prints
// nothing, and the screen shows only its empty frame.
class SKTBarcode : public SKTGraphic
{
public:
    SKTBarcode();
    explicit SKTBarcode(const GraphicDefaults& defaults);
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
    // when that is missing too, or when the barcode shows no value).
    void barcode_image_var_assign();

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

    // The base's drawing bounds united with the rectangle the picture covers,
    // which may reach beyond the bounds: what is drawn is what is redrawn,
    // and what the screen shows is what prints.
    QRectF drawingBounds() const override;

    // On the screen and in pictures the barcode's picture, reduced by area
    // averaging where it is shown smaller; into PDF files and print jobs its
    // rectangles (VectorizedPicture), which cover the same pixels.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // Makes the rectangles of the current picture.
    void prepareForOutput() override;

private:
    ReducedPictureCache m_drawn;
    // The rectangles of the picture whose cache key is m_vectorKey; shared
    // read-only by the object's copies.
    std::shared_ptr<const VectorizedPicture> m_vector;
    qint64 m_vectorKey = 0;

    const VectorizedPicture& vectorized(const QImage& image);

    // An opaque background over the whole frame, under the picture: the
    // picture may leave part of the frame bare (the light margin around a
    // symbol, a frame made larger than the picture, a series value's picture
    // of another size), and nothing beneath the barcode shows through there.
    void drawBackground(QPainter& painter) const;
    // A dashed outline of the bounds, for the screen.
    void drawEmptyFrame(QPainter& painter) const;

    // Not typed (bound to a series or column), and its value gave no
    // picture.
    bool showsNoValue() const;

    // The picture that `barcode_image_var_assign` picks, without storing it.
    Picture currentPicture() const;
};
