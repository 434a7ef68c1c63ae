#pragma once

// What the barcode panel asks of the main window beyond every panel's host:
// its settings button opens the barcode designer.

#include "mainwindow/inspector/InspectorHost.h"

class BarcodePanelHost : public virtual InspectorHost
{
public:
    virtual void View_barcode_prop_Button() = 0;

protected:
    ~BarcodePanelHost() = default;
};
