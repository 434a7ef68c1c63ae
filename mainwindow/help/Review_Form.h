#pragma once

// The window shown on Exit: thanks the user and asks for a review. Either
// button opens the maker's review page and ends the run with 1; closing
// the window opens nothing.

#include "mainwindow/help/LinkDialog.h"

#include <QUrl>

class QPushButton;
class HelpLinksHost;

class Review_Form : public LinkDialog, public DefaultInstance<Review_Form>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Review_Form(HelpLinksHost& controller, QWidget* parent = nullptr);

    void OK_Clicked();
    void Review_Clicked();
    // Hands the link to the desktop; a failure is logged.
    static void Open_Link(const QUrl& link);
    // Runs the window; its result, or 0 (logged) when the run failed.
    int Open_Review_Form_Window();

    QPushButton* website_1 = nullptr;
    QPushButton* support_id = nullptr;
    QPushButton* Review_btn = nullptr;
    QPushButton* OK_btn = nullptr;
};
