#pragma once

#include "model/SKTError.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <functional>

class CanvasHost;
class QPainter;

// Draws card objects away from the screen: a card side (its card base and
// objects) as a picture or PDF, and objects alone as TIFF, with QPainter into
// QImage and PDF only. Drawing writes into the objects it draws (the opacity
// getters store their colours back, picture caches fill), so a view of live
// objects draws on the GUI thread, like every other use of them, and its card
// base comes from the window that hosts the canvases (CanvasHost). A worker thread draws a SideSnapshot
// instead: its own copies of the objects on a card base drawn from a copied
// side record.
class SKTRenderingView
{
public:
    // Draws the card base for the card rectangle `frame`.
    using CardBasePainter = std::function<void(QPainter& painter, const QRectF& frame)>;

    // Pixel density of the pictures of card sides, unless asked otherwise.
    static constexpr double defaultPictureDpi = 300.0;

    // A view of `frame` (in card coordinates) showing `graphics`, index 0
    // topmost, on the card base that `host` draws for `side` (0 front,
    // 1 back; none without a host), within the program-wide card outline.
    // The list is copied; the objects are shared.
    SKTRenderingView(CanvasHost* host, const QRectF& frame, const GraphicList& graphics, int side,
                     const QString& printJobTitle = QString());
    // The same on the card base that `cardBase` draws (none when empty),
    // within the outline `cardShape` (0 rectangle, 1 rounded, 2 oval).
    SKTRenderingView(const QRectF& frame, const GraphicList& graphics, CardBasePainter cardBase, int cardShape,
                     const QString& printJobTitle = QString());

    QRectF frame() const { return m_frame; }
    const GraphicList& graphics() const { return _graphics; }
    QString printJobTitle() const { return _printJobTitle; }
    // y grows downwards, as on the canvas; the card base covers the frame.
    bool isFlipped() const { return true; }
    bool isOpaque() const { return true; }

    // Draws the part `rect` of the view: the card base (drawn for the frame
    // and clipped to `rect`), then the objects from the last to index 0,
    // leaving out every object whose `print_object` is not 0, clipped to
    // `rect` and to the card outline in the frame. Returns false
    // when an object failed to draw: the rest is then not drawn and the
    // reason is logged. (No message box opens from here; the callers report
    // a failed picture.)
    bool drawRect(QPainter& painter, const QRectF& rect);

    // The view drawn into a picture of `rect`'s size in points at `dpi`
    // pixels per inch (transparent where nothing is drawn). Null when the
    // drawing failed: a half-drawn card is never handed out.
    Picture pictureOfRect(const QRectF& rect, double dpi);
    // One PDF page of `rect`'s size in points showing that part of the view;
    // empty on failure.
    QByteArray dataWithPDFInsideRect(const QRectF& rect);

    // A picture of one card side: `graphics` (that side's objects) drawn on
    // the card base `host` draws for `side` (0 front, 1 back), the size of
    // the host's front canvas. Both values of `print_box` give the same
    // picture. Null, with the reason logged, when no picture can be made
    // (without a host among others).
    static Picture image_From_Card_Graphics(CanvasHost* host, const GraphicList& graphics, int side, bool print_box);
    static Picture image_From_Card_Graphics(CanvasHost* host, const GraphicList& graphics, int side, bool print_box,
                                            double dpi);

    // PDF of the host's front canvas frame with the card base of `side` and
    // `graphics`; empty without a host.
    static QByteArray pdfDataWithGraphics_data(CanvasHost* host, const GraphicList& graphics, int side);

    // TIFF of the objects alone (no card base, the print flag ignored) over
    // their united drawing bounds, one pixel per point at 72 dpi, each object
    // clipped to its own drawing bounds and every picture upright. An empty
    // list, or objects that cover nothing, give empty data and the error of
    // code 3; a picture that cannot be written gives the error of code 0.
    static QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error = nullptr);

private:
    // Limits drawing to the card outline in the frame.
    void clipToCard(QPainter& painter) const;

    QRectF m_frame;
    GraphicList _graphics;
    CardBasePainter m_cardBase;
    int m_cardShape = 0;
    QString _printJobTitle;
};
