#pragma once

// The rules of the barcode designer's controls, without a window: the
// entries of its lists, the help texts, the size captions, the QR side
// minimum, the Data Matrix size rule, the resolution a list entry stands for
// and the preview alignment a title names.

#include <QSize>
#include <QString>
#include <QStringList>

#include <Qt>

class BarcodeDesignerRules
{
public:
    // ---- entries of the lists no object stores a position of (the stored
    // lists are BarcodeSettings') ----
    static QStringList qrEncodingModeTitles();
    static QStringList barAlignmentTitles();
    static QStringList orientationTitles();
    static QStringList dataSourceTitles();

    // The value text of UPC and EAN symbols stands in fixed groups; kerning
    // it is not offered.
    static bool kerningAllowed(const QString& symbology);

    // Smallest side of a QR picture, in points, for a version list index:
    // 4 x (index - 1) + 21, at least 21 (index 0, "Auto", gives 21).
    static int qrMinimumSide(int versionIndex);

    // The Data Matrix fields after the size rule: a format "C<rows>X<columns>"
    // with module size m raises width to at least columns x m and height to
    // at least rows x m; "Auto" or a title without "X" changes nothing.
    static QSize dataMatrixSize(const QString& format, int module, QSize current);

    // The preview's alignment for a bar alignment title ("Center", "Top",
    // "TopLeft", ...); false for any other title.
    static bool previewAlignment(const QString& title, Qt::Alignment* alignment);

    // Captions of the bar height field, the margin group and the bar width
    // field for the layout (linear or not) and the unit (0 in, 1 cm, 2 mm).
    struct SizeLabels {
        QString barHeight;
        QString margins;   // empty: the group keeps its caption
        QString barWidth;
    };
    static SizeLabels sizeLabels(bool linear, int unit);

    // A help button's title and text.
    struct HelpText {
        QString title;
        QString text;
    };
    enum class Help { QrVersion, QrErrorLevel, PdfRows, PdfColumns, PdfErrorLevel, DmFormat, DmEncoding, Resolution };
    static HelpText help(Help which);
};
