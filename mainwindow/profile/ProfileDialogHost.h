#pragma once

// What the profile dialogs ask of the main window: the series and the
// spreadsheet table a profile field may take its value from, the objects of
// the sides, the three holder profiles they edit, the spreadsheet import and
// table windows, and the temp side on which a profile is previewed. The main
// window controller implements it.

#include "model/SKTGraphic.h"
#include "model/SheetColumns.h"

#include <QString>
#include <QStringList>

class CanvasHost;
class Data_From_Excel;
class Import_Excel;
class User_Profile_Class;

class ProfileDialogHost
{
public:
    // The window the card base of drawn sides comes from.
    virtual CanvasHost* canvasHost() = 0;
    // ---- the sources of values ----
    virtual QStringList Get_datasheet_File_Name_Array() const = 0;
    virtual QString Get_First_Value_Of_Dataset(const QString& name) const = 0;
    // The spreadsheet table's column titles, the row-number column first.
    virtual const QStringList& spreadsheetColumnTitles() const = 0;
    // Where the table's columns stood in their sheet.
    virtual const SheetColumns& spreadsheetSheetColumns() const = 0;
    virtual QString Get_First_Value_Of_Excel_Binding(int column) const = 0;
    // Whether the spreadsheet table holds rows.
    virtual bool spreadsheetTableLoaded() const = 0;
    // Why the table is not what the named workbook holds now; "" when it is.
    virtual QString spreadsheetSourceNote() const = 0;

    // ---- the sides and their profiles ----
    virtual GraphicList Get_Front_Controls_Array() const = 0;
    virtual GraphicList Get_Back_Controls_Array() const = 0;
    virtual GraphicList Get_Temp_Controls_Array() const = 0;
    virtual User_Profile_Class& frontUserProfile() = 0;
    virtual User_Profile_Class& backUserProfile() = 0;
    virtual User_Profile_Class& tempUserProfile() = 0;
    // Copies of the current side's objects on the temp side, and the temp
    // profile placed there.
    virtual void Temp_Design_Control_Assign_Copies() = 0;
    virtual void Fill_User_profile_info_TEMP_side() = 0;

    // ---- other windows ----
    virtual Import_Excel* importExcelWindow() const = 0;
    virtual Data_From_Excel* excelTableWindow() const = 0;
    // After an import into the table: the objects that kept their column's
    // place, named in one message.
    virtual void tellColumnsNotFollowed() = 0;
    virtual void Batch_Series_Button() = 0;

protected:
    ~ProfileDialogHost() = default;
};
