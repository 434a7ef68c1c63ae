#include "canvas/CardPasteboard.h"
#include "model/Globals.h"

#include "app/Globals.h"
#include "canvas/CanvasHost.h"
#include "canvas/SKTRenderingView.h"
#include "model/SKTGraphicArchive.h"
#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QMimeData>
#include <QUuid>

QString CardPasteboard::graphicsType()
{
    return SKTGraphicArchive::pasteboardType;
}

QString CardPasteboard::pdfType()
{
    return QStringLiteral("application/pdf");
}

QString CardPasteboard::tiffType()
{
    return QStringLiteral("image/tiff");
}

QString CardPasteboard::fileNamesType()
{
    return QStringLiteral("text/uri-list");
}

QMimeData* CardPasteboard::mimeDataWithGraphics(CanvasHost* host, const GraphicList& graphics)
{
    auto* data = new QMimeData;
    const GraphicList copied = withColumnTitles(graphics, host ? host->spreadsheetColumnTitles() : QStringList());
    data->setData(graphicsType(), SKTGraphicArchive::pasteboardDataWithGraphics(copied));
    // The copied objects lie on the side the window shows.
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(host, graphics, Card_Front_Or_Back == 1 ? 1 : 0);
    if (!pdf.isEmpty())
        data->setData(pdfType(), pdf);
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(graphics);
    if (!tiff.isEmpty())
        data->setData(tiffType(), tiff);
    return data;
}

GraphicList CardPasteboard::withColumnTitles(const GraphicList& graphics, const QStringList& columnTitles)
{
    GraphicList copied;
    copied.reserve(graphics.size());
    for (const GraphicPtr& graphic : graphics) {
        const int column = graphic ? graphic->excel_col_indx : 0;
        if (!graphic || graphic->data_source_type != 2 || column < 1 || graphic->excel_col_title) {
            copied.append(graphic);
            continue;
        }
        const GraphicPtr copy = graphic->deepCopy();
        if (column < columnTitles.size())
            copy->excel_col_title = columnTitles[column];
        else
            copy->excel_col_indx = -1;
        copied.append(copy);
    }
    return copied;
}

namespace {

// The contents' picture formats ("image/png", ...) that a picture reader
// takes, in the contents' order.
QStringList readablePictureFormats(const QMimeData& data)
{
    static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList formats;
    for (const QString& format : data.formats()) {
        if (format.startsWith(QLatin1String("image/")) && readable.contains(format.toLatin1()))
            formats.append(format);
    }
    return formats;
}

}

CardPasteboard::PasteContents CardPasteboard::pasteContents(const QMimeData* data)
{
    if (!data)
        return PasteContents::Nothing;
    if (data->hasFormat(graphicsType()))
        return PasteContents::Graphics;
    if (data->hasFormat(fileNamesType()))
        return PasteContents::Nothing;
    if (data->hasImage() || !readablePictureFormats(*data).isEmpty())
        return PasteContents::Picture;
    return PasteContents::Nothing;
}

QImage CardPasteboard::pictureFromMimeData(const QMimeData* data)
{
    if (!data)
        return QImage();
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    // Picture formats the contents name directly ("image/png", ...).
    for (const QString& format : readablePictureFormats(*data)) {
        QByteArray bytes = data->data(format);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    return QImage();
}

QString CardPasteboard::storePastedPicture(const QImage& picture)
{
    if (picture.isNull() || Resource_Path.isEmpty())
        return QString();
    const QString folder = Resource_Path + QStringLiteral("/LibraryImage");
    if (!QDir().mkpath(folder))
        return QString();
    const QString path = folder + QStringLiteral("/Pasted ")
        + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") || !AtomicFile::save(path, bytes))
        return QString();
    return path;
}
