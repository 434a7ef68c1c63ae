#pragma once

#include <QIcon>

// The pictures of the palette's tool buttons, drawn here: the shape tools
// show the figure the shape object draws, the other tools a small sign of
// their kind.
class ToolPaletteIcons
{
public:
    // The icon of a tool number; a null icon outside the palette.
    static QIcon iconForTool(int tool);
};
