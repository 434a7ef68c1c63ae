#pragma once

// What the signature panel shows: the values of its controls, without the
// controls.

#include "mainwindow/inspector/PanelBorder.h"

#include <QString>

struct SignaturePanelState
{
    int printObject = 0;   // the print check box under the inspector
    PanelBorder border;
    QString path;          // the signature's path text view

    bool operator==(const SignaturePanelState&) const = default;
};
