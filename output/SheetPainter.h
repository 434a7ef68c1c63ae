#pragma once

#include "canvas/SideSnapshot.h"
#include "output/MissingPictures.h"
#include "output/SheetLayout.h"
#include "output/SheetPagination.h"

#include <algorithm>
#include <functional>
#include <memory>

class QPainter;

// Draws the sheets of a print job onto any QPainter (printer, PDF writer,
// print preview, picture), each page from its page number alone, so a page
// drawn again comes out the same and pages may be asked for in any order.
//
// The painter's units must be points with the origin at the paper's top-left
// corner (scale a printer's painter by resolution / 72 and print full page).
//
// Cards come from a side source: a function giving the side snapshot of a
// record, bound and ready to draw (record -1: the card as designed). It runs
// on worker threads, as many at once as the process may use cores, ahead of
// the painter, and leaves each snapshot ready to draw (barcode rectangles,
// photos at print resolution); the pages are painted in order on the calling
// thread, which draws each snapshot it gets back (as vectors; pictures in
// it go into PDF output losslessly).
class SheetPainter
{
public:
    // side: 0 front, 1 back. Null when the record gives no picture of that
    // side. Called from several threads at once.
    using SideSource = std::function<std::shared_ptr<SideSnapshot>(int record, int side)>;
    // Writes record N into a side snapshot; "" when it went well, else the
    // reason (as SKTWindowController::bindRecordIntoSnapshot does).
    using RecordBinder = std::function<QString(SideSnapshot& snapshot, int record)>;

    // A source over the snapshots of the two sides taken on the GUI thread
    // (SKTWindowController::batchSideSnapshot): each call binds a record
    // into a copy of its own. A side whose snapshot has an empty card gives
    // no picture; a record that cannot be bound gives none either. Without
    // a binder every record is the card as designed.
    static SideSource snapshotSource(const SideSnapshot& front, const SideSnapshot& back, RecordBinder bind);

    SheetPainter(SheetLayout layout, SheetPagination pagination, SideSource source);

    const SheetLayout& layout() const { return m_layout; }
    const SheetPagination& pagination() const { return m_pagination; }

    // Draws page `page` (from 1): the sheet filled white, then each filled
    // cell's card. Returns false when a card failed to draw (the rest of
    // the page is still drawn).
    bool paintPage(QPainter& painter, int page);
    // Draws pages first..last in order, calling `newPage` before every page
    // but the first (false from it stops the job, which then fails); the
    // records of the coming cells are rendered on workers meanwhile.
    bool paintPages(QPainter& painter, int first, int last, const std::function<bool()>& newPage);

    // How many records are rendered ahead of the painter at most (by
    // default one per core); several painters at once share the cores.
    void setRenderedAhead(int records) { m_ahead = std::max(1, records); }

    // The cards drawn so far, one a cell, in painting order, and those of
    // them drawn without a picture they name.
    const MissingPictures& missingPictures() const { return m_pictures; }

    // The text drawn in a cell whose card has no picture at all.
    static QString invalidDataCaption();

private:
    struct Card
    {
        std::shared_ptr<SideSnapshot> front;
        std::shared_ptr<SideSnapshot> back;
    };
    Card render(int record) const;
    // The card as designed, rendered once and shared by every cell that has
    // no record picture of its own.
    const Card& designed();
    bool paintCell(QPainter& painter, const SheetPagination::Cell& cell, const Card& card);

    SheetLayout m_layout;
    SheetPagination m_pagination;
    SideSource m_source;
    std::unique_ptr<Card> m_designed;
    int m_ahead;
    MissingPictures m_pictures;
};
