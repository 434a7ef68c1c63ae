#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "barcodes/NKDBarcode.h"

#include <QImage>
#include <QString>
#include <memory>
#include <ostream>

// Table rows print as their name when a case fails.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

// Sets a barcode up the way the designer does before drawing it: texts,
// switches, the bar width from mils, the font sizes, the picture height
// (bars plus the shown lines and their margins) and the picture width (bars
// or the wider text, plus the side margins). False when the content is
// refused.
struct LinearSetup
{
    BarcodeDesignerSettings settings;
    float mils = 20.0f;
    float barsHeight = 40.0f;   // points
    QString header = QStringLiteral("HEADER");
    QString footer = QStringLiteral("FOOTER");
    bool caption = true;
    bool showHeader = true;
    bool showFooter = true;
};

bool prepareLinear(NKDBarcode& barcode, const QString& value, const LinearSetup& setup = {});

// Makes, initialises and prepares a barcode of a class; null when refused.
template <class T>
std::unique_ptr<T> preparedLinear(const QString& value, const LinearSetup& setup = {})
{
    auto barcode = std::make_unique<T>();
    if (!prepareLinear(*barcode, value, setup))
        return nullptr;
    return barcode;
}

// Designer settings with margins as the designer shows them by default
// (0.1 cm each) converted to points.
BarcodeDesignerSettings designerDefaults();

// What a standard decoder reads from a picture, composited on white with a
// white border for the quiet zone: the format name and the raw text, or an
// empty format when nothing valid was read.
struct DecodedSymbol
{
    std::string format;
    std::string text;
};
DecodedSymbol decodeLinear(const QImage& image, bool code39Extended = false, bool codabarStartStop = false);
