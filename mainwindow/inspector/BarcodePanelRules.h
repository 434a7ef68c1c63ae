#pragma once

class SKTGraphic;

// The rules of the barcode panel, without a window.
class BarcodePanelRules
{
public:
    // Gives `target` the barcode designer's settings that `source` holds:
    // symbology kind, fonts, texts, switches, alignments, sizes, error
    // correction, margins, colours and resolution. The unit, the geometry,
    // the data binding and the picture are not copied.
    static void copyDesignerFields(const SKTGraphic& source, SKTGraphic& target);
};
