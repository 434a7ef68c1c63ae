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

void setCardFrontOrBack(int side)
{
    Card_Front_Or_Back = side;
}

void setCardShape(int shape)
{
    Card_Shape = shape;
}

void setCardTwoSided(bool twoSided)
{
    CARD_SIDE_STR = twoSided ? QStringLiteral("2") : QStringLiteral("1");
}

void setCardValueInProcess(bool inProcess)
{
    Card_Value_In_Process = inProcess;
}

void setNotDrawOnlyPropChange(bool quiet)
{
    Not_Draw_Only_Prop_Change = quiet;
}

void setLastCtrlPosition(double x, double y)
{
    last_ctrl_X = x;
    last_ctrl_Y = y;
}

void setLibrarySelectedImage(const QString& path)
{
    Library_Selected_Image = path;
}

void setLibWindowSelFile(const QString& path)
{
    lib_window_sel_file = path;
}

void setAllTextFont(const FontSpec& font)
{
    All_Text_font = font;
}

void setAllTextColour(const Colour& colour)
{
    All_Text_clr = colour;
}
