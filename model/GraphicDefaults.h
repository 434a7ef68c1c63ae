#pragma once

#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>

// What a new card object takes from the program's current settings rather
// than from fixed defaults: the text font and colour of the card settings
// panel (`All_Text_font`, `All_Text_clr`) and the placeholder picture of the
// resource folder. Only the GUI thread changes those settings, so only it
// reads them (current()); work on another thread that makes card objects,
// such as reading a design file, is handed a value taken before it starts.
struct GraphicDefaults
{
    FontSpec textFont;
    Colour textColour;
    QString placeholderPath;

    // The settings as they are now. GUI thread only.
    static GraphicDefaults current();
};
