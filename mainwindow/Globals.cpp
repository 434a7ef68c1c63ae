#include "mainwindow/Globals.h"

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
Invitation_Wizard* inv_wzrd_Window = nullptr;
Template_Wizard* temp_wzrd_Window = nullptr;
Card_Wizard* wzrd_Window = nullptr;
Barcode_Gen* Barcode_Gen_Var = nullptr;
Print_Wnd* Print_Var = nullptr;
QString export_template_name;
unsigned long long User_Defined_File = 0;

const QString SKTSelectedToolDidChangeNotification = QStringLiteral("SKTSelectedToolDidChange");
const QString SKTWindowControllerCanvasSizeObservationContext =
    QStringLiteral("com.veskworks.SKTWindowController.canvasSize");

void setStartCardOption(const QString& option)
{
    Start_Card_Option = option;
}
