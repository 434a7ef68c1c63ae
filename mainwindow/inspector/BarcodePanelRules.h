#pragma once

#include <QString>

class SKTGraphic;
struct DataSourceLists;

// The rules of the barcode panel, without a window.
class BarcodePanelRules
{
public:
    // Gives `target` the barcode designer's settings that `source` holds:
    // symbology kind, fonts, texts, switches, alignments, sizes, error
    // correction, margins, colours and resolution. The unit, the geometry,
    // the data binding and the picture are not copied.
    static void copyDesignerFields(const SKTGraphic& source, SKTGraphic& target);

    // The value a barcode object shows on the card, as the designer shows
    // it for the barcode it edits: for one bound to a series or spreadsheet
    // column that `sources` offers, that source's first value; otherwise
    // the value typed for its kind of symbology (two-dimensional or linear).
    static QString shownValue(const SKTGraphic& barcode, const DataSourceLists& sources);
};
