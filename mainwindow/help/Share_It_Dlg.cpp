#include "mainwindow/help/Share_It_Dlg.h"

#include "mainwindow/help/HelpLinksHost.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Share_It_Dlg::Share_It_Dlg(HelpLinksHost& controller, QWidget* parent) : LinkDialog(parent), m_controller(controller)
{
    setObjectName(QStringLiteral("Share_It_Dlg"));
    setWindowTitle(tr("Share Brightfold"));

    auto* heading = makeHeading(tr("Like Brightfold? Tell your friends."), 3);
    auto* text = new QLabel(tr("Share the Brightfold web site with the people you know, or share it and get "
                               "Brightfold free."),
                            this);
    text->setWordWrap(true);

    auto make = [this](const QString& title, const char* name) {
        auto* button = new QPushButton(title, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    Gplus_btn = make(tr("Share on Google+"), "Gplus_btn");
    Facebook_btn = make(tr("Share on Facebook"), "Facebook_btn");
    Twitter_btn = make(tr("Share on Twitter"), "Twitter_btn");
    FB_Like_btn = make(tr("Like on Facebook"), "FB_Like_btn");
    Go_Share_It_btn = make(tr("Share It and Get It Free"), "Go_Share_It_btn");
    OK_btn = make(tr("OK"), "OK_btn");
    OK_btn->setDefault(true);
    connect(Gplus_btn, &QPushButton::clicked, this, &Share_It_Dlg::Gplus_Clicked);
    connect(Facebook_btn, &QPushButton::clicked, this, &Share_It_Dlg::Facebook_Clicked);
    connect(Twitter_btn, &QPushButton::clicked, this, &Share_It_Dlg::Twitter_Clicked);
    connect(FB_Like_btn, &QPushButton::clicked, this, &Share_It_Dlg::FB_Like_Clicked);
    connect(Go_Share_It_btn, &QPushButton::clicked, this, &Share_It_Dlg::Go_Share_It_Pressed);
    connect(OK_btn, &QPushButton::clicked, this, &Share_It_Dlg::OK_Pressed);

    auto* grid = new QGridLayout;
    grid->addWidget(Gplus_btn, 0, 0);
    grid->addWidget(Facebook_btn, 0, 1);
    grid->addWidget(Twitter_btn, 1, 0);
    grid->addWidget(FB_Like_btn, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Go_Share_It_btn);
    buttons->addStretch(1);
    buttons->addWidget(OK_btn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(400);
}

void Share_It_Dlg::OK_Pressed()
{
    done(1);
}

void Share_It_Dlg::Gplus_Clicked()
{
    m_controller.Open_Google_Plus();
}

void Share_It_Dlg::Facebook_Clicked()
{
    m_controller.Open_FaceBook();
}

void Share_It_Dlg::Twitter_Clicked()
{
    m_controller.Open_Twitter();
}

void Share_It_Dlg::FB_Like_Clicked()
{
    m_controller.Open_FB_Like();
}

void Share_It_Dlg::Go_Share_It_Pressed()
{
    m_controller.Open_Share_It_And_Get_It_Free();
}
