#include "mainwindow/profile/User_profile.h"

namespace {
User_profile* s_defaultInstance = nullptr;
}

User_profile::User_profile(ProfileDialogHost* controller, QWidget* parent) : ProfileDialogBase(controller, true, parent)
{
    setObjectName(QStringLiteral("User_profile"));
    setWindowTitle(QStringLiteral("User Profile Information"));
    s_defaultInstance = this;
}

User_profile::~User_profile()
{
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
}

User_profile* User_profile::defaultInstance()
{
    return s_defaultInstance;
}
