#pragma once

#include "output/SheetPainter.h"

#include <QString>

#include <atomic>
#include <functional>

// A whole print job written as one PDF file: one page of the sheet's paper
// per sheet, every card drawn by SheetPainter. The file is replaced only
// when the whole job was written; a failed job leaves the old file as it was.
//
// A job of many pages is cut into runs of pages in order, each written by
// a PDF writer of its own on its own thread into a temporary file, one run
// per core; the runs are then joined in order into the job's file, their
// streams copied as they were compressed. The reader sees the same pages
// as from one writer.
class SheetPdfJob
{
public:
    struct Result
    {
        bool ok = false;
        // Why the job failed; empty on success.
        QString message;
        // The pages of the file written; of a stopped job, the pages drawn
        // before it ended (none of them written).
        int pages = 0;
        // Stopped by `progress`, not failed.
        bool stopped = false;
        // The cards drawn, in page order, and those without a picture they
        // name; kept for a job that stopped or failed too.
        MissingPictures pictures;
    };

    struct Options
    {
        // Writers at once; 0: one per usable core, at most one per
        // `pagesPerWriter` pages.
        int writers = 0;
        // Called on the calling thread with the number of pages written so
        // far, over and over while the job runs and once all are; false
        // stops the job within about a page, which then fails with
        // stoppedMessage() and writes nothing.
        std::function<bool(int pages)> progress;
        // Set from any thread (a progress window's Stop) to stop the job as
        // `progress` does; every writer ends with the page it is drawing.
        const std::atomic<bool>* stop = nullptr;
    };

    // Resolution of the PDF writer's device; the drawing itself is in points.
    static constexpr int resolution = 1200;
    // Fewer pages than this to a writer cost more in joining than they save.
    static constexpr int pagesPerWriter = 4;

    // A job of no card is refused with SheetPagination::emptyJobMessage().
    static Result print(const SheetLayout& layout, const SheetPagination& pagination, SheetPainter::SideSource source,
                        const QString& path, const QString& title = QString());
    static Result print(const SheetLayout& layout, const SheetPagination& pagination, SheetPainter::SideSource source,
                        const QString& path, const QString& title, const Options& options);

    static QString stoppedMessage();
};
