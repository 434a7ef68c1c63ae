#pragma once

// The main window's actions of the picture panel's controls.

#include "mainwindow/inspector/InspectorHost.h"

class PicturePanelHost : public virtual InspectorHost
{
public:
    // the effect check boxes
    virtual void Image_Gray_Scale_Chked() = 0;
    virtual void Image_Sepia_Chked() = 0;
    virtual void Image_Invert_Chked() = 0;
    virtual void Image_FIV_Chked() = 0;
    virtual void Image_FIH_Chked() = 0;
    // the sliders
    virtual void Transperncy_Slider_Changed() = 0;
    virtual void Rotate_Slider_Changed() = 0;
    virtual void Hue_Slider_Changed() = 0;
    virtual void Sat_Slider_Changed() = 0;
    virtual void Brt_Slider_Changed() = 0;
    virtual void Con_Slider_Changed() = 0;
    virtual void sharp_Slider_Changed() = 0;
    virtual void EV_Slider_Changed() = 0;
    virtual void Blr_Slider_Changed() = 0;
    // the border, the reset and the picture's source
    virtual void Image_Border_ChkBox() = 0;
    virtual void Image_Border_Changed() = 0;
    virtual void Set_ImageControl_Clr() = 0;
    virtual void Update_Image_Graphics() = 0;
    virtual void Image_reset_Button() = 0;
    virtual void Manual_Image_Browse_Btn() = 0;
    virtual void Manual_Library_Browse_Btn() = 0;

protected:
    ~PicturePanelHost() = default;
};
