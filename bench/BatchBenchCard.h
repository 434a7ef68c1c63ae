#pragma once

// The card of the batch PDF benchmarks and the sheet it is printed on, as a
// user lays them out: on an ID-1 card (243 x 153 points) the record's name
// at the top left, a 600 x 600 photo at the top right, a QR Code of the
// record's code under the name and a Code 128 of the code along the bottom;
// ten cards on an A4 sheet, 2 across and 5 down, 9 points apart.
//
// The barcodes show no header and footer. The QR Code is 60 points a side
// with room for its quiet zone of four modules; the Code 128 keeps the
// designer's 20 mil bars and stands centred across the card, so the whole
// symbol and its quiet zones (ten modules each side) lie inside the card.
// A barcode object shows its picture from its top-left corner at the
// picture's own size, margins included, so each object is placed where its
// symbol (the dark part of its picture) lands on its place.
//
// Shared by bench/batch_pdf_bench (in process), bench/batch_pdf_cards (the
// whole program, and the peer's card) and bench/batch_pdf_check (reads the
// PDF files back).

#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/NKDBarcode.h"
#include "data/CsvReader.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "output/SheetLayout.h"

#include <QFile>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

class BatchBenchCard
{
public:
    BatchBenchCard() = delete;

    static QRectF card() { return {0, 0, 243, 153}; }
    static QRectF nameBox() { return {8, 8, 130, 22}; }
    // The size of a new text object's font (Liberation Serif), in points.
    static constexpr int nameFontSize = 14;
    static QRectF photoBox() { return {145, 8, 90, 90}; }
    // Where the QR Code's symbol goes.
    static QRectF qrPlace() { return {20, 40, 60, 60}; }
    // Top of the Code 128's bars, and the designer's bar width.
    static constexpr double code128Top = 114;
    static constexpr float code128Mils = 20;
    // Quiet zone a Code 128 reader needs on either side, in modules.
    static constexpr int code128QuietModules = 10;

    static constexpr int rows = 5;
    static constexpr int columns = 2;
    static constexpr int cardsPerSheet = rows * columns;

    // A4 paper, 18 point margins, 9 point gaps, 2 x 5 cards.
    static SheetLayout sheet()
    {
        SheetLayout layout;
        layout.setPaper({595.28, 841.89});
        layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 18;
        layout.horizontalGap = layout.verticalGap = 9;
        layout.setCardSize(card().size());
        layout.setSide("F");
        layout.setRows(rows);
        layout.setColumns(columns);
        return layout;
    }

    // Where card `index` of a sheet (0 .. 9, across then down) stands on the
    // sheet, in points.
    static QRectF cardOnSheet(int index)
    {
        return sheet().placement(index / columns + 1, index % columns + 1, card().size()).picture;
    }

    // A barcode object of `symbology` for the values of the series `series`:
    // the settings of a new object with header and footer hidden, the QR
    // Code `qrPlace()` wide and the Code 128 with `mils` bars.
    static std::shared_ptr<SKTBarcode> barcode(const QString& series, const QString& symbology,
                                               float mils = code128Mils)
    {
        auto graphic = std::make_shared<SKTBarcode>();
        graphic->data_source_type = 1;
        graphic->batch_list_name = series;
        graphic->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf(symbology));
        graphic->linear_or_2d = BarcodeProducer::drawsTwoDimensional(symbology) ? 1 : 0;
        graphic->show_hide_hdr = 1;
        graphic->show_hide_ftr = 1;
        graphic->linear_width_val = mils;
        graphic->qr_size_val = int(qrPlace().width());
        return graphic;
    }

    // The rectangle of the dark pixels of a picture, in points from the
    // picture's top-left corner; empty when it has none.
    static QRectF inkOf(const Picture& picture)
    {
        const QImage image = picture.image().convertToFormat(QImage::Format_ARGB32);
        int left = image.width(), right = -1, top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) > 127 && qGray(line[x]) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0)
            return {};
        const double sx = picture.size().width() / image.width(), sy = picture.size().height() / image.height();
        return {left * sx, top * sy, (right + 1 - left) * sx, (bottom + 1 - top) * sy};
    }

    // Where the two barcodes stand: each object's bounds, and the rectangle
    // its symbol covers on the card (the peer's box).
    struct Barcodes
    {
        QRectF qrBounds, qrSymbol;
        QRectF code128Bounds, code128Symbol;
        // The Code 128's bars on the card (the symbol less its caption)
        // and its module, in points.
        double barsLeft = 0, barsRight = 0, module = 0;
        // Whether ten modules of quiet zone on either side lie on the card.
        bool quietZonesInside() const
        {
            return barsLeft - code128QuietModules * module >= card().left() - 1e-6
                && barsRight + code128QuietModules * module <= card().right() + 1e-6;
        }
    };
    // Places both barcodes for pictures of `value` (every code of a batch
    // gives pictures of the same size): the QR Code's symbol on `qrPlace()`,
    // the Code 128's bars from `code128Top`, centred across the card or from
    // `code128Left` points when given. Nothing when a picture cannot be made.
    static std::optional<Barcodes> place(const QString& value, float mils = code128Mils,
                                         std::optional<double> code128Left = std::nullopt)
    {
        const auto qr = barcode(QString(), "QR Code");
        const Picture qrPicture = BarcodeProducer::pictureForObject(*qr, value);
        const auto code128 = barcode(QString(), "Code 128", mils);
        const BarcodeSettings settings = BarcodeSettings::fromObject(*code128);
        const BarcodeProducer::Result made = BarcodeProducer::render(settings, value, code128->header_val,
                                                                     code128->footer_val);
        if (qrPicture.isNull() || !made.ok() || !made.barcode)
            return std::nullopt;
        const QRectF qrInk = inkOf(qrPicture), code128Ink = inkOf(made.picture);
        Barcodes result;
        result.qrSymbol = QRectF(qrPlace().topLeft(), qrInk.size());
        result.qrBounds = QRectF(qrPlace().topLeft() - qrInk.topLeft(), qrPicture.size());
        const double left = code128Left ? *code128Left : std::round((card().width() - code128Ink.width()) * 50) / 100;
        result.code128Symbol = QRectF(QPointF(left, code128Top), code128Ink.size());
        result.code128Bounds = QRectF(result.code128Symbol.topLeft() - code128Ink.topLeft(), made.picture.size());
        // the bars are centred in the picture
        result.module = made.barcode->barWidth();
        const double bars = double(made.barcode->completeBarcode().size()) * result.module;
        result.barsLeft = result.code128Bounds.left() + (made.picture.size().width() - bars) / 2;
        result.barsRight = result.barsLeft + bars;
        return result;
    }

    // The card's objects, topmost first: the name from the series `names`,
    // the photo, the two barcodes from the series `codes`.
    static GraphicList front(const QString& photoPath, const QImage& photo, const Barcodes& places,
                             float mils = code128Mils)
    {
        auto text = std::make_shared<SKTText>();
        text->_bounds = nameBox();
        text->_isDrawingStroke = false;
        text->data_source_type = 1;
        text->batch_list_name = "names";
        auto image = std::make_shared<SKTImage>();
        image->_file_path = photoPath;
        image->_contents = Picture(photo, photoBox().size());
        image->_bounds = photoBox();
        image->_isDrawingStroke = false;
        auto qr = barcode("codes", "QR Code");
        qr->_bounds = places.qrBounds;
        auto code128 = barcode("codes", "Code 128", mils);
        code128->_bounds = places.code128Bounds;
        return {text, image, qr, code128};
    }

    // A record of the records file: its name and its code.
    struct Record
    {
        QString name;
        QString code;
    };
    // The records of a CSV file whose first line names the fields "name"
    // and "code" (in any order, other fields ignored); nothing, with the
    // reason in `error`, for a file that cannot be read or lacks them.
    static std::optional<std::vector<Record>> readRecords(const QString& path, QString* error)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
            return std::nullopt;
        }
        const QList<QStringList> lines = CsvReader::records(QString::fromUtf8(file.readAll()));
        if (lines.isEmpty()) {
            *error = QStringLiteral("%1 is empty").arg(path);
            return std::nullopt;
        }
        const qsizetype nameField = lines[0].indexOf("name");
        const qsizetype codeField = lines[0].indexOf("code");
        if (nameField < 0 || codeField < 0) {
            *error = QStringLiteral("the first line of %1 does not name the fields \"name\" and \"code\"").arg(path);
            return std::nullopt;
        }
        std::vector<Record> records;
        records.reserve(size_t(lines.size()));
        for (qsizetype line = 1; line < lines.size(); ++line) {
            const QStringList& fields = lines[line];
            if (fields.size() <= std::max(nameField, codeField)) {
                *error = QStringLiteral("line %1 of %2 has too few fields").arg(line + 1).arg(path);
                return std::nullopt;
            }
            records.push_back({fields[nameField], fields[codeField]});
        }
        return records;
    }
};
