#pragma once

// The card size presets of the card settings panel: the names shown per size
// category and the size of each preset in millimetres.

#include <QSizeF>
#include <QString>
#include <QStringList>

class CardSizePresets
{
public:
    // The category whose presets are the plastic card sizes; every other
    // category shows the paper badge sizes.
    static const QString pvcCategory;   // "PVC Card"

    // The seven plastic card names and the eight paper badge names, in list
    // order.
    static QStringList pvcCardNames();
    static QStringList paperCardNames();
    // The names shown for a category.
    static QStringList namesForCategory(const QString& category);

    // The size in millimetres of row `list_index` of the category's list, in
    // the orientation "V" (portrait: the two numbers swapped) or any other
    // (as listed). The listed sizes are inches converted with 25.4 and kept
    // in single precision. Index -1 (no preset chosen), and any index outside
    // the category's rows, gives 30 x 30 millimetres.
    static QSizeF Get_My_card_Size(const QString& category, const QString& preset, int list_index);
};
