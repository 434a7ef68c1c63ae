#include "mainwindow/help/Help_Support.h"

#include "app/FileHelpers.h"
#include "app/MakerLinks.h"
#include "mainwindow/help/HelpLinksHost.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* plainButton(const QString& title, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch(1);
    return layout;
}

}

Help_Support::Help_Support(HelpLinksHost& controller, QWidget* parent) : LinkDialog(parent), m_controller(controller)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Brightfold Help"));

    auto* heading = makeHeading(tr("Brightfold Help"), 5);
    auto* intro = new QLabel(tr("The help document explains every part of Brightfold, from the first card to "
                                "printing a whole guest list."),
                             this);
    intro->setWordWrap(true);

    _Help_File_Label =
        makeLinkButton(tr("Open the help document (Help.pdf)"), QStringLiteral("_Help_File_Label"), this);
    connect(_Help_File_Label, &QPushButton::clicked, this, &Help_Support::HelpFilePressed);

    auto* contact = new QGroupBox(tr("Contact"), this);
    support_id = makeLinkButton(MakerLinks::supportAddress(), QStringLiteral("support_id"), contact);
    support_id_2 = makeLinkButton(tr("Support centre"), QStringLiteral("support_id_2"), contact);
    website_1 = makeLinkButton(QStringLiteral("www.") + MakerLinks::domain(), QStringLiteral("website_1"), contact);
    reseller_1 = makeLinkButton(MakerLinks::resellerAddress(), QStringLiteral("reseller_1"), contact);
    reseller_2 = makeLinkButton(tr("Reseller programme"), QStringLiteral("reseller_2"), contact);
    connect(support_id, &QPushButton::clicked, this, [this] { m_controller.Open_Support_Mail(); });
    connect(support_id_2, &QPushButton::clicked, this, [this] { m_controller.Open_Website_3(); });
    connect(website_1, &QPushButton::clicked, this, [this] { m_controller.Open_Website_1(); });
    connect(reseller_1, &QPushButton::clicked, this, [this] { m_controller.Open_Reseller_Mail(); });
    connect(reseller_2, &QPushButton::clicked, this, [this] { m_controller.Open_Website_2(); });
    auto* contactLayout = new QFormLayout(contact);
    contactLayout->addRow(tr("Support:"), row({support_id, support_id_2}));
    contactLayout->addRow(tr("Web site:"), row({website_1}));
    contactLayout->addRow(tr("Resellers:"), row({reseller_1, reseller_2}));

    auto* social = new QGroupBox(tr("Tell your friends"), this);
    Gplus_btn = plainButton(tr("Google+"), "Gplus_btn", social);
    Facebook_btn = plainButton(tr("Facebook"), "Facebook_btn", social);
    Twitter_btn = plainButton(tr("Twitter"), "Twitter_btn", social);
    FB_Like_btn = plainButton(tr("Like"), "FB_Like_btn", social);
    Comments_btn = plainButton(tr("Comments"), "Comments_btn", social);
    Get_It_Free_btn = plainButton(tr("Share and get it free"), "Get_It_Free_btn", social);
    connect(Gplus_btn, &QPushButton::clicked, this, &Help_Support::Gplus_Clicked);
    connect(Facebook_btn, &QPushButton::clicked, this, &Help_Support::Facebook_Clicked);
    connect(Twitter_btn, &QPushButton::clicked, this, &Help_Support::Twitter_Clicked);
    connect(FB_Like_btn, &QPushButton::clicked, this, &Help_Support::FB_Like_Clicked);
    connect(Comments_btn, &QPushButton::clicked, this, &Help_Support::Social_Comments_Clicked);
    connect(Get_It_Free_btn, &QPushButton::clicked, this, &Help_Support::Get_It_Free_Clicked);
    auto* socialLayout = new QVBoxLayout(social);
    socialLayout->addLayout(row({Gplus_btn, Facebook_btn, Twitter_btn, FB_Like_btn, Comments_btn}));
    socialLayout->addLayout(row({Get_It_Free_btn}));

    auto* buttons = new QDialogButtonBox(this);
    Close_btn = buttons->addButton(QDialogButtonBox::Close);
    Close_btn->setObjectName(QStringLiteral("Close_btn"));
    Close_btn->setDefault(true);
    connect(Close_btn, &QPushButton::clicked, this, &Help_Support::Close_Clicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(intro);
    layout->addWidget(_Help_File_Label, 0, Qt::AlignLeft);
    layout->addSpacing(6);
    layout->addWidget(contact);
    layout->addWidget(social);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

void Help_Support::HelpFilePressed()
{
    Open_Help_File();
}

void Help_Support::Gplus_Clicked()
{
    m_controller.Open_Google_Plus();
}

void Help_Support::Facebook_Clicked()
{
    m_controller.Open_FaceBook();
}

void Help_Support::Twitter_Clicked()
{
    m_controller.Open_Twitter();
}

void Help_Support::FB_Like_Clicked()
{
    m_controller.Open_FB_Like();
}

void Help_Support::Get_It_Free_Clicked()
{
    m_controller.Open_Share_It_And_Get_It_Free();
}

void Help_Support::Social_Comments_Clicked()
{
    m_controller.Open_Share_It_Dl();
}

void Help_Support::Close_Clicked()
{
    done(1);
}
