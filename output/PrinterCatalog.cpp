#include "output/PrinterCatalog.h"

#include <QPrinterInfo>

namespace {

class SystemPrinterCatalog final : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
};

} // namespace

const PrinterCatalog& PrinterCatalog::system()
{
    static const SystemPrinterCatalog catalog;
    return catalog;
}
