#include "model/Globals.h"

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

FontSpec All_Text_font(QStringLiteral("Times New Roman"), 14);
Colour All_Text_clr = Colour::black();
