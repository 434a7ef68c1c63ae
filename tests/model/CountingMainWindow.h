#pragma once

#include "FakeMainWindow.h"

// The stand-in main window, counting the resets of its picture controls.
class CountingMainWindow : public FakeMainWindow
{
public:
    void Reset_Image_Editing_Controls() override { ++resets; }
    int resets = 0;
};
