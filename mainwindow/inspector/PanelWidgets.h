#pragma once

// Controls as the object panels of the inspector make them: named after the
// control they stand for (tests and the inspector find them by that name),
// steppers that report a value once it is entered, not per typed digit.

#include <QString>

class ColorWell;
class QComboBox;
class QDoubleSpinBox;
class QSpacerItem;
class QSpinBox;
class QVBoxLayout;
class QWidget;

class PanelWidgets
{
public:
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
};
