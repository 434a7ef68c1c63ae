#pragma once

#include <QPageSize>
#include <QStringList>

// The printers the print window offers. The system's catalog asks the print
// system (CUPS) each time; tests install a catalog of their own.
class PrinterCatalog
{
public:
    virtual ~PrinterCatalog() = default;

    // The names of the installed printers in the print system's order; empty
    // when there is none or the print system cannot be reached.
    virtual QStringList printerNames() const = 0;
    // The paper the printer `name` uses when the user chooses none; invalid
    // when the print system does not say.
    virtual QPageSize defaultPaper(const QString& name) const
    {
        Q_UNUSED(name);
        return QPageSize();
    }
    // False when the print system says that the printer `name` refuses
    // jobs now (its queue set to reject them); true when it takes them or
    // the print system does not say.
    virtual bool acceptsJobs(const QString& name) const
    {
        Q_UNUSED(name);
        return true;
    }

    // The print system's printers.
    static const PrinterCatalog& system();
};
