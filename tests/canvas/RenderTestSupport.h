#pragma once

// What the tests of drawn card sides share: a main window with a card base
// of one colour per side, objects of one colour, choosing the current side
// for a while, and running the outside tools that check PDF and TIFF data.

#include "canvas/CardDocumentRendering.h"
#include "model/FakeMainWindow.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphic.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

namespace {

const QRgb frontBase = qRgb(200, 255, 200);
const QRgb backBase = qRgb(200, 200, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);

// The main window: a 300 x 200 front canvas and a card base of one colour
// per side.
class CardWindow : public FakeMainWindow
{
public:
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side) override
    {
        baseRects.append(rect);
        painter.fillRect(rect, side == 1 ? backBase : frontBase);
    }
    QList<QRectF> baseRects;
};

// The documents' renderer draws for `host` while this lives; afterwards for
// no window, as when the tests start.
class HostedRendering
{
public:
    explicit HostedRendering(CanvasHost& host)
    {
        SKTDocument::setRendering(std::make_shared<CardDocumentRendering>(&host));
    }
    ~HostedRendering() { SKTDocument::setRendering(std::make_shared<CardDocumentRendering>()); }
    HostedRendering(const HostedRendering&) = delete;
    HostedRendering& operator=(const HostedRendering&) = delete;
};

// A card object that fills its bounds with one colour.
class Swatch : public SKTGraphic
{
public:
    Swatch(const QRectF& bounds, QRgb colour) : m_colour(colour) { _bounds = bounds; }
    void drawContentsInView(QPainter& painter, bool) override
    {
        if (ctrl_is_visible)
            painter.fillRect(bounds(), m_colour);
    }

private:
    QRgb m_colour;
};

// A card object whose drawing fails.
class Broken : public SKTGraphic
{
public:
    void drawContentsInView(QPainter&, bool) override { throw std::runtime_error("broken object"); }
};

// Makes `side` the current side (0 front, 1 back) while it lives.
class SideScope
{
public:
    explicit SideScope(int side) : m_old(Card_Front_Or_Back) { Card_Front_Or_Back = side; }
    ~SideScope() { Card_Front_Or_Back = m_old; }
    SideScope(const SideScope&) = delete;
    SideScope& operator=(const SideScope&) = delete;

private:
    int m_old;
};

// The standard output of `program`; empty when it is missing or fails.
inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Writes `data` to the file `name` in `dir`; its path, or empty on failure.
inline QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return path;
}

}
