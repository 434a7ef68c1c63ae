#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "barcodes/BarcodeSettings.h"
#include "platform/Picture.h"

#include <QString>
#include <memory>

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

    // The largest picture side in points, and the most dots a picture
    // holds, that production makes; a larger frame asked for is refused.
    static constexpr int maximumSidePoints = 2000;
    static constexpr double maximumPictureDots = 40e6;
};
