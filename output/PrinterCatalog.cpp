#include "output/PrinterCatalog.h"

#include <QPrinterInfo>

#include <cups/cups.h>

namespace {

class SystemPrinterCatalog final : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
    QPageSize defaultPaper(const QString& name) const override
    {
        const QPrinterInfo printer = QPrinterInfo::printerInfo(name);
        return printer.isNull() ? QPageSize() : printer.defaultPageSize();
    }
    bool acceptsJobs(const QString& name) const override
    {
        // "queue/instance": the queue's own state counts
        const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const QByteArray instance = name.section(QLatin1Char('/'), 1).toLocal8Bit();
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                             instance.isEmpty() ? nullptr : instance.constData());
        if (!dest)
            return true;
        const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
        const bool refuses = accepting && (qstrcmp(accepting, "false") == 0 || qstrcmp(accepting, "0") == 0);
        cupsFreeDests(1, dest);
        return !refuses;
    }
};

} // namespace

const PrinterCatalog& PrinterCatalog::system()
{
    static const SystemPrinterCatalog catalog;
    return catalog;
}
