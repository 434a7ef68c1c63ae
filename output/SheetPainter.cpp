#include "output/SheetPainter.h"

#include "platform/ProcessorCores.h"
#include "platform/WaitingEvents.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace {

// Waits for a card rendered on a worker. On the GUI thread the events keep
// flowing meanwhile: a worker may ask the GUI thread for a message box and
// wait for it, and the job's progress window takes its Stop.
template <typename T>
T await(std::future<T>& future)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        while (future.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            WaitingEvents::process();
    }
    return future.get();
}

// Draws a side snapshot whole, its card's top-left corner at `at`.
bool drawSide(QPainter& painter, SideSnapshot& side, const QPointF& at)
{
    const QRectF card = side.card();
    painter.save();
    painter.translate(at - card.topLeft());
    const bool drawn = side.drawRect(painter, card);
    painter.restore();
    return drawn;
}

}

SheetPainter::SideSource SheetPainter::snapshotSource(const SideSnapshot& front, const SideSnapshot& back,
                                                      RecordBinder bind)
{
    // The originals are only copied, one copy at a time. What output needs
    // of their objects (adjusted pictures, print copies, barcode rectangles)
    // is made once, by the first worker to ask, and every copy keeps it; a
    // record's own values are prepared on the worker that binds them.
    struct Originals
    {
        std::mutex mutex;
        SideSnapshot sides[2];
        bool prepared[2] = {false, false};
        RecordBinder bind;
    };
    auto originals = std::make_shared<Originals>();
    originals->sides[0] = front;
    originals->sides[1] = back;
    originals->bind = std::move(bind);
    return [originals](int record, int side) -> std::shared_ptr<SideSnapshot> {
        const int index = side == 1 ? 1 : 0;
        std::shared_ptr<SideSnapshot> copy;
        {
            std::lock_guard lock(originals->mutex);
            SideSnapshot& original = originals->sides[index];
            if (original.card().isEmpty())
                return nullptr;
            if (!originals->prepared[index]) {
                original.prepareForOutput();
                originals->prepared[index] = true;
            }
            copy = std::make_shared<SideSnapshot>(original);
        }
        if (record >= 0 && originals->bind) {
            if (!originals->bind(*copy, record).isEmpty())
                return nullptr;
            copy->prepareForOutput();
        }
        return copy;
    };
}

SheetPainter::SheetPainter(SheetLayout layout, SheetPagination pagination, SideSource source)
    : m_layout(std::move(layout))
    , m_pagination(std::move(pagination))
    , m_source(std::move(source))
    , m_ahead(ProcessorCores::usable())
{
}

QString SheetPainter::invalidDataCaption()
{
    return QStringLiteral("Invalid Data");
}

SheetPainter::Card SheetPainter::render(int record) const
{
    Card card;
    if (!m_source)
        return card;
    if (!m_layout.printsBackOnly())
        card.front = m_source(record, 0);
    if (m_layout.printsBackOnly() || m_layout.printsBothSides())
        card.back = m_source(record, 1);
    return card;
}

const SheetPainter::Card& SheetPainter::designed()
{
    if (!m_designed) {
        m_designed = std::make_unique<Card>();
        if (m_source) {
            m_designed->front = m_source(-1, 0);
            m_designed->back = m_source(-1, 1);
        }
    }
    return *m_designed;
}

bool SheetPainter::paintCell(QPainter& painter, const SheetPagination::Cell& cell, const Card& card)
{
    // A record without a front picture shows the card as designed; the back
    // of a record that has none stays empty. Printing the back alone, the
    // picture keeps the front's size.
    const Card& design = designed();
    const std::shared_ptr<SideSnapshot> front = card.front ? card.front : design.front;
    std::shared_ptr<SideSnapshot> back = card.back;
    if (cell.record < 0)
        back = design.back;
    const QSizeF size = front ? front->card().size() : back ? back->card().size() : QSizeF();
    const SheetLayout::Placement place = m_layout.placement(cell.row, cell.column, size);

    if (!front) {
        // the card has no picture at all
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setBold(true);
        font.setPointSizeF(11);
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::red);
        const QRectF area = size.isEmpty() ? place.frontArea : place.picture;
        painter.drawText(area, Qt::AlignCenter, invalidDataCaption());
        painter.restore();
        m_pictures.addCard(m_pictures.cards());
        return true;
    }
    bool drawn = true;
    QList<PicturePath::Unread> missing;
    if (m_layout.printsBackOnly()) {
        if (back) {
            drawn = drawSide(painter, *back, place.picture.topLeft());
            missing = back->picturesNotDrawn();
        }
        m_pictures.addCard(m_pictures.cards(), missing);
        return drawn;
    }
    drawn = drawSide(painter, *front, place.picture.topLeft());
    missing = front->picturesNotDrawn();
    if (m_layout.printsBothSides() && back) {
        drawn = drawSide(painter, *back, place.back.topLeft()) && drawn;
        missing += back->picturesNotDrawn();
    }
    m_pictures.addCard(m_pictures.cards(), missing);
    return drawn;
}

bool SheetPainter::paintPage(QPainter& painter, int page)
{
    return paintPages(painter, page, page, {});
}

bool SheetPainter::paintPages(QPainter& painter, int first, int last, const std::function<bool()>& newPage)
{
    // Every record of the pages, in painting order, rendered on workers
    // up to one per core ahead of the painter.
    std::vector<int> records;
    for (int page = first; page <= last; ++page)
        for (const SheetPagination::Cell& cell : m_pagination.cellsOfPage(page))
            if (cell.record >= 0)
                records.push_back(cell.record);
    const size_t ahead = size_t(m_ahead);
    std::deque<std::future<Card>> coming;
    size_t launched = 0;
    const auto launch = [&] {
        while (launched < records.size() && coming.size() < ahead) {
            const int record = records[launched++];
            coming.push_back(std::async(std::launch::async, [this, record] { return render(record); }));
        }
    };
    launch();

    // lossless pictures in PDF output: barcodes must never become JPEG
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QSizeF sheet = m_layout.sheetSize();
    bool ok = true;
    for (int page = first; page <= last; ++page) {
        if (page > first && newPage && !newPage()) {
            ok = false;
            break;
        }
        painter.fillRect(QRectF(QPointF(0, 0), sheet), Qt::white);
        for (const SheetPagination::Cell& cell : m_pagination.cellsOfPage(page)) {
            Card card;
            if (cell.record >= 0) {
                card = await(coming.front());
                coming.pop_front();
                launch();
            }
            ok = paintCell(painter, cell, card) && ok;
        }
    }
    // the workers still running end before their painter goes
    for (std::future<Card>& future : coming)
        future.wait();
    return ok;
}
