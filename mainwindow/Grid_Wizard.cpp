#include "mainwindow/Grid_Wizard.h"

#include "mainwindow/ColorWell.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

Grid_Wizard::Grid_Wizard(QWidget* parent) : FramedDialog(parent, QStringLiteral("Grid_Wizard"), tr("Grid"))
{
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

    auto* buttons = okCancelBox({OK_btn, QStringLiteral("OK_btn"), [this] { OK_Btn_Clicked(); }},
                                {Cancel_btn, QStringLiteral("Cancel_btn"), [this] { Cancel_Btn_Clicked(); }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Show_hide_grid_chk);
    layout->addWidget(Grid_Opt_box);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

void Grid_Wizard::showSpacing()
{
    m_spacingValue->setText(tr("%1 pt").arg(Grid_Space_slidr->value()));
}

int Grid_Wizard::Open_Wnd()
{
    showSpacing();
    return runModal();
}

void Grid_Wizard::OK_Btn_Clicked()
{
    done(1);
}

void Grid_Wizard::Cancel_Btn_Clicked()
{
    done(0);
}
