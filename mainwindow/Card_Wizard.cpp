#include "mainwindow/Card_Wizard.h"

#include "app/MessageBoxes.h"
#include "app/UnitConversions.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/Globals.h"
#include "mainwindow/WizardHost.h"
#include "model/Globals.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Card_Wizard::Card_Wizard(WizardHost* controller, QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Card_Wizard"), tr("Card Size Wizard")), m_controller(controller)
{
    wzrd_Window = this;

    auto* shapeBox = new QGroupBox(tr("Card shape"), this);
    card_shape_rect = new QRadioButton(tr("Rectangle"), shapeBox);
    card_shape_rect->setObjectName(QStringLiteral("card_shape_rect"));
    card_shape_rounded = new QRadioButton(tr("Rounded rectangle"), shapeBox);
    card_shape_rounded->setObjectName(QStringLiteral("card_shape_rounded"));
    card_shape_oval = new QRadioButton(tr("Oval"), shapeBox);
    card_shape_oval->setObjectName(QStringLiteral("card_shape_oval"));
    card_shape = new QButtonGroup(this);
    card_shape->addButton(card_shape_rect, 0);
    card_shape->addButton(card_shape_rounded, 1);
    card_shape->addButton(card_shape_oval, 2);
    auto* shapes = new QVBoxLayout(shapeBox);
    for (QRadioButton* row : {card_shape_rect, card_shape_rounded, card_shape_oval})
        shapes->addWidget(row);
    shapes->addStretch(1);

    Sides_ComboBox = new QComboBox(this);
    Sides_ComboBox->setObjectName(QStringLiteral("Sides_ComboBox"));
    Sides_ComboBox->addItems({tr("Two sides"), tr("One side")});
    sizes = new CardSizeChooser(controller, this);
    sizes->setObjectName(QStringLiteral("sizes"));
    profile_btn = namedButton(tr("Holder Profile..."), QStringLiteral("profile_btn"));

    connect(card_shape, &QButtonGroup::idClicked, this, &Card_Wizard::card_shape_CellClick);
    connect(profile_btn, &QPushButton::clicked, this, &Card_Wizard::User_Profile_Click);

    auto* left = new QVBoxLayout;
    left->addWidget(shapeBox);
    auto* sides = new QFormLayout;
    sides->addRow(tr("Sides:"), Sides_ComboBox);
    left->addLayout(sides);
    left->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(sizes, 1);
    auto* buttons = okCancelRow({ok_btn, QStringLiteral("ok_btn"), [this] { OK_Click(); }},
                                {cancel_btn, QStringLiteral("cancel_btn"), [this] { CancelClick(); }}, {profile_btn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(620, 420);
}

Card_Wizard::~Card_Wizard()
{
    if (wzrd_Window == this)
        wzrd_Window = nullptr;
}

int Card_Wizard::Open_Wnd()
{
    return runGuarded([this] {
        card_shape_rect->setChecked(true);
        Sides_ComboBox->setCurrentIndex(0);
        sizes->reset();
        profile_btn->setEnabled(m_controller && m_controller->profileWizardForm());
        setResult(0);
        return runModal();
    });
}

void Card_Wizard::OK_Click()
{
    const QSizeF millimetres = sizes->millimetres();
    const QSizeF points(MM_to_Points_Convert(static_cast<float>(millimetres.width())),
                        MM_to_Points_Convert(static_cast<float>(millimetres.height())));
    if (m_controller) {
        m_controller->Set_Document_Size(points);
        m_controller->SetDocumentCanvasSize(points);
    }
    done(1);
}

void Card_Wizard::CancelClick()
{
    setCardShape(0);
    done(0);
}

void Card_Wizard::reject()
{
    CancelClick();
}

void Card_Wizard::card_shape_CellClick()
{
    const int row = card_shape->checkedId();
    setCardShape(row < 0 ? 0 : row);
}

void Card_Wizard::User_Profile_Click()
{
    // The profile dialog's wizard form, on no card side.
    if (m_controller)
        m_controller->Open_User_Profile_Window(false, QString(""));
}
