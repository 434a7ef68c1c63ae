#include "model/QuietUpdate.h"

#include "model/Globals.h"

QuietUpdate::QuietUpdate(OnExit onExit) : m_after(onExit == OnExit::Restore && Not_Draw_Only_Prop_Change)
{
    Not_Draw_Only_Prop_Change = true;
}

QuietUpdate::~QuietUpdate()
{
    Not_Draw_Only_Prop_Change = m_after;
}
