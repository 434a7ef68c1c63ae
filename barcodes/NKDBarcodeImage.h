#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "platform/Picture.h"

#include <QByteArray>

class NKDBarcode;

// Pictures of barcodes: a linear or postal barcode, or a two-dimensional
// symbol framed with its header and footer. Pictures keep their size in
// points; the pixels are drawn at the resolution asked for. Only QImage and
// QPainter are used, so these run on worker threads too.
class NKDBarcodeImage
{
public:
    // The barcode with caption, header and footer, drawn at `dpi` dots per
    // inch. Null when the picture could not be made (nothing to draw, or too
    // large a bitmap).
    static Picture imageFromBarcode(const NKDBarcode& barcode, double dpi);
    // The same at the designer's output resolution (`USED_DPI_VALUE`).
    static Picture imageFromBarcode(const NKDBarcode& barcode);

    // A two-dimensional symbol picture centred in the settings' frame
    // (width x height) under its header and above its footer. The bitmap has
    // the symbol's own resolution unless `dpi` is given, so its modules are
    // copied pixel for pixel. A null symbol gives a null picture.
    static Picture imageFromBarcodeImage(const Picture& symbol, const BarcodeDesignerSettings& settings,
                                         double dpi = 0.0);

    // The barcode as a one-page PDF document of its size in points (vector
    // bars and text); empty on failure.
    static QByteArray pdfFromBarcode(const NKDBarcode& barcode);
};
