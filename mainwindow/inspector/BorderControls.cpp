#include "mainwindow/inspector/BorderControls.h"

#include "mainwindow/ColorWell.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>

BorderControls::BorderControls(QWidget* page, QBoxLayout* layout, int index, const QString& prefix)
{
    check = new QCheckBox(QObject::tr("Border"), page);
    check->setObjectName(prefix + QStringLiteral("_border_chk"));
    box = new QGroupBox(page);
    box->setObjectName(prefix + QStringLiteral("_Border_Box"));
    auto* form = new QFormLayout(box);
    colour = new ColorWell(box);
    colour->setObjectName(prefix + QStringLiteral("_bordr_clr"));
    width = new QSpinBox(box);
    width->setObjectName(prefix + QStringLiteral("_bor_Stepper"));
    width->setRange(0, 50);
    style = new QComboBox(box);
    style->setObjectName(prefix + QStringLiteral("_border_style"));
    style->addItems({QObject::tr("Solid"), QObject::tr("Dash"), QObject::tr("Dot"), QObject::tr("Dash Dot"),
                     QObject::tr("Dash Dot Dot")});
    form->addRow(QObject::tr("Colour"), colour);
    form->addRow(QObject::tr("Width"), width);
    form->addRow(QObject::tr("Style"), style);
    layout->insertWidget(index, check);
    layout->insertWidget(index + 1, box);
}

void BorderControls::show(const PanelBorder& border)
{
    const QSignalBlocker b1(check), b2(width), b3(style);
    check->setChecked(border.on);
    colour->setColour(border.colour);
    width->setValue(border.width);
    style->setCurrentIndex(border.styleIndex >= 0 && border.styleIndex < style->count() ? border.styleIndex : -1);
    enableBoxByCheck();
}

PanelBorder BorderControls::state() const
{
    PanelBorder border;
    border.on = check->isChecked();
    border.colour = colour->colour();
    border.width = width->value();
    border.styleIndex = style->currentIndex();
    return border;
}

void BorderControls::enableBoxByCheck()
{
    box->setEnabled(check->isChecked());
}
