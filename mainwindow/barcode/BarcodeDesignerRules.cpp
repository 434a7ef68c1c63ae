#include "mainwindow/barcode/BarcodeDesignerRules.h"

#include "barcodes/BarcodeSettings.h"

#include <QObject>

#include <algorithm>

QStringList BarcodeDesignerRules::qrEncodingModeTitles()
{
    return {QStringLiteral("Auto"), QStringLiteral("Numeric"), QStringLiteral("Alphanumeric"),
            QStringLiteral("Byte")};
}

QStringList BarcodeDesignerRules::barAlignmentTitles()
{
    return {QStringLiteral("Center"), QStringLiteral("Top"),    QStringLiteral("TopLeft"),
            QStringLiteral("TopRight"), QStringLiteral("Left"), QStringLiteral("Bottom"),
            QStringLiteral("BottomLeft"), QStringLiteral("BottomRight"), QStringLiteral("Right")};
}

QStringList BarcodeDesignerRules::orientationTitles()
{
    return {QStringLiteral("Horizontal")};
}

QStringList BarcodeDesignerRules::dataSourceTitles()
{
    return {QStringLiteral("Manual"), QStringLiteral("Series"), QStringLiteral("Excel")};
}

bool BarcodeDesignerRules::kerningAllowed(const QString& symbology)
{
    return !(symbology == QLatin1String("UPCE") || symbology == QLatin1String("UPCA")
             || symbology == QLatin1String("EAN-8") || symbology == QLatin1String("EAN-13"));
}

int BarcodeDesignerRules::qrMinimumSide(int versionIndex)
{
    return std::max(21, 4 * (versionIndex - 1) + 21);
}

QSize BarcodeDesignerRules::dataMatrixSize(const QString& format, int module, QSize current)
{
    int rows = 0;
    int columns = 0;
    BarcodeSettings::dmFormatSize(format, &rows, &columns);
    QSize size = current;
    if (current.width() < columns * module)
        size.setWidth(columns * module);
    if (current.height() < rows * module)
        size.setHeight(rows * module);
    return size;
}

bool BarcodeDesignerRules::previewAlignment(const QString& title, Qt::Alignment* alignment)
{
    static const std::pair<const char*, Qt::Alignment> table[] = {
        {"Center", Qt::AlignCenter},
        {"Top", Qt::AlignTop | Qt::AlignHCenter},
        {"TopLeft", Qt::AlignTop | Qt::AlignLeft},
        {"TopRight", Qt::AlignTop | Qt::AlignRight},
        {"Left", Qt::AlignLeft | Qt::AlignVCenter},
        {"Bottom", Qt::AlignBottom | Qt::AlignHCenter},
        {"BottomLeft", Qt::AlignBottom | Qt::AlignLeft},
        {"BottomRight", Qt::AlignBottom | Qt::AlignRight},
        {"Right", Qt::AlignRight | Qt::AlignVCenter},
    };
    for (const auto& [name, value] : table) {
        if (title == QLatin1String(name)) {
            *alignment = value;
            return true;
        }
    }
    return false;
}

BarcodeDesignerRules::SizeLabels BarcodeDesignerRules::sizeLabels(bool linear, int unit)
{
    if (!linear)
        return {QObject::tr("Bar Height :"), QString(), QObject::tr("Bar Width :")};
    switch (unit) {
    case 0: return {QObject::tr("Bar Height (in):"), QObject::tr("Margins (in)"), QObject::tr("Bar Width (Mils):")};
    case 1: return {QObject::tr("Bar Height (cm):"), QObject::tr("Margins (cm)"), QObject::tr("Bar Width (Mils):")};
    default:
        return {QObject::tr("Bar Height (mm):"), QObject::tr("Margins (mm)"), QObject::tr("Bar Width (Mils):")};
    }
}

BarcodeDesignerRules::HelpText BarcodeDesignerRules::help(Help which)
{
    switch (which) {
    case Help::QrVersion:
        return {QStringLiteral("Version :"),
                QStringLiteral("Version is configuration or number of modules (combination of black and white dots).")};
    case Help::QrErrorLevel:
        return {QStringLiteral("Error correction (EC) level :"),
                QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                               "decoded even if it is damaged.")};
    case Help::PdfRows:
        return {QStringLiteral("PDF Rows :"), QStringLiteral("Number of rows in the PDF barcode.")};
    case Help::PdfColumns:
        return {QStringLiteral("PDF Columns :"), QStringLiteral("Number of columns in the PDF barcode.")};
    case Help::PdfErrorLevel:
        return {QStringLiteral("PDF EC Level :"),
                QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                               "decoded even if it is damaged in PDF barcode.")};
    case Help::DmFormat:
        return {QStringLiteral("Preferred Format :"),
                QStringLiteral("Preferred Mode determines the smallest size of the symbol.")};
    case Help::DmEncoding:
        return {QStringLiteral("Encoding Mode :"),
                QStringLiteral("Encoding Mode is mode of compaction to encode data in the symbol.")};
    case Help::Resolution:
        return {QStringLiteral("DPI (Dots Per Inch) :"),
                QStringLiteral("Dots per inch is a measure of the resolution of printers in terms of Print Quality.\n\n"
                               "Bigger the DPI, Better the Print Quality. But File size of image also increases, as "
                               "you choose bigger DPI.")};
    }
    return {};
}
