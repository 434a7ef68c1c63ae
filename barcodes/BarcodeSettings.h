#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>
#include <QStringList>

class SKTGraphic;

// Everything one barcode object says about its barcode, as a copyable value:
// the barcode fields of the object in their stored units (sizes and margins
// in the designer's unit, centimetres; bar width in mils; list positions),
// plus the two designer-wide switches that no object stores but drawing
// reads. The resolved values (symbology title, resolution, QR version and
// level, Data Matrix format and encoding, alignment titles) are computed
// from the stored positions through the fixed lists below, so a loaded
// object renders with exactly what it says, whatever was rendered before.
//
// The designer window shows and edits one of these; batch output loads one
// per barcode object on any thread. No widget is involved.
class BarcodeSettings
{
public:
    BarcodeSettings();   // the settings of a new barcode object

    // ---- the object's barcode fields (names as the object has them) ----
    int linear_or_2d = 0;
    int barcode_font_index = 0;
    QString linear_font_val;
    QString two_d_font_val;
    QString header_val;
    QString footer_val;
    int show_hide_hdr = 0;
    int show_hide_ftr = 0;
    int show_hide_val = 0;
    int show_val_on_top = 0;
    int align_hdr_index = 1;
    int align_ftr_index = 1;
    float linear_height_val = 0.6f;   // centimetres
    float linear_width_val = 20.0f;   // mils
    int qr_size_val = 60;             // points
    int qr_version_index = 0;
    int qr_ec_index = 0;
    int pdf_hgt_val = 20;             // points
    int pdf_wdt_val = 100;            // points
    int pdf_ec_val = 2;
    int dm_module_val = 2;            // points per module
    int dm_format_index = 0;
    int dm_encoding_index = 0;
    float hdr_margin_val = 0.1f;      // centimetres, as the four below
    float ftr_margin_val = 0.1f;
    float val_margin_val = 0.1f;
    float TB_marging_val = 0.1f;
    float LR_margin_val = 0.1f;
    FontSpec value_font_val;
    FontSpec header_font_val;
    FontSpec footer_font_val;
    Colour barcode_hdr_clr_val;
    Colour barcode_ftr_clr_val;
    Colour barcode_val_clr_val;
    Colour barcode_back_clr_val;
    Colour barcode_clr_val;
    int dpi_val_index = 0;
    QString dpi_custom_val;
    // Source of the value: 0 typed, 1 data series, 2 spreadsheet column.
    // The designer's source lists write these into the object at once, so
    // writeTo leaves them alone.
    int data_source_type = 0;
    QString batch_list_name;
    int batch_list_index = 0;
    int excel_col_indx = 0;

    // ---- designer-wide switches (no object stores them) ----
    int kerning_value_Checkbox = 0;      // exactly 1: a one-piece caption spreads over the bars
    bool captionCheckboxEnabled = true;  // a disabled hide box means no caption at all

    // Loads an object's barcode fields (the designer's loading without a
    // window); the designer-wide switches keep their defaults.
    static BarcodeSettings fromObject(const SKTGraphic& object);
    // Writes the fields the designer's OK writes back: everything above but
    // the value source and the designer-wide switches.
    void writeTo(SKTGraphic& object) const;

    bool operator==(const BarcodeSettings&) const = default;

    // ---- fixed lists; positions in them are stored in design files ----
    // 19 linear symbologies, then "QR Code", "PDF417", "DataMatrix".
    static const QStringList& symbologyTitles();
    static int firstTwoDimensionalIndex() { return 19; }
    static const QStringList& dpiTitles();          // "Auto", "72", "150", "300", "600", "Custom"
    static const QStringList& qrVersionTitles();    // "Auto", "V1" .. "V40"
    static const QStringList& qrLevelTitles();      // "L", "M", "Q", "H"
    static const QStringList& dmFormatTitles();     // "Auto", 24 squares, 6 rectangles ("C" rows "X" columns)
    static const QStringList& dmEncodingTitles();   // "Auto", "Ascii", "C40", "Text", "Base256"
    static const QStringList& alignmentTitles();    // "Left", "Center", "Right"

    // Resolution used when "Auto" is chosen, and the range a custom value is
    // held to.
    static constexpr int autoDpi = 600;
    static constexpr int minimumDpi = 72;
    static constexpr int maximumDpi = 1200;

    // ---- resolved values ----
    // Title of the chosen symbology; "" for a position outside the list.
    QString symbologyTitle() const;
    bool isTwoDimensional() const { return barcode_font_index >= firstTwoDimensionalIndex(); }
    // The value this object shows: the two-dimensional text for a
    // two-dimensional symbology, else the linear one.
    QString value() const { return isTwoDimensional() ? two_d_font_val : linear_font_val; }
    // Output resolution: "Auto" 600, a listed number, or the custom value
    // held to [minimumDpi, maximumDpi] (600 when it is no number).
    int dpi() const;
    int qrVersion() const;   // 0 automatic, else 1 to 40
    int qrLevel() const;     // 0 L, 1 M, 2 Q, 3 H
    QString dmFormat() const;     // "Auto" for a position outside the list
    QString dmEncoding() const;   // "Auto" for a position outside the list
    // Rows and columns a format asks for: the first character dropped, the
    // rest split at the first "X" (rows before, columns after); 0 x 0 for
    // "Auto", a format without "X" or one that does not read as numbers.
    static void dmFormatSize(const QString& format, int* rows, int* columns);
    QString headerAlignment() const;   // "Center" for a position outside the list
    QString footerAlignment() const;

    // The drawing style in points that the symbologies and the renderer
    // read: fonts, colours, switches, alignments and the margins converted
    // from centimetres; the margin of a hidden line is 0. `symbolText` is
    // left empty (production fills it).
    BarcodeDesignerSettings designerSettings() const;
    // Narrow bar width and bar height of a linear barcode in points.
    float barWidthPoints() const { return linear_width_val / 1000.0f * 72.0f; }
    float barHeightPoints() const;
};
