#pragma once

// Program-wide values of the main window: the choices of the start wizard
// and the names of the window's notifications. The values of the lower
// layers live in their own Globals.h (app, model, barcodes, data, profiles,
// output).

#include <QString>

class Barcode_Gen;
class Card_Wizard;
class Invitation_Wizard;
class Print_Wnd;
class Template_Wizard;

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

// The windows that exist once, each set when its window is made (null
// before, and again once it is gone).
extern Invitation_Wizard* inv_wzrd_Window;
extern Template_Wizard* temp_wzrd_Window;
extern Card_Wizard* wzrd_Window;
extern Barcode_Gen* Barcode_Gen_Var;
extern Print_Wnd* Print_Var;

// templates
// the name last confirmed in the template name dialog
extern QString export_template_name;
// counts the user-template pictures shown, so each gets an identifier of its own
extern unsigned long long User_Defined_File;

// internal
extern const QString SKTSelectedToolDidChangeNotification;
extern const QString SKTWindowControllerCanvasSizeObservationContext;

// Code outside mainwindow (tools) sets the start wizard's choice through this
// function; only mainwindow writes these values directly.
void setStartCardOption(const QString& option);
