#pragma once

// The profile dialog: the card holder's details for the front or the back
// side (the main window sets `load_side` to "F" or "B"), each row with a
// caption and a value box that make its caption and value editable.

#include "mainwindow/profile/ProfileDialogBase.h"

class Show_User_Profile : public ProfileDialogBase, public DefaultInstance<Show_User_Profile>
{
    Q_OBJECT

public:
    // Becomes the default instance and `Show_User_Profile_Window`.
    explicit Show_User_Profile(ProfileDialogHost* controller, QWidget* parent = nullptr);
    ~Show_User_Profile() override;
};

// The one profile dialog; null until it is made.
extern Show_User_Profile* Show_User_Profile_Window;
