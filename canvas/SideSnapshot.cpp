#include "canvas/SideSnapshot.h"

#include "app/MessageBoxes.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/SKTRenderingView.h"
#include "model/SKTImage.h"

namespace {

GraphicList copiesOf(const GraphicList& graphics)
{
    GraphicList copies;
    copies.reserve(graphics.size());
    for (const GraphicPtr& g : graphics) {
        if (g)
            copies.append(g->deepCopy());
    }
    return copies;
}

}

SideSnapshot::SideSnapshot(const GraphicList& graphics, const Card_Property& record, int cardShape,
                           const QRectF& card, const QString& resourceFolder)
    : m_graphics(copiesOf(graphics))
    , m_record(record)
    , m_cardShape(cardShape)
    , m_card(card)
    , m_resourceFolder(resourceFolder)
{
}

SideSnapshot::SideSnapshot(const SideSnapshot& other)
    : m_graphics(copiesOf(other.m_graphics))
    , m_record(other.m_record)
    , m_cardShape(other.m_cardShape)
    , m_card(other.m_card)
    , m_resourceFolder(other.m_resourceFolder)
{
}

SideSnapshot& SideSnapshot::operator=(const SideSnapshot& other)
{
    if (this != &other)
        *this = SideSnapshot(other);
    return *this;
}

QList<PicturePath::Unread> SideSnapshot::picturesNotDrawn() const
{
    QList<PicturePath::Unread> missing;
    for (const GraphicPtr& g : m_graphics) {
        // objects left out of rendered pictures are no loss of theirs
        if (!g || g->print_object != 0 || g->kind() != SKTGraphic::Kind::Image)
            continue;
        const auto& image = static_cast<const SKTImage&>(*g);
        if (image.drawsWithoutPicture())
            missing.append({image.FilePath(), PicturePath::unreadableReason(image.FilePath())});
    }
    return missing;
}

void SideSnapshot::prepareForOutput()
{
    for (const GraphicPtr& g : m_graphics)
        if (g)
            g->prepareForOutput();
}

void SideSnapshot::drawCardBase(QPainter& painter, const QRectF& card) const
{
    CardBaseDrawing::draw(painter, card, m_record, m_cardShape, m_card, m_resourceFolder);
}

bool SideSnapshot::drawRect(QPainter& painter, const QRectF& rect)
{
    SKTRenderingView view(m_card, m_graphics, [this](QPainter& p, const QRectF& card) { drawCardBase(p, card); },
                         m_cardShape);
    return view.drawRect(painter, rect);
}

Picture SideSnapshot::picture(double dpi)
{
    SKTRenderingView view(m_card, m_graphics, [this](QPainter& p, const QRectF& card) { drawCardBase(p, card); },
                         m_cardShape);
    Picture picture = view.pictureOfRect(m_card, dpi);
    if (picture.isNull())
        Show_NSLog_Message(QStringLiteral("The picture of a card side could not be made."));
    return picture;
}

QByteArray SideSnapshot::pdfData()
{
    SKTRenderingView view(m_card, m_graphics, [this](QPainter& p, const QRectF& card) { drawCardBase(p, card); },
                         m_cardShape);
    const QByteArray data = view.dataWithPDFInsideRect(m_card);
    if (data.isEmpty())
        Show_NSLog_Message(QStringLiteral("The PDF of a card side could not be made."));
    return data;
}
