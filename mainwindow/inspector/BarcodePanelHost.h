#pragma once

// What the barcode panel asks of the main window beyond every panel's host:
// its settings button opens the barcode designer, and the series and
// columns a bound barcode takes its value from are the designer's.

#include "mainwindow/inspector/DataSourceLists.h"
#include "mainwindow/inspector/InspectorHost.h"

class BarcodePanelHost : public virtual InspectorHost
{
public:
    virtual void View_barcode_prop_Button() = 0;
    // The series and columns the barcode designer offers.
    virtual DataSourceLists barcodeDataSources() const = 0;

protected:
    ~BarcodePanelHost() = default;
};
