#include "mainwindow/inspector/BorderControls.h"

#include "mainwindow/ColorWell.h"
#include "mainwindow/inspector/PanelWidgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>

BorderControls::BorderControls(QWidget* page, QBoxLayout* layout, int index, const QString& prefix)
{
    const auto name = [&prefix](const char* control) { return (prefix + QLatin1String(control)).toLatin1(); };
    const QByteArray checkName = name("_border_chk"), boxName = name("_Border_Box"), colourName = name("_bordr_clr"),
                     widthName = name("_bor_Stepper"), styleName = name("_border_style");
    // The check box names the group: the box needs no title of its own.
    const PanelWidgets::BorderGroup group =
        PanelWidgets::makeBorderGroup(checkName.constData(), boxName.constData(), colourName.constData(),
                                      widthName.constData(), styleName.constData(), QObject::tr("Border"), QString());
    check = group.check;
    box = group.box;
    colour = group.colour;
    width = group.width;
    style = group.style;
    check->setParent(page);
    box->setParent(page);
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
