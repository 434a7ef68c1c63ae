#include "common/ObjectTestSupport.h"

#include "app/Globals.h"
#include "platform/ResourceFolder.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace ObjectTestSupport {

ScopedResourceFolder::ScopedResourceFolder() : m_oldResourcePath(Resource_Path)
{
    ResourceFolder::prepare(m_dir.path());
    Resource_Path = m_dir.path();
}

ScopedResourceFolder::~ScopedResourceFolder()
{
    Resource_Path = m_oldResourcePath;
}

bool writePng(const QString& path, const QImage& image, std::optional<double> dpi)
{
    QImage copy = image;
    if (dpi) {
        const int dotsPerMetre = qRound(*dpi / 0.0254);
        copy.setDotsPerMeterX(dotsPerMetre);
        copy.setDotsPerMeterY(dotsPerMetre);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!copy.save(&buffer, "PNG"))
        return false;
    if (!dpi) {
        // Leave out the resolution chunk that Qt always writes.
        QByteArray stripped = png.left(8);
        qsizetype at = 8;
        while (at + 12 <= png.size()) {
            const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
            const QByteArray type = png.mid(at + 4, 4);
            const qsizetype whole = 12 + qsizetype(length);
            if (type != "pHYs")
                stripped += png.mid(at, whole);
            at += whole;
        }
        png = stripped;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(png) == png.size();
}

QImage blank(int w, int h, double dpi)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int left = argb.width(), top = argb.height(), right = -1, bottom = -1;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (!ink(row[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect opaqueBounds(const QImage& image)
{
    return inkBounds(image, [](QRgb p) { return qAlpha(p) > 0; });
}

Decoded decodeBarcode(const QImage& image)
{
    // On white, in grey levels, as a scanner sees it.
    QImage onWhite(image.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    {
        QPainter painter(&onWhite);
        painter.drawImage(0, 0, image);
    }
    const QImage grey = onWhite.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, ZXing::DecodeHints());
    if (!result.isValid())
        return {};
    return {QString::fromStdString(result.text()), QString::fromStdString(ZXing::ToString(result.format())),
            QString::fromStdString(result.ecLevel())};
}

}
