#pragma once

// What the data-source panel asks of the main window beyond every panel's
// host: its help, the picture update a picture's new source needs, and
// redrawing the canvas.

#include "mainwindow/inspector/InspectorHost.h"

class DataSourcePanelHost : public virtual InspectorHost
{
public:
    virtual void Data_Source_Help_Button() = 0;
    virtual void Update_Image_Graphics() = 0;
    virtual void Refresh_Canvas() = 0;

protected:
    ~DataSourcePanelHost() = default;
};
