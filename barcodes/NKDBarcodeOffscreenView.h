#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

class NKDBarcode;
class QPainter;

// Lays out and draws one barcode picture: either a linear or postal barcode
// (bars, caption, header and footer) or a ready two-dimensional symbol
// picture with header and footer. No widget: it draws into any QPainter, so
// the same drawing goes into a bitmap, a PDF or a printer, on any thread.
//
// Geometry follows the view's own coordinates: points, origin at the lower
// left, y growing upwards; drawRect converts to the painter's top-down
// coordinates.
class NKDBarcodeOffscreenView
{
public:
    // Barcode mode. The view does not own the barcode, which must outlive it.
    // Styling comes from the barcode's designer settings.
    explicit NKDBarcodeOffscreenView(const NKDBarcode* barcode);
    // Image mode: the frame is the settings' two-dimensional width x height,
    // and header and footer come from their text and size model.
    NKDBarcodeOffscreenView(const Picture& image, const BarcodeDesignerSettings& settings);

    bool fromImageOrBarcode() const { return m_fromImageOrBarcode; }
    const NKDBarcode* barcode() const { return m_barcode; }
    void setBarcode(const NKDBarcode* barcode) { m_barcode = barcode; }
    const Picture& image_2d() const { return m_image_2d; }
    void setBarcode_Image_2D(const Picture& image) { m_image_2d = image; }
    const BarcodeDesignerSettings& settings() const;

    QRectF bounds() const { return QRectF(QPointF(0, 0), m_frameSize); }
    QSizeF frameSize() const { return m_frameSize; }

    // The bar rectangles of barcode mode in view coordinates (y up), one per
    // run of bar modules, in drawing order.
    QList<QRectF> barRectangles() const;

    // Draws the whole picture; the painter's unit is one point and its origin
    // is the view's top left corner.
    void drawRect(QPainter& painter) const;

    // The picture over a rectangle of the view (view coordinates) as a
    // one-page PDF document of that size in points; empty on failure.
    QByteArray dataWithPDFInsideRect(const QRectF& rect) const;

private:
    struct TextStyle
    {
        FontSpec font;
        Colour colour;
        double kerning = 0.0;
    };

    // Bars and the top of the last bar drawn (0 when none).
    QList<QRectF> barRuns(float* lastTop) const;
    float barBottomLine() const;
    void drawBarcode(QPainter& painter) const;
    void drawCaption(QPainter& painter, float lastBarTop) const;
    void drawHeaderAndFooter(QPainter& painter) const;
    void drawImage(QPainter& painter) const;

    // Text from a baseline point in painter coordinates, with the style's
    // extra space after each character.
    void drawKernedText(QPainter& painter, const QString& text, const TextStyle& style, QPointF baselineStart) const;
    // Text whose line box has its lower left corner at a view point.
    void drawTextAtPoint(QPainter& painter, const QString& text, const TextStyle& style, QPointF point) const;
    // Text set in a view rectangle from its top, aligned by an alignment
    // title ("Left", "Center", "Right"; anything else is natural).
    void drawTextInRect(QPainter& painter, const QString& text, const TextStyle& style, const QRectF& rect,
                        const QString& alignment) const;
    void drawCentredText(QPainter& painter, const QString& text, const TextStyle& style, const QRectF& rect) const;
    QRectF toPainter(const QRectF& viewRect) const;

    const NKDBarcode* m_barcode = nullptr;
    bool m_fromImageOrBarcode = false;
    Picture m_image_2d;
    BarcodeDesignerSettings m_imageSettings;
    QSizeF m_frameSize;
};
