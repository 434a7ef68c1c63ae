#pragma once

// The main window's actions of the signature panel's controls.

#include "mainwindow/inspector/InspectorHost.h"

class SignaturePanelHost : public virtual InspectorHost
{
public:
    virtual void Sign_Border_ChkBox() = 0;
    virtual void Sign_Border_Changed() = 0;
    virtual void Set_SignControl_Clr() = 0;
    virtual void Update_Sign_Graphics() = 0;
    virtual void Sign_Browse_Btn() = 0;

protected:
    ~SignaturePanelHost() = default;
};
