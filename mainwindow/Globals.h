#pragma once

// Program-wide values defined with the main window controller. Other parts of
// the program read and write them directly. Values shared with worker threads
// (batch export, mail, printing) are atomic.

#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Picture.h"

#include <QString>
#include <atomic>

class MainWindowHooks;

// hub and paths
extern MainWindowHooks* Main_App_wnd;
extern QString Resource_Path;
extern QString Data_Folder_Path;
extern QString design_file_EXT;
extern QString batch_file_EXT;
extern QString Project_File_Name;

// current side and canvas
extern std::atomic<int> Card_Front_Or_Back;   // 0 front, 1 back
extern int Card_Shape;                        // 0 rectangle, 1 rounded rectangle, 2 oval
extern QString CARD_SIDE_STR;                 // "2" two-sided, "1" one-sided
extern std::atomic<bool> Card_Value_In_Process;
extern bool Not_Draw_Only_Prop_Change;
extern double last_ctrl_X;
extern double last_ctrl_Y;
extern QString Library_Selected_Image;
extern QString lib_window_sel_file;
extern QString Text_Ctrl_Font;
extern Picture Barcode_output_image;

// current text font and colour of new text objects (fields of the controller
// in the window; kept here so the card model can read them without a window)
extern FontSpec All_Text_font;
extern Colour All_Text_clr;

// start wizard
extern QString Start_Card_Option;
extern QString Invite_Title;
extern QString Invite_Message;
extern QString Invite_From;
extern QString Invite_To;
extern QString Invite_Venue;
extern QString Invite_Date;
extern QString Invite_Time;
extern QString Invite_BG_IMG;
extern QString Selected_Template_Path;

// shared dialogs
extern QString Cutom_Msg_Title;
extern QString Cutom_Msg_Val;
extern bool Msg_Apply_All_Chk;
extern std::atomic<bool> Stop_SMS_Sending_Now;
extern QString Export_File_Path;
extern QString Export_File_Message;
extern std::atomic<int> yes_no_msg_val;

// batch data
extern bool Use_Data_Sheet_Values;
extern bool Use_Excel_Binding_Values;
extern int Total_Batch_Excel_Card;
extern int Data_table_rows;
extern int Excel_table_rows;
extern int Excel_Sheet_Number;
extern int Excel_Sheet_Columns;
extern QString Custom_Msg_Title;
extern QString Custom_Msg_Val;

// profiles
extern bool Excel_Binding_Use;
extern QString Excel_Source_Path;
extern bool Fill_User_Profile;
extern QString Title_Name;
extern QString Title_Title;
extern QString Title_Company_name;
extern QString Title_slogan;
extern QString Title_address;
extern QString Title_phone;
extern QString Title_fax;
extern QString Title_email;
extern QString Title_website;
extern QString Title_unique;
extern QString Title_image;

// output
extern QString export_card_side;
extern std::atomic<int> list_count;
extern std::atomic<double> curr_barcode_count;
extern QString curr_msg_count;
extern QString sender_email;
extern QString sender_pwd;
extern QString sending_server;
extern QString sending_port;
extern QString send_enable_ssl;
extern const QString unable_saving_Msg;

// barcodes
extern int USED_DPI_VALUE;
extern int Measument_Unit_Is;
extern int Barcode_module_size;
extern int QR_EC_Level_Val;
extern int QR_Version_Val;
extern int QR_Enc_Mode_Val;
extern int PDF_Row;
extern int PDF_Col;
extern int last_unit_val;

// internal
extern const QString SKTSelectedToolDidChangeNotification;
extern const QString SKTWindowControllerCanvasSizeObservationContext;
