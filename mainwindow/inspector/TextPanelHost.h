#pragma once

// What the text panel asks of the main window beyond every panel's host:
// the text font, which the panel shows and its font chooser sets.

#include "mainwindow/inspector/InspectorHost.h"

class FontSpec;

class TextPanelHost : public virtual InspectorHost
{
public:
    virtual FontSpec& textFont() = 0;

protected:
    ~TextPanelHost() = default;
};
