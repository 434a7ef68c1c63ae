#include "mainwindow/help/Promotion_Form.h"

#include "app/Globals.h"
#include "app/MakerLinks.h"
#include "app/MessageBoxes.h"
#include "mainwindow/help/HelpLinksHost.h"
#include "mainwindow/help/Promotion_Pattern.h"
#include "platform/Picture.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* textField(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}

Promotion_Form::Promotion_Form(HelpLinksHost& controller, const QString& appName, const QImage& pattern,
                               QWidget* parent)
    : LinkDialog(parent)
{
    setObjectName(QStringLiteral("Promotion_Form"));
    setWindowTitle(tr("More from the makers of Brightfold"));

    for (const QString& code : PromotedProducts::codes()) {
        const std::optional<PromotedProducts::Product> product = PromotedProducts::product(code, appName);
        if (!product)
            continue;
        m_products.insert(code, *product);
        m_pictures.insert(code, Picture::fromFile(Resource_Path + QLatin1Char('/') + product->pictureName).image());
    }

    bundle_image = new Promotion_Pattern(this);
    bundle_image->setObjectName(QStringLiteral("bundle_image"));
    bundle_image->setPattern(pattern);
    bundle_image->setFixedSize(200, 200);

    Software_title = textField("Software_title", this);
    QFont titleFont = Software_title->font();
    titleFont.setPointSize(titleFont.pointSize() + 5);
    titleFont.setBold(true);
    Software_title->setFont(titleFont);
    short_descp = textField("short_descp", this);
    QFont shortFont = short_descp->font();
    shortFont.setItalic(true);
    short_descp->setFont(shortFont);
    long_descp = textField("long_descp", this);

    Mail_btn = namedButton(tr("How to Use It (Mail)"), QStringLiteral("Mail_btn"));
    Contact_us_btn = namedButton(tr("Ask a Question"), QStringLiteral("Contact_us_btn"));
    Order_btn = namedButton(tr("Order Now"), QStringLiteral("Order_btn"));
    youtube_btn = namedButton(tr("Watch the Videos"), QStringLiteral("youtube_btn"));
    OK_btn = namedButton(tr("OK"), QStringLiteral("OK_btn"));
    OK_btn->setDefault(true);
    for (QPushButton* button : {Mail_btn, Contact_us_btn, Order_btn, youtube_btn})
        button->setAutoDefault(false);
    connect(Mail_btn, &QPushButton::clicked, this, &Promotion_Form::Mail_Clicked);
    connect(Contact_us_btn, &QPushButton::clicked, this, &Promotion_Form::Contact_us_Clicked);
    connect(Order_btn, &QPushButton::clicked, this, &Promotion_Form::Order_Clicked);
    connect(youtube_btn, &QPushButton::clicked, this, &Promotion_Form::youtube_Clicked);
    connect(OK_btn, &QPushButton::clicked, this, &Promotion_Form::OK_Clicked);

    website_1 = makeLinkButton(QStringLiteral("www.") + MakerLinks::domain(), QStringLiteral("website_1"), this);
    support_id = makeLinkButton(MakerLinks::supportAddress(), QStringLiteral("support_id"), this);
    connect(website_1, &QPushButton::clicked, this, [c = &controller] { c->Open_Website_1(); });
    connect(support_id, &QPushButton::clicked, this, [c = &controller] { c->Open_Support_Mail(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(Software_title);
    texts->addWidget(short_descp);
    texts->addSpacing(4);
    texts->addWidget(long_descp, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(bundle_image, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(Mail_btn);
    actions->addWidget(Contact_us_btn);
    actions->addWidget(Order_btn);
    actions->addWidget(youtube_btn);
    actions->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(website_1);
    bottom->addWidget(support_id);
    bottom->addStretch(1);
    bottom->addWidget(OK_btn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(actions);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    setMinimumWidth(620);
}

const PromotedProducts::Product* Promotion_Form::currentProduct() const
{
    const auto found = m_products.constFind(software_type);
    return found == m_products.constEnd() ? nullptr : &found.value();
}

int Promotion_Form::Open_Promotion_Window()
{
    return runGuarded(
        [this] {
            if (const PromotedProducts::Product* product = currentProduct()) {
                bundle_image->setImage(m_pictures.value(product->code));
                Software_title->setText(product->title);
                short_descp->setText(product->shortText);
                long_descp->setText(product->longText);
            }
            return runModal();
        },
        QStringLiteral("The promotion window failed."));
}

void Promotion_Form::OK_Clicked()
{
    done(1);
}

void Promotion_Form::Mail_Clicked()
{
    const PromotedProducts::Product* product = currentProduct();
    Open_Link(product ? product->howToMail : QUrl());
}

void Promotion_Form::Contact_us_Clicked()
{
    const PromotedProducts::Product* product = currentProduct();
    Open_Link(product ? product->contactMail : QUrl());
}

void Promotion_Form::Order_Clicked()
{
    const PromotedProducts::Product* product = currentProduct();
    Open_Link(product ? product->orderLink : QUrl());
}

void Promotion_Form::youtube_Clicked()
{
    Open_Link(MakerLinks::link(MakerLinks::Role::VideoChannel));
}

void Promotion_Form::Open_Link(const QUrl& link)
{
    MakerLinks::open(link);
}
