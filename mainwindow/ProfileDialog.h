#pragma once

#include <QString>

// What the main window asks of a profile dialog (the profile dialog and its
// wizard form implement it; tests script it): the caller puts the side
// letter into `load_side` ("F" front, "B" back, empty: the wizard form's
// front-then-back commit), then runs the dialog modally with the load flag
// (YES: load the side's profile objects into the rows). The result is 1 for
// OK and 0 for Cancel.
struct ProfileDialog {
    virtual ~ProfileDialog() = default;
    virtual int Open_Wnd(bool load) = 0;

    QString load_side;
};
