#include "mainwindow/help/Review_Form.h"

#include "app/MakerLinks.h"
#include "app/MessageBoxes.h"
#include "mainwindow/help/HelpLinksHost.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Review_Form::Review_Form(HelpLinksHost& controller, QWidget* parent) : LinkDialog(parent)
{
    setObjectName(QStringLiteral("Review_Window"));
    setWindowTitle(tr("Thank you for using Brightfold"));

    auto* heading = makeHeading(tr("Thank you for using Brightfold!"), 4);
    auto* text = new QLabel(tr("Did Brightfold help you with your cards and badges? A few words about it help "
                               "others find it, and tell us what to make better."),
                            this);
    text->setWordWrap(true);

    website_1 = makeLinkButton(QStringLiteral("www.") + MakerLinks::domain(), QStringLiteral("website_1"), this);
    support_id = makeLinkButton(MakerLinks::supportAddress(), QStringLiteral("support_id"), this);
    connect(website_1, &QPushButton::clicked, this, [c = &controller] { c->Open_Website_1(); });
    connect(support_id, &QPushButton::clicked, this, [c = &controller] { c->Open_Support_Mail(); });

    Review_btn = namedButton(tr("Write a Review"), QStringLiteral("Review_btn"));
    Review_btn->setDefault(true);
    OK_btn = namedButton(tr("OK"), QStringLiteral("OK_btn"));
    OK_btn->setAutoDefault(false);
    connect(Review_btn, &QPushButton::clicked, this, &Review_Form::Review_Clicked);
    connect(OK_btn, &QPushButton::clicked, this, &Review_Form::OK_Clicked);

    auto* links = new QHBoxLayout;
    links->addWidget(website_1);
    links->addWidget(support_id);
    links->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Review_btn);
    buttons->addWidget(OK_btn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addLayout(links);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void Review_Form::OK_Clicked()
{
    Open_Link(MakerLinks::link(MakerLinks::Role::ReviewPage));
    done(1);
}

void Review_Form::Review_Clicked()
{
    Open_Link(MakerLinks::link(MakerLinks::Role::ReviewPage));
    done(1);
}

void Review_Form::Open_Link(const QUrl& link)
{
    MakerLinks::open(link);
}

int Review_Form::Open_Review_Form_Window()
{
    return runGuarded([this] { return runModal(); }, QStringLiteral("The review window failed."));
}
