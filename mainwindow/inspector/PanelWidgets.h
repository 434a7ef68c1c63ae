#pragma once

// Controls as the object panels of the inspector make them: named after the
// control they stand for (tests and the inspector find them by that name),
// steppers that report a value once it is entered, not per typed digit.

#include <QString>

class ColorWell;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QDoubleSpinBox;
class QSpacerItem;
class QSpinBox;
class QVBoxLayout;
class QWidget;

class PanelWidgets
{
public:
    // The controls of a border group, by the names of its controls.
    struct BorderGroup
    {
        QCheckBox* check = nullptr;
        QGroupBox* box = nullptr;
        ColorWell* colour = nullptr;
        QSpinBox* width = nullptr;
        QComboBox* style = nullptr;
    };

    // `widget`, named `name`.
    template <class T>
    static T* named(T* widget, const char* name)
    {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }

    // A whole-number stepper with its text field.
    static QSpinBox* stepper(const char* name, int minimum, int maximum, const QString& suffix = QString());
    // A stepper of fractional values (two decimals, steps of 1).
    static QDoubleSpinBox* floatStepper(const char* name, double minimum, double maximum,
                                        const QString& suffix = QString());
    // The border style list, in the order of the dash codes "S", "DA", "DO",
    // "DD", "DDD".
    static QComboBox* dashList(const char* name);
    static ColorWell* colourWell(const char* name, const QString& toolTip);
    // A list with the given items and the first one chosen.
    static QComboBox* list(const char* name, const QStringList& items);

    // Puts `widget` into a page's layout just above its closing spacer (at
    // the end when the spacer is not in it), after what was put there before.
    static void addToPage(QVBoxLayout* page, QSpacerItem* spacer, QWidget* widget);
    // A border's check box and the group box it enables, of the border's
    // colour, width stepper (0 to 50 points) and line style list; not yet
    // put into a page.
    static BorderGroup makeBorderGroup(const char* checkName, const char* boxName, const char* colourName,
                                       const char* widthName, const char* styleName, const QString& checkText,
                                       const QString& boxTitle);
    // The border group with the check box "Draw a border" and the group box
    // titled "Border", put into a page as addToPage does.
    static BorderGroup borderGroup(QVBoxLayout* page, QSpacerItem* spacer, const char* checkName,
                                   const char* boxName, const char* colourName, const char* widthName,
                                   const char* styleName);
};
