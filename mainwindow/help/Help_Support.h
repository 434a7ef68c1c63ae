#pragma once

// The help window: opens the help document and shows the maker's support,
// web and reseller links and the buttons that share the program on social
// services. The main window's Help button runs it.

#include "mainwindow/help/LinkDialog.h"

class QPushButton;
class HelpLinksHost;

class Help_Support : public LinkDialog
{
    Q_OBJECT

public:
    explicit Help_Support(HelpLinksHost& controller, QWidget* parent = nullptr);

    // Opens "Help.pdf" of the resource folder with the user's viewer, or
    // says "Help file does not exist!".
    void HelpFilePressed();
    void Gplus_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    void Get_It_Free_Clicked();
    // Opens the maker's page of user comments.
    void Social_Comments_Clicked();
    // Ends the run with 1.
    void Close_Clicked();

    QPushButton* _Help_File_Label = nullptr;
    QPushButton* support_id = nullptr;
    QPushButton* support_id_2 = nullptr;
    QPushButton* website_1 = nullptr;
    QPushButton* reseller_1 = nullptr;
    QPushButton* reseller_2 = nullptr;
    QPushButton* Gplus_btn = nullptr;
    QPushButton* Facebook_btn = nullptr;
    QPushButton* Twitter_btn = nullptr;
    QPushButton* FB_Like_btn = nullptr;
    QPushButton* Comments_btn = nullptr;
    QPushButton* Get_It_Free_btn = nullptr;
    QPushButton* Close_btn = nullptr;

private:
    HelpLinksHost& m_controller;
};
