#pragma once

// What the menu bar asks of the main window: its window commands, the
// canvas its canvas commands go to and the state its items show. The main
// window controller implements it.

#include "canvas/CanvasMenuValidation.h"
#include "mainwindow/WindowHandOffs.h"

struct ProfileDialog;
class SKTGraphicView;
class SKTGrid;

class MenuBarHost
{
public:
    // ---- the state the items show ----
    // The canvas the canvas commands go to (that of the side being edited).
    virtual SKTGraphicView* commandCanvas() const = 0;
    // The enabled state and title of a canvas command's item.
    virtual MenuItemState menuItemState(CanvasCommand command) = 0;
    virtual SKTGrid* grid() const = 0;
    // The current tool's number, 0 the arrow tool.
    virtual int selectedTool() const = 0;
    // Whether another part's window has set the call that opens it.
    virtual bool hasHandOff(WindowHandOffs::HandOff which) const = 0;
    virtual ProfileDialog* profileDialog() const = 0;

    // ---- File ----
    virtual void New_Btn_Clicked() = 0;
    virtual void Open_Btn_Clicked() = 0;
    virtual void Save_Btn_Clicked() = 0;
    virtual void SaveAs_Btn_Clicked() = 0;
    virtual void New_From_Template_Clicked() = 0;
    virtual void Card_Size_Wizard_Clicked() = 0;
    virtual void Start_Screen_Clicked() = 0;
    virtual void Print_Button() = 0;
    virtual void Mail_Button() = 0;
    virtual void Export_Button() = 0;
    virtual void Export_As_Template_Clicked() = 0;
    virtual void Batch_Series_Button() = 0;
    virtual void Import_Wizard_Button() = 0;
    virtual void Create_Series_Button() = 0;
    virtual bool Exit_App() = 0;

    // ---- Edit and Arrange ----
    virtual void Undo_Clicked() = 0;
    virtual void Redo_Clicked() = 0;
    virtual void Cut_Clicked() = 0;
    virtual void Copy_Clicked() = 0;
    virtual void Paste_Clicked() = 0;
    virtual void Delete_Clicked() = 0;
    virtual void User_Profile_Button_Clicked() = 0;
    virtual void Lock_Clicked() = 0;
    virtual void Unlock_Clicked() = 0;

    // ---- View and Tools ----
    virtual void Show_Hide_Ruler_ChkBox() = 0;
    virtual void toggleGridConstraining() = 0;
    virtual void toggleGridShowing() = 0;
    // Sets the current tool, as its palette button does.
    virtual void selectTool(int tool) = 0;

    // ---- Help ----
    virtual void Help_Button() = 0;
    virtual void Share_It_Button() = 0;
    virtual void Promotion_S_Button() = 0;
    virtual void Promotion_R_Button() = 0;
    virtual void Promotion_B_Button() = 0;
    virtual void About_Button() = 0;

protected:
    ~MenuBarHost() = default;
};
