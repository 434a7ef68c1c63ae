#include "platform/PrintOperation.h"

#include "platform/AtomicFile.h"
#include "platform/PdfFileCheck.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>

const QString PrintOperation::outputFileNameSetting = QStringLiteral("outputFileName");
const QString PrintOperation::printerNameSetting = QStringLiteral("printerName");

namespace {
constexpr double pointsPerInch = 72.0;
}

PrintOperation::PrintOperation(const QSizeF& viewSize, DrawView drawView, const QPageLayout& printInfo,
                               const QString& jobTitle)
    : m_viewSize(viewSize), m_drawView(std::move(drawView)), m_printInfo(printInfo), m_jobTitle(jobTitle)
{
}

void PrintOperation::addPrintSettings(const QVariantMap& settings)
{
    for (auto it = settings.constBegin(); it != settings.constEnd(); ++it)
        m_printSettings.insert(it.key(), it.value());
}

bool PrintOperation::fail(const QString& reason)
{
    m_errorString = reason;
    return false;
}

bool PrintOperation::runOperation()
{
    QPrinter printer(QPrinter::HighResolution);
    const QString outputFile = m_printSettings.value(outputFileNameSetting).toString();
    if (!outputFile.isEmpty()) {
        // The PDF replaces the file only when it came out whole.
        AtomicFile file(outputFile);
        if (!file.open())
            return fail(file.errorString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.temporaryName());
        if (!runOperation(printer))
            return false;
        if (!PdfFileCheck::isWhole(file.temporaryName()))
            return fail(QStringLiteral("The PDF file could not be written whole."));
        if (!file.commit())
            return fail(file.errorString());
        return true;
    }
    const QString printerName = m_printSettings.value(printerNameSetting).toString();
    if (!printerName.isEmpty())
        printer.setPrinterName(printerName);
    if (!printer.isValid())
        return fail(QStringLiteral("The printer is not available."));
    return runOperation(printer);
}

bool PrintOperation::runOperation(QPrinter& printer)
{
    m_errorString.clear();
    const double w = m_viewSize.width();
    const double h = m_viewSize.height();
    if (!(std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0))
        return fail(QStringLiteral("There is nothing to print."));
    if (!m_drawView)
        return fail(QStringLiteral("There is nothing to print."));

    printer.setFullPage(false);
    if (m_printInfo.isValid() && !printer.setPageLayout(m_printInfo))
        return fail(QStringLiteral("The printer does not take the page set-up."));
    printer.setDocName(m_jobTitle);

    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("The printer could not be started."));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    // Painter units become points; the origin is the printable area's corner.
    const double scale = printer.resolution() / pointsPerInch;
    painter.scale(scale, scale);
    const QRectF rect(0, 0, w, h);
    painter.setClipRect(rect);
    const bool drawn = m_drawView(painter, rect);
    if (!drawn) {
        printer.abort();
        painter.end();
        return fail(QStringLiteral("The card could not be drawn."));
    }
    if (!painter.end())
        return fail(QStringLiteral("The pages could not be printed."));
    return true;
}
