#pragma once

#include "model/Card_Property.h"
#include "model/PicturePath.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// One card side to draw away from the GUI thread (batch printing, picture
// export, mail): the snapshot's own copies of the side's objects (deep
// copies, pictures shared read-only) and everything its card base is drawn
// from, the side record included. Drawing it touches no live object, no
// widget and not the main window; it only reads files (hatch patterns) and
// program-wide values that stay put while output runs (the resource folder).
//
// A snapshot is made on the GUI thread from the live side. Copying a
// snapshot copies its objects again, so each worker takes a copy of its
// own, binds a record's values into its objects (a text's characters, a
// picture) and draws it, record after record; its picture caches then
// serve every record. A snapshot is used by one thread at a time.
class SideSnapshot
{
public:
    SideSnapshot() = default;
    // Copies of `graphics` (index 0 topmost) on the card base of `record`
    // drawn with the outline `cardShape` (0 rectangle, 1 rounded, 2 oval)
    // for the card rectangle `card`, hatch patterns read from
    // `resourceFolder`.
    SideSnapshot(const GraphicList& graphics, const Card_Property& record, int cardShape, const QRectF& card,
                 const QString& resourceFolder);
    SideSnapshot(const SideSnapshot& other);
    SideSnapshot& operator=(const SideSnapshot& other);
    SideSnapshot(SideSnapshot&&) noexcept = default;
    SideSnapshot& operator=(SideSnapshot&&) noexcept = default;

    // The snapshot's objects; the owner may change them freely.
    const GraphicList& graphics() const { return m_graphics; }
    const Card_Property& record() const { return m_record; }
    int cardShape() const { return m_cardShape; }
    QRectF card() const { return m_card; }
    QString resourceFolder() const { return m_resourceFolder; }

    // The picture files of the objects drawn that gave no picture (each
    // object draws at most its frame), topmost first.
    QList<PicturePath::Unread> picturesNotDrawn() const;

    // Makes what drawing the objects into a PDF file or a print job needs
    // (SKTGraphic::prepareForOutput), so that it is made on the calling
    // thread and kept by the snapshot's copies.
    void prepareForOutput();
    // Draws the side's card base for the card rectangle `card`.
    void drawCardBase(QPainter& painter, const QRectF& card) const;
    // Draws the part `rect` of the card, as SKTRenderingView::drawRect does.
    bool drawRect(QPainter& painter, const QRectF& rect);
    // A picture of the whole card at `dpi`, as
    // SKTRenderingView::image_From_Card_Graphics makes it; null, with the
    // reason logged, when it cannot be made.
    Picture picture(double dpi);
    // One PDF page of the card; empty when it cannot be made.
    QByteArray pdfData();

private:
    GraphicList m_graphics;
    Card_Property m_record;
    int m_cardShape = 0;
    QRectF m_card;
    QString m_resourceFolder;
};
