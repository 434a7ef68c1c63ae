#include "canvas/SKTRenderingView.h"

#include "canvas/CanvasHost.h"
#include "app/MessageBoxes.h"
#include "canvas/CardBaseDrawing.h"
#include "model/Globals.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <exception>

namespace {

constexpr double pointsPerInch = 72.0;
// Largest side of a rendered picture in pixels; beyond it the picture is
// refused rather than allocated.
constexpr double maxPixels = 32767.0;

void setDotsPerInch(QImage& image, double dpi)
{
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

bool usableRect(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height()) && rect.width() > 0 && rect.height() > 0;
}

// A transparent image of `size` points at `dpi` (whole pixels, at least
// one); null when it cannot be made.
QImage blankImage(const QSizeF& size, double dpi)
{
    const double scale = dpi / pointsPerInch;
    const double w = std::max(1.0, std::round(size.width() * scale));
    const double h = std::max(1.0, std::round(size.height() * scale));
    if (!(w <= maxPixels && h <= maxPixels))
        return {};
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    setDotsPerInch(image, dpi);
    return image;
}

// Runs `draw` between a save and a restore of the painter's state, also
// when it throws.
template <typename Draw>
void withSavedState(QPainter& painter, Draw&& draw)
{
    painter.save();
    try {
        draw();
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

void prepare(QPainter& painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

}

SKTRenderingView::SKTRenderingView(CanvasHost* host, const QRectF& frame, const GraphicList& graphics, int side,
                                   const QString& printJobTitle)
    : SKTRenderingView(
        frame, graphics,
        [host, side = side == 1 ? 1 : 0](QPainter& painter, const QRectF& card) {
            if (host)
                host->cardBaseDrawingForSide(painter, card, side);
        },
        Card_Shape, printJobTitle)
{
}

SKTRenderingView::SKTRenderingView(const QRectF& frame, const GraphicList& graphics, CardBasePainter cardBase,
                                   int cardShape, const QString& printJobTitle)
    : m_frame(frame)
    , _graphics(graphics)
    , m_cardBase(std::move(cardBase))
    , m_cardShape(cardShape)
    , _printJobTitle(printJobTitle)
{
}

void SKTRenderingView::clipToCard(QPainter& painter) const
{
    if (m_cardShape == 1 || m_cardShape == 2)
        painter.setClipPath(CardBaseDrawing::outline(m_frame, m_cardShape), Qt::IntersectClip);
    else
        painter.setClipRect(m_frame, Qt::IntersectClip);
}

bool SKTRenderingView::drawRect(QPainter& painter, const QRectF& rect)
{
    try {
        if (m_cardBase) {
            // The card base is laid out for the whole card and only the
            // asked part is painted.
            withSavedState(painter, [&] {
                painter.setClipRect(rect, Qt::IntersectClip);
                m_cardBase(painter, m_frame);
            });
        }
        // What runs past the card's outline is cut off, as on the printed
        // card: it never reaches a neighbouring card of a sheet.
        withSavedState(painter, [&] {
            painter.setClipRect(rect, Qt::IntersectClip);
            clipToCard(painter);
            for (qsizetype i = _graphics.size() - 1; i >= 0; --i) {
                const GraphicPtr& graphic = _graphics.at(i);
                if (!graphic || graphic->print_object != 0)
                    continue;
                withSavedState(painter, [&] { graphic->drawContentsInView(painter, false); });
            }
        });
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return false;
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("A card object could not be drawn."));
        return false;
    }
    return true;
}

Picture SKTRenderingView::pictureOfRect(const QRectF& rect, double dpi)
{
    if (!usableRect(rect) || !(dpi > 0) || !std::isfinite(dpi))
        return {};
    QImage image = blankImage(rect.size(), dpi);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    prepare(painter);
    // Whole pixels cover the whole rectangle.
    painter.scale(image.width() / rect.width(), image.height() / rect.height());
    painter.translate(-rect.topLeft());
    const bool drawn = drawRect(painter, rect);
    painter.end();
    if (!drawn)
        return {};
    return Picture(std::move(image), rect.size());
}

QByteArray SKTRenderingView::dataWithPDFInsideRect(const QRectF& rect)
{
    if (!usableRect(rect))
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(pointsPerInch));
        writer.setPageLayout(QPageLayout(QPageSize(rect.size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        if (!_printJobTitle.isEmpty())
            writer.setTitle(_printJobTitle);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        prepare(painter);
        painter.translate(-rect.topLeft());
        drawn = drawRect(painter, rect);
        painter.end();
    }
    buffer.close();
    return drawn ? data : QByteArray();
}

Picture SKTRenderingView::image_From_Card_Graphics(CanvasHost* host, const GraphicList& graphics, int side,
                                                   bool print_box)
{
    return image_From_Card_Graphics(host, graphics, side, print_box, defaultPictureDpi);
}

Picture SKTRenderingView::image_From_Card_Graphics(CanvasHost* host, const GraphicList& graphics, int side,
                                                   bool print_box, double dpi)
{
    // Both forms of the picture are the same drawing here.
    (void)print_box;
    if (!host) {
        Show_NSLog_Message(QStringLiteral("A card side cannot be drawn without the main window."));
        return {};
    }
    const QRectF frame = host->frontCanvasBounds();
    if (!usableRect(frame)) {
        Show_NSLog_Message(QStringLiteral("A card side cannot be drawn: the card has no size."));
        return {};
    }
    SKTRenderingView view(host, frame, graphics, side);
    Picture picture = view.pictureOfRect(frame, dpi);
    if (picture.isNull())
        Show_NSLog_Message(QStringLiteral("The picture of a card side could not be made."));
    return picture;
}

QByteArray SKTRenderingView::pdfDataWithGraphics_data(CanvasHost* host, const GraphicList& graphics, int side)
{
    const QRectF frame = host ? host->frontCanvasBounds() : QRectF();
    SKTRenderingView view(host, frame, graphics, side);
    const QByteArray data = view.dataWithPDFInsideRect(frame);
    if (data.isEmpty())
        Show_NSLog_Message(QStringLiteral("The PDF of a card side could not be made."));
    return data;
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const GraphicList& graphics, SKTError* error)
{
    const auto fail = [error](long code) {
        if (error)
            *error = SKTErrorWithCode(code);
        return QByteArray();
    };
    // An empty list covers nothing (the united drawing bounds of no objects
    // would be the whole card).
    if (graphics.isEmpty())
        return fail(3);
    const QRectF rect = SKTGraphic::drawingBoundsOfGraphics(graphics);
    if (!usableRect(rect))
        return fail(3);
    QImage image = blankImage(rect.size(), pointsPerInch);
    if (image.isNull())
        return fail(0);

    try {
        QPainter painter(&image);
        prepare(painter);
        painter.translate(-rect.topLeft());
        for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
            const GraphicPtr& graphic = graphics.at(i);
            if (!graphic)
                continue;
            withSavedState(painter, [&] {
                painter.setClipRect(graphic->drawingBounds(), Qt::IntersectClip);
                graphic->drawContentsInView(painter, false);
            });
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return fail(0);
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("A card object could not be drawn."));
        return fail(0);
    }

    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(image)) {
        Show_NSLog_Message(QStringLiteral("TIFF data could not be written: ") + writer.errorString());
        return fail(0);
    }
    return data;
}
