#pragma once

// The wizard form of the profile dialog: the same rows without the caption
// and value boxes, a side chooser per row, and the template picture beside
// the side picture. Opened without a side (`load_side` empty), its OK
// commits the front profile, then the back profile.

#include "mainwindow/profile/ProfileDialogBase.h"

class User_profile : public ProfileDialogBase, public DefaultInstance<User_profile>
{
    Q_OBJECT

public:
    // Becomes the default instance.
    explicit User_profile(ProfileDialogHost* controller, QWidget* parent = nullptr);
};
