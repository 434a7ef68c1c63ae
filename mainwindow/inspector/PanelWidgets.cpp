#include "mainwindow/inspector/PanelWidgets.h"

#include "mainwindow/ColorWell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QDoubleSpinBox>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

QSpinBox* PanelWidgets::stepper(const char* name, int minimum, int maximum, const QString& suffix)
{
    auto* box = named(new QSpinBox, name);
    box->setRange(minimum, maximum);
    box->setKeyboardTracking(false);
    box->setSuffix(suffix);
    return box;
}

QDoubleSpinBox* PanelWidgets::floatStepper(const char* name, double minimum, double maximum, const QString& suffix)
{
    auto* box = named(new QDoubleSpinBox, name);
    box->setRange(minimum, maximum);
    box->setDecimals(2);
    box->setSingleStep(1.0);
    box->setKeyboardTracking(false);
    box->setSuffix(suffix);
    return box;
}

QComboBox* PanelWidgets::dashList(const char* name)
{
    return list(name, {QObject::tr("Solid"), QObject::tr("Dash"), QObject::tr("Dot"), QObject::tr("Dash dot"),
                       QObject::tr("Dash dot dot")});
}

ColorWell* PanelWidgets::colourWell(const char* name, const QString& toolTip)
{
    auto* well = named(new ColorWell, name);
    well->setToolTip(toolTip);
    return well;
}

QComboBox* PanelWidgets::list(const char* name, const QStringList& items)
{
    auto* combo = named(new QComboBox, name);
    combo->addItems(items);
    if (!items.isEmpty())
        combo->setCurrentIndex(0);
    return combo;
}

void PanelWidgets::addToPage(QVBoxLayout* page, QSpacerItem* spacer, QWidget* widget)
{
    const int at = page->indexOf(spacer);
    page->insertWidget(at >= 0 ? at : page->count(), widget);
}

PanelWidgets::BorderGroup PanelWidgets::makeBorderGroup(const char* checkName, const char* boxName,
                                                        const char* colourName, const char* widthName,
                                                        const char* styleName, const QString& checkText,
                                                        const QString& boxTitle)
{
    BorderGroup group;
    group.check = named(new QCheckBox(checkText), checkName);
    group.box = named(new QGroupBox(boxTitle), boxName);
    auto* form = new QFormLayout(group.box);
    group.colour = colourWell(colourName, QObject::tr("Border colour"));
    group.width = stepper(widthName, 0, 50, QObject::tr(" pt"));
    group.style = dashList(styleName);
    form->addRow(QObject::tr("Colour"), group.colour);
    form->addRow(QObject::tr("Width"), group.width);
    form->addRow(QObject::tr("Style"), group.style);
    return group;
}

PanelWidgets::BorderGroup PanelWidgets::borderGroup(QVBoxLayout* page, QSpacerItem* spacer, const char* checkName,
                                                    const char* boxName, const char* colourName,
                                                    const char* widthName, const char* styleName)
{
    const BorderGroup group = makeBorderGroup(checkName, boxName, colourName, widthName, styleName,
                                              QObject::tr("Draw a border"), QObject::tr("Border"));
    addToPage(page, spacer, group.check);
    addToPage(page, spacer, group.box);
    return group;
}
