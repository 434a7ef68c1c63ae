#include "mainwindow/profile/User_profile.h"

User_profile::User_profile(ProfileDialogHost* controller, QWidget* parent) : ProfileDialogBase(controller, true, parent)
{
    setObjectName(QStringLiteral("User_profile"));
    setWindowTitle(QStringLiteral("User Profile Information"));
}
