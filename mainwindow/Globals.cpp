#include "mainwindow/Globals.h"

MainWindowHooks* Main_App_wnd = nullptr;
QString Resource_Path;
QString Data_Folder_Path;
QString design_file_EXT = QStringLiteral("fcard");
QString batch_file_EXT = QStringLiteral("txt");
QString Project_File_Name;

std::atomic<int> Card_Front_Or_Back {0};
int Card_Shape = 0;
QString CARD_SIDE_STR;
std::atomic<bool> Card_Value_In_Process {false};
bool Not_Draw_Only_Prop_Change = false;
double last_ctrl_X = 10.0;
double last_ctrl_Y = 10.0;
QString Library_Selected_Image;
QString lib_window_sel_file;
QString Text_Ctrl_Font = QStringLiteral("Times New Roman");
Picture Barcode_output_image;

FontSpec All_Text_font(QStringLiteral("Times New Roman"), 14);
Colour All_Text_clr = Colour::black();

QString Start_Card_Option = QStringLiteral("T");
QString Invite_Title;
QString Invite_Message;
QString Invite_From;
QString Invite_To;
QString Invite_Venue;
QString Invite_Date;
QString Invite_Time;
QString Invite_BG_IMG;
QString Selected_Template_Path;

QString Cutom_Msg_Title;
QString Cutom_Msg_Val;
bool Msg_Apply_All_Chk = false;
std::atomic<bool> Stop_SMS_Sending_Now {false};
QString Export_File_Path;
QString Export_File_Message;
std::atomic<int> yes_no_msg_val {0};

bool Use_Data_Sheet_Values = false;
bool Use_Excel_Binding_Values = false;
int Total_Batch_Excel_Card = 0;
int Data_table_rows = 0;
int Excel_table_rows = 0;
int Excel_Sheet_Number = 0;
int Excel_Sheet_Columns = 0;
QString Custom_Msg_Title;
QString Custom_Msg_Val;

bool Excel_Binding_Use = false;
QString Excel_Source_Path;
bool Fill_User_Profile = false;
QString Title_Name = QStringLiteral("Name :");
QString Title_Title = QStringLiteral("Position / Title :");
QString Title_Company_name = QStringLiteral("Company Name :");
QString Title_slogan = QStringLiteral("Company Slogan :");
QString Title_address = QStringLiteral("Address :");
QString Title_phone = QStringLiteral("Phone No. :");
QString Title_fax = QStringLiteral("Fax No. :");
QString Title_email = QStringLiteral("Email Id :");
QString Title_website = QStringLiteral("Website :");
QString Title_unique = QStringLiteral("Unique No. :");
QString Title_image = QStringLiteral("Photo :");

QString export_card_side;
std::atomic<int> list_count {0};
std::atomic<double> curr_barcode_count {0.0};
QString curr_msg_count;
QString sender_email;
QString sender_pwd;
QString sending_server;
QString sending_port;
QString send_enable_ssl;
const QString unable_saving_Msg = QStringLiteral(
    "Unable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or there is no free "
    "space available in drive to save barcode image.");

int USED_DPI_VALUE = 600;
int Measument_Unit_Is = 0;
int Barcode_module_size = 1;
int QR_EC_Level_Val = 0;
int QR_Version_Val = 0;
int QR_Enc_Mode_Val = 0;
int PDF_Row = 0;
int PDF_Col = 3;
int last_unit_val = 0;

const QString SKTSelectedToolDidChangeNotification = QStringLiteral("SKTSelectedToolDidChange");
const QString SKTWindowControllerCanvasSizeObservationContext =
    QStringLiteral("com.veskworks.SKTWindowController.canvasSize");
