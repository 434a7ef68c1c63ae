#include "barcodes/Pdf417Picture.h"

#include <QImage>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <vector>

Picture Pdf417Picture::draw(const Pdf417Symbol& symbol, QSizeF sizeInPoints, int dpi)
{
    if (symbol.isNull() || dpi <= 0 || !(sizeInPoints.width() > 0) || !(sizeInPoints.height() > 0))
        return {};
    const double width = std::ceil(dpi * sizeInPoints.width() / 72.0);
    const double height = std::ceil(dpi * sizeInPoints.height() / 72.0);
    // Beyond this the picture would not be drawable anyway.
    constexpr double maxSide = 32767.0;
    if (width > maxSide || height > maxSide)
        return {};

    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const int w = image.width();
    const int h = image.height();

    // Nearest module for each pixel column and row.
    std::vector<int> moduleOf(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        moduleOf[std::size_t(x)] = int(std::int64_t(x) * symbol.moduleColumns() / w);

    constexpr QRgb dark = qRgb(0, 0, 0);
    constexpr QRgb light = qRgb(255, 255, 255);
    for (int y = 0; y < h; ++y) {
        const int row = int(std::int64_t(y) * symbol.rows() / h);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = symbol.isDark(moduleOf[std::size_t(x)], row) ? dark : light;
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return Picture(std::move(image), sizeInPoints);
}

Picture Pdf417Picture::make(const QString& text, int errorLevel, QSizeF sizeInPoints, int dpi,
                            State* state)
{
    auto report = [state](State s) {
        if (state)
            *state = s;
    };
    if (text.isEmpty()) {
        report(State::NothingToShow);
        return {};
    }
    const Pdf417Symbol symbol = Pdf417Symbol::encode(text, errorLevel);
    if (symbol.isNull()) {
        if (symbol.failure() == Pdf417Symbol::Failure::UnencodableCharacter)
            qWarning("PDF417 text holds a character outside ISO-8859-1.");
        else
            qWarning("Error encountered while drawing barcode, error %d.", symbol.error());
        report(State::Failed);
        return {};
    }
    Picture picture = draw(symbol, sizeInPoints, dpi);
    report(picture.isNull() ? State::Failed : State::Ready);
    return picture;
}

void Pdf417Picture::setErrorLevel(int level)
{
    m_errorLevel = std::clamp(level, 0, 8);
    qInfo("ErrorLevel set to %d", m_errorLevel);
}
