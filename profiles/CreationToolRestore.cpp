#include "profiles/CreationToolRestore.h"

#include "app/Globals.h"
#include "app/MainWindowHooks.h"
#include "model/Globals.h"

CreationToolRestore::CreationToolRestore()
    : m_tool(Main_App_wnd ? Main_App_wnd->Selected_Control_Tool : 0), m_picture(Library_Selected_Image)
{
}

CreationToolRestore::~CreationToolRestore()
{
    if (Main_App_wnd)
        Main_App_wnd->Selected_Control_Tool = m_tool;
    setLibrarySelectedImage(m_picture);
}
