#pragma once

#include "mainwindow/inspector/PicturePanelState.h"

#include <array>

class SKTGraphic;

// The rules of the picture panel, without a window.
class PicturePanelRules
{
public:
    // A slider of the panel: its control names, its range (containing its
    // neutral value) and the fields it shows and writes. A slider is an
    // integer control: its position is the value times `scale`.
    struct Slider
    {
        const char* name;       // the slider; its value field is name + "_val"
        const char* label;
        double PicturePanelState::*state;
        float SKTGraphic::*field;
        double minimum;
        double maximum;
        double neutral;
        int scale;
        int decimals;           // of the value field
    };
    // In the order of their actions: transparency, rotation, hue,
    // saturation, brightness, contrast, sharpness, exposure, blur.
    static const std::array<Slider, 9>& sliders();

    // A check box of the panel and the flag it shows and writes.
    struct Check
    {
        const char* name;
        const char* label;
        bool PicturePanelState::*state;
        bool SKTGraphic::*field;
    };
    // Grey scale, sepia, invert, flip vertically, flip horizontally.
    static const std::array<Check, 5>& checks();

    // The panel showing a picture object.
    static PicturePanelState fromGraphic(const SKTGraphic& graphic);
    // Writes the whole panel into one selected object: print flag, border,
    // line style, the five flags, the nine slider values and the path (the
    // path only: the picture is not loaded again).
    static void applyTo(const PicturePanelState& state, SKTGraphic& graphic, bool onlyOneSelected);
    // The sliders at their neutral values and the five check boxes off.
    static void resetAdjustments(PicturePanelState& state);
};
