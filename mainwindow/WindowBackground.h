#pragma once

// The light blue-grey background (RGB 241, 244, 250) of the main window and
// its small windows.

class QWidget;

class WindowBackground
{
public:
    // Gives `window` the background colour and lets it fill its background.
    static void apply(QWidget& window);
};
