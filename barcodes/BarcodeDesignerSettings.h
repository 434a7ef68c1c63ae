#pragma once

#include "barcodes/BarcodeTextLayout.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Picture.h"

#include <QString>

// The barcode designer's current settings as a plain value: the fonts,
// margins, colours, switches and alignments that the symbologies and the
// renderer read while they compute and draw, and the designer's own text and
// size model for two-dimensional symbols (a QR Code, PDF417 or Data Matrix
// picture is framed from it the way a linear barcode is framed from its
// NKDBarcode). The designer window owns one and edits it; batch output copies
// one per barcode object, so a worker thread never reads the window.
class BarcodeDesignerSettings
{
public:
    BarcodeDesignerSettings();

    // Fonts of the value text (caption), the header and the footer.
    FontSpec value_font;
    FontSpec header_font;
    FontSpec footer_font;

    // Margins in points. The sizing before each picture recomputes them from
    // the designer's fields and sets the margin of a hidden line to 0.
    float value_margin = 0.1f;   // between the bars and the caption
    float header_margin = 0.1f;  // between the header line and the bars or symbol
    float footer_margin = 0.1f;  // between the footer line and what stands above it
    float LR_margin = 0.1f;      // left and right; also added to every caption position
    float TB_margin = 0.1f;      // top and bottom

    // Colours of the bars, the background of a linear picture, the caption,
    // the header and the footer.
    Colour barcode_clr;
    Colour bar_back_clr;
    Colour bar_val_clr;
    Colour bar_hdr_clr;
    Colour bar_ftr_clr;

    // Check box states (0 off, 1 on).
    int captionCheckbox = 0;             // 1 hides the caption
    bool captionCheckboxEnabled = true;  // a disabled hide box means no caption at all
    int showinTopCheckbox = 0;           // not 0: the caption stands above the bars
    int kerning_value_Checkbox = 0;      // exactly 1: a one-piece caption spreads over the bars
    int hideHeaderCheckbox = 0;          // 1 hides the header
    int hideFooterCheckbox = 0;          // 1 hides the footer

    // Titles of the chosen header and footer alignment: "Left", "Center" or
    // "Right"; anything else leaves the natural alignment.
    QString align_hdr_combo;
    QString align_ftr_combo;

    // Texts and sizes of the current two-dimensional symbol; its line
    // heights are measured with the fonts above.
    BarcodeTextLayout symbolText;
    // The value text shown under a two-dimensional symbol: its content.
    QString caption() const { return symbolText.content(); }

    // Font measures in points, taken at 72 dots per inch so that one point is
    // one unit. Safe on any thread that has fonts (no widget involved).
    static double capHeight(const FontSpec& font);
    static double textLineHeight(const FontSpec& font);
    static double textAscent(const FontSpec& font);
    static double textDescent(const FontSpec& font);
    // The font as texts are measured and drawn with it (outlines unhinted, so
    // measures hold at every resolution).
    static QFont drawingFont(const FontSpec& font);
    // Width of a text set in the font with the given extra space after each
    // character.
    static double textWidth(const QString& text, const FontSpec& font, double kerning = 0.0);
    // Height of a caption, header or footer line in inches: 1.35 cap heights.
    static double lineHeightInches(const FontSpec& font);

    // Points per unit of the designer's unit (`Measument_Unit_Is`): 0 inch,
    // 1 centimetre, 2 millimetre; anything else counts as inch.
    static double unitToPoints(int unit);

    // A picture redrawn, without smoothing, into a bitmap of
    // ceil(dpi x points / 72) pixels that keeps its size in points. A null
    // picture logs "Invalid image" and gives a null picture.
    static Picture Increase_DPI(const Picture& picture, double dpi);

    // Called with each intermediate symbol picture; keeps nothing. It is the
    // one place to look at those pictures while tracing a wrong symbol.
    static void Save_Barcode_gen_image(const Picture& picture, const QString& file_name);
};
