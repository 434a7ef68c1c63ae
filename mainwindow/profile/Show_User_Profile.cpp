#include "mainwindow/profile/Show_User_Profile.h"

Show_User_Profile* Show_User_Profile_Window = nullptr;

Show_User_Profile::Show_User_Profile(ProfileDialogHost* controller, QWidget* parent)
    : ProfileDialogBase(controller, false, parent)
{
    setObjectName(QStringLiteral("Show_User_Profile"));
    setWindowTitle(QStringLiteral("User Profile Information"));
    Show_User_Profile_Window = this;
}

Show_User_Profile::~Show_User_Profile()
{
    if (Show_User_Profile_Window == this)
        Show_User_Profile_Window = nullptr;
}
