#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

#include <functional>

class QPainter;
class QPrinter;

// Prints one view: a drawing of a fixed size in points, laid on the page of
// a page set-up (the print information) under a job title. It runs where it
// is called and opens no dialog; the caller chooses the printer through the
// print settings, or hands it a printer already set up.
//
// The view is printed at its own size, one point to the point, with its
// top-left corner at the top-left of the page's printable area (inside the
// margins), on one page.
class PrintOperation
{
public:
    // Draws the part `rect` of the view (in view points) into `painter`;
    // false when the drawing failed.
    using DrawView = std::function<bool(QPainter& painter, const QRectF& rect)>;

    // Keys of the print settings. Other keys are kept but not used.
    // A file name: the pages go to that PDF file instead of a printer.
    static const QString outputFileNameSetting;   // "outputFileName"
    // The name of the printer to print on (the default printer when absent).
    static const QString printerNameSetting;      // "printerName"

    PrintOperation(const QSizeF& viewSize, DrawView drawView, const QPageLayout& printInfo,
                   const QString& jobTitle);

    QSizeF viewSize() const { return m_viewSize; }
    QString jobTitle() const { return m_jobTitle; }
    QPageLayout printInfo() const { return m_printInfo; }
    QVariantMap printSettings() const { return m_printSettings; }
    // Adds `settings` to the print settings (a key given again replaces its
    // value).
    void addPrintSettings(const QVariantMap& settings);

    // Prints on a printer set up from the print information and the print
    // settings. False, with the reason in errorString(), when the printer
    // cannot be used or the view fails to draw.
    bool runOperation();
    // Prints on `printer`, after giving it the page layout of the print
    // information and the job title.
    bool runOperation(QPrinter& printer);
    QString errorString() const { return m_errorString; }

private:
    bool fail(const QString& reason);

    QSizeF m_viewSize;
    DrawView m_drawView;
    QPageLayout m_printInfo;
    QString m_jobTitle;
    QVariantMap m_printSettings;
    QString m_errorString;
};
