#include "output/SheetPdfJob.h"

#include "platform/AtomicFile.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

SheetPdfJob::Result SheetPdfJob::print(const SheetLayout& layout, const SheetPagination& pagination,
                                       SheetPainter::SideSource source, const QString& path,
                                       const QString& title)
{
    Result result;
    if (pagination.isEmpty()) {
        result.message = SheetPagination::emptyJobMessage();
        return result;
    }
    const QSizeF sheet = layout.sheetSize();
    if (sheet.isEmpty()) {
        result.message = QStringLiteral("The paper has no size.");
        return result;
    }
    AtomicFile file(path);
    if (!file.open()) {
        result.message = file.errorString();
        return result;
    }
    const int pages = pagination.pageCount();
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setResolution(resolution);
        // the sheet as it lies, its top-left corner the painter's origin
        writer.setPageLayout(QPageLayout(QPageSize(sheet, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.message = QStringLiteral("The PDF file could not be started.");
            file.discard();
            return result;
        }
        painter.scale(resolution / 72.0, resolution / 72.0);
        SheetPainter sheets(layout, pagination, std::move(source));
        drawn = sheets.paintPages(painter, 1, pages, [&writer] { return writer.newPage(); });
        drawn = painter.end() && drawn;
    }
    if (!drawn) {
        file.discard();
        result.message = QStringLiteral("A card could not be drawn.");
        return result;
    }
    if (!file.commit()) {
        result.message = file.errorString();
        return result;
    }
    result.ok = true;
    result.pages = pages;
    return result;
}
