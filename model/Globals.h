#pragma once

// Program-wide values of the card being designed: the current side, the
// card's shape, where the next object goes and what new text objects look
// like. The card model, the canvas and the main window read and write them.

#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>
#include <atomic>

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
// the family of the default text font; never changed while the program
// runs, so any thread may read it
extern QString Text_Ctrl_Font;

// current text font and colour of new text objects (fields of the controller
// in the window; kept here so the card model can read them without a window).
// Written and read on the GUI thread only: work on another thread that makes
// card objects is handed them (model/GraphicDefaults.h).
extern FontSpec All_Text_font;
extern Colour All_Text_clr;

// Other layers change these values through these functions; only model
// writes them directly.
void setCardFrontOrBack(int side);
void setCardShape(int shape);
void setCardTwoSided(bool twoSided); // CARD_SIDE_STR "2" or "1"
void setCardValueInProcess(bool inProcess);
void setNotDrawOnlyPropChange(bool quiet);
void setLastCtrlPosition(double x, double y);
void setLibrarySelectedImage(const QString& path);
void setLibWindowSelFile(const QString& path);
void setAllTextFont(const FontSpec& font);
void setAllTextColour(const Colour& colour);
