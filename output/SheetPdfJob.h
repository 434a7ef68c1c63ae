#pragma once

#include "output/SheetPainter.h"

#include <QString>

// A whole print job written as one PDF file: one page of the sheet's paper
// per sheet, every card drawn by SheetPainter. The file is replaced only
// when the whole job was written; a failed job leaves the old file as it was.
class SheetPdfJob
{
public:
    struct Result
    {
        bool ok = false;
        // Why the job failed; empty on success.
        QString message;
        int pages = 0;
    };

    // Resolution of the PDF writer's device; the drawing itself is in points.
    static constexpr int resolution = 1200;

    // A job of no card is refused with SheetPagination::emptyJobMessage().
    static Result print(const SheetLayout& layout, const SheetPagination& pagination,
                        SheetPainter::SideSource source, const QString& path,
                        const QString& title = QString());
};
