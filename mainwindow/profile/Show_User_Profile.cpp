#include "mainwindow/profile/Show_User_Profile.h"

Show_User_Profile* Show_User_Profile_Window = nullptr;

namespace {
Show_User_Profile* s_defaultInstance = nullptr;
}

Show_User_Profile::Show_User_Profile(ProfileDialogHost* controller, QWidget* parent)
    : ProfileDialogBase(controller, false, parent)
{
    setObjectName(QStringLiteral("Show_User_Profile"));
    setWindowTitle(QStringLiteral("User Profile Information"));
    s_defaultInstance = this;
    Show_User_Profile_Window = this;
}

Show_User_Profile::~Show_User_Profile()
{
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
    if (Show_User_Profile_Window == this)
        Show_User_Profile_Window = nullptr;
}

Show_User_Profile* Show_User_Profile::defaultInstance()
{
    return s_defaultInstance;
}
