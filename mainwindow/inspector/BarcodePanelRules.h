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
    // correction, margins, colours and resolution, and the typed values
    // when `source` is typed. A bound source's value fields hold its own
    // record, which is no setting: they stay on it. The unit, the geometry,
    // the data binding and the picture are not copied.
    static void copyDesignerFields(const SKTGraphic& source, SKTGraphic& target);

    // Whether a barcode takes its value from a series or spreadsheet column.
    static bool isBound(const SKTGraphic& barcode);

    // The value a barcode object shows on the card, as output draws it for
    // the first record: for one bound to a series or spreadsheet column,
    // that source's first value, or nothing when `sources` do not offer its
    // source (the series or column is gone); otherwise the value typed for
    // its kind of symbology (two-dimensional or linear).
    static QString shownValue(const SKTGraphic& barcode, const DataSourceLists& sources);
};
