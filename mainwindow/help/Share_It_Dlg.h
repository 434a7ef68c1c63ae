#pragma once

// The share window: buttons that share (or like) the maker's site on social
// services, and the page on which sharing the program earns it free. The
// Help menu's "Share Brightfold..." opens it.

#include "mainwindow/help/LinkDialog.h"

class QPushButton;
class HelpLinksHost;

class Share_It_Dlg : public LinkDialog
{
    Q_OBJECT

public:
    explicit Share_It_Dlg(HelpLinksHost& controller, QWidget* parent = nullptr);

    // Ends the run with 1.
    void OK_Pressed();
    void Gplus_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    // Opens the page on which sharing the program earns it free.
    void Go_Share_It_Pressed();

    QPushButton* Gplus_btn = nullptr;
    QPushButton* Facebook_btn = nullptr;
    QPushButton* Twitter_btn = nullptr;
    QPushButton* FB_Like_btn = nullptr;
    QPushButton* Go_Share_It_btn = nullptr;
    QPushButton* OK_btn = nullptr;

private:
    HelpLinksHost& m_controller;
};
