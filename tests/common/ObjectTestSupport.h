#pragma once

// Helpers for the tests of card objects and the renderer: a private resource
// folder, picture files with and without a resolution, and measurements of
// what was drawn.

#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <optional>

namespace ObjectTestSupport {

// Points `Resource_Path` at a fresh folder holding the shipped resources
// while it lives.
class ScopedResourceFolder
{
public:
    ScopedResourceFolder();
    ~ScopedResourceFolder();
    ScopedResourceFolder(const ScopedResourceFolder&) = delete;
    ScopedResourceFolder& operator=(const ScopedResourceFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_oldResourcePath;
};

// Writes `image` as a PNG file; with `dpi` the file records that resolution,
// without it the file records none.
bool writePng(const QString& path, const QImage& image, std::optional<double> dpi);

// A transparent image of w x h pixels at `dpi` (one pixel per point at 72).
QImage blank(int w, int h, double dpi = 72.0);

// The smallest rectangle holding every pixel for which `ink` is true; an
// empty rectangle when there is none.
QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink);
// Pixels that are not transparent.
QRect opaqueBounds(const QImage& image);

// The text of the one barcode in `image` read by a standard decoder, with
// its symbology's name; empty when nothing can be read (or no decoder is
// built in).
struct Decoded
{
    QString text;
    QString format;
    QString ecLevel; // as the decoder reports it
};
Decoded decodeBarcode(const QImage& image);

}
