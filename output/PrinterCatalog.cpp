#include "output/PrinterCatalog.h"

#include <QPrinterInfo>

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
};

} // namespace

const PrinterCatalog& PrinterCatalog::system()
{
    static const SystemPrinterCatalog catalog;
    return catalog;
}
