#pragma once

// What the picture panel shows: the values of its controls, without the
// controls. PicturePanelRules reads it from a picture object and writes it
// into the selected objects.

#include "mainwindow/inspector/PanelBorder.h"

#include <QString>

struct PicturePanelState
{
    int printObject = 0;   // the print check box under the inspector
    QString path;          // the path text view of the picture's source page
    PanelBorder border;

    bool grayScale = false;
    bool sepia = false;
    bool invert = false;
    bool flipVertical = false;
    bool flipHorizontal = false;

    // the sliders, each with its neutral value
    double transparency = 100;   // percent
    double rotation = 0;         // degrees
    double hue = 0;              // radians
    double saturation = 1;
    double brightness = 0;
    double contrast = 1;
    double sharpness = 0;
    double exposure = 0;         // stops
    double blur = 0;             // pixels

    bool operator==(const PicturePanelState&) const = default;
};
