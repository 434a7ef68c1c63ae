#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "barcodes/BarcodeSettings.h"
#include "platform/Picture.h"

#include <QString>
#include <memory>

class BarcodeTextLayout;
class NKDBarcode;
class SKTGraphic;

// Turns barcode settings and one value into a picture: the symbology
// factory, the sizing of linear and two-dimensional pictures, and the QR
// Code, PDF417 and Data Matrix paths. Class operations on values only: no
// window, no program-wide state, so batch output calls them from any number
// of threads at once (the one lock is the Data Matrix library's).
//
// A value that is empty or that the symbology refuses gives no picture and
// a reason; nothing stands in for it (a sample picture is the screen's
// business, never output's).
class BarcodeProducer
{
public:
    BarcodeProducer() = delete;

    struct Result
    {
        Picture picture;   // the finished picture; null when none was made
        // Two-dimensional symbologies: the bare symbol the picture frames
        // (for re-framing after a header or footer change without encoding).
        Picture symbol;
        // Linear symbologies: the barcode the picture draws.
        std::shared_ptr<const NKDBarcode> barcode;
        // Why there is no picture ("" when there is one).
        QString reason;
        bool ok() const { return !picture.isNull(); }
    };

    // The picture of a value with a header and footer, as the settings say.
    static Result render(const BarcodeSettings& settings, const QString& value, const QString& header,
                         const QString& footer);
    // The picture alone; null when none could be made.
    static Picture Get_Image_From_Val(const BarcodeSettings& settings, const QString& value, const QString& header,
                                      const QString& footer);
    // What batch output calls for one barcode object and one record's value:
    // the object's settings with its own header and footer; null when the
    // value is empty or refused.
    static Picture pictureForObject(const SKTGraphic& barcodeObject, const QString& value);

    // A two-dimensional symbol picture framed with the header and footer of
    // the settings (widths and heights recomputed for the texts given).
    static Picture frameSymbol(const BarcodeSettings& settings, const Picture& symbol, const QString& value,
                               const QString& header, const QString& footer);

    // A fresh, uninitialised barcode of a linear symbology title (Code 128
    // titles with their code set); null for any other title.
    static std::unique_ptr<NKDBarcode> makeLinear(const QString& title);
    // Whether the value prints under the bars: 0 when the hide box is
    // disabled or on (state 1), else 1.
    static int Get_Print_State(const BarcodeSettings& settings);
    // The designer's value test: not empty and 7-bit ASCII.
    static bool Check_And_Validat_Barcode(const QString& value);
    // Whether a two-dimensional title draws ("QR Code", "PDF417",
    // "DataMatrix").
    static bool drawsTwoDimensional(const QString& title);

    // ---- the steps of production ----
    // Width of a linear picture: the widest of the bars and the shown header
    // and footer, plus the left and right margins, plus 15 points when there
    // are such margins.
    static float Set_Linear_Barcode_Width(const NKDBarcode& barcode, const BarcodeDesignerSettings& style);
    // Sets the barcode's height: `barHeight`, each shown line with its
    // margin, then the top and bottom margins.
    static void Set_Barcode_Height(NKDBarcode& barcode, float barHeight, const BarcodeDesignerSettings& style);
    // The frame of a two-dimensional symbol, by the same rules (no value line).
    static void Set_2d_Barcode_Width(BarcodeTextLayout& text, const Picture& symbol,
                                     const BarcodeDesignerSettings& style);
    static void Set_2d_Barcode_Height(BarcodeTextLayout& text, const Picture& symbol,
                                      const BarcodeDesignerSettings& style);
    // The bare symbols of the settings and a value; null with a reason when
    // none can be made. A Data Matrix symbol is columns x module by rows x
    // module points, its one-module light frame inside; a failed one also
    // writes the encoder's account to the standard error and output.
    static Picture Draw_QR_Barcode(const BarcodeSettings& settings, const QString& value, QString* reason);
    static Picture Draw_PDF_417_Barcode(const BarcodeSettings& settings, const QString& value, QString* reason);
    static Picture Draw_DataMatrix_Barcode(const BarcodeSettings& settings, const QString& value, QString* reason);

    // A copy drawn without smoothing into exactly `new_size` pixels (that
    // many points); null, with "Invalid image" in the log, for a null picture
    // or an empty size.
    static Picture Resize_Image(const Picture& image, QSizeF new_size);
    // Replaces the file at `file_path_val` with the picture as PNG; false
    // when it could not be written.
    static bool Save_Barcode_image(const Picture& image, const QString& file_path_val);

    // The largest picture side in points, and the most dots a picture
    // holds, that production makes; a larger frame asked for is refused.
    static constexpr int maximumSidePoints = 2000;
    static constexpr double maximumPictureDots = 40e6;
};
