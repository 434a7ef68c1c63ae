#include "mainwindow/Grid_Wizard.h"

#include "mainwindow/ColorWell.h"
#include "mainwindow/WindowBackground.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

Grid_Wizard* s_defaultInstance = nullptr;
Grid_Wizard::ModalRun s_modalRun;

}

Grid_Wizard::Grid_Wizard(QWidget* parent) : QDialog(parent)
{
    s_defaultInstance = this;
    setObjectName(QStringLiteral("Grid_Wizard"));
    setWindowTitle(tr("Grid"));
    setModal(true);
    WindowBackground::apply(*this);

    Show_hide_grid_chk = new QCheckBox(tr("Show grid"), this);
    Show_hide_grid_chk->setObjectName(QStringLiteral("Show_hide_grid_chk"));

    Grid_Opt_box = new QGroupBox(tr("Grid options"), this);
    Grid_Opt_box->setObjectName(QStringLiteral("Grid_Opt_box"));
    Grid_clr = new ColorWell(Grid_Opt_box);
    Grid_clr->setObjectName(QStringLiteral("Grid_clr"));
    Grid_Space_slidr = new QSlider(Qt::Horizontal, Grid_Opt_box);
    Grid_Space_slidr->setObjectName(QStringLiteral("Grid_Space_slidr"));
    Grid_Space_slidr->setRange(minimumSpacing, maximumSpacing);
    Grid_Space_slidr->setPageStep(9);
    Grid_Space_slidr->setTickPosition(QSlider::TicksBelow);
    Grid_Space_slidr->setTickInterval(9);
    m_spacingValue = new QLabel(Grid_Opt_box);
    m_spacingValue->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00 pt")));
    connect(Grid_Space_slidr, &QSlider::valueChanged, this, &Grid_Wizard::showSpacing);

    auto* spacingRow = new QHBoxLayout;
    spacingRow->addWidget(Grid_Space_slidr, 1);
    spacingRow->addWidget(m_spacingValue);
    auto* options = new QFormLayout(Grid_Opt_box);
    options->addRow(tr("Colour:"), Grid_clr);
    options->addRow(tr("Spacing:"), spacingRow);

    auto* buttons = new QDialogButtonBox(this);
    OK_btn = buttons->addButton(QDialogButtonBox::Ok);
    Cancel_btn = buttons->addButton(QDialogButtonBox::Cancel);
    OK_btn->setObjectName(QStringLiteral("OK_btn"));
    Cancel_btn->setObjectName(QStringLiteral("Cancel_btn"));
    connect(OK_btn, &QPushButton::clicked, this, &Grid_Wizard::OK_Btn_Clicked);
    connect(Cancel_btn, &QPushButton::clicked, this, &Grid_Wizard::Cancel_Btn_Clicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Show_hide_grid_chk);
    layout->addWidget(Grid_Opt_box);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

Grid_Wizard::~Grid_Wizard()
{
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
}

Grid_Wizard* Grid_Wizard::defaultInstance()
{
    return s_defaultInstance;
}

void Grid_Wizard::setModalRun(ModalRun run)
{
    s_modalRun = std::move(run);
}

void Grid_Wizard::showSpacing()
{
    m_spacingValue->setText(tr("%1 pt").arg(Grid_Space_slidr->value()));
}

int Grid_Wizard::Open_Wnd()
{
    showSpacing();
    const int result = s_modalRun ? s_modalRun(*this) : exec();
    hide();
    return result;
}

void Grid_Wizard::OK_Btn_Clicked()
{
    done(1);
}

void Grid_Wizard::Cancel_Btn_Clicked()
{
    done(0);
}
