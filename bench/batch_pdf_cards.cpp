// The batch PDF job as a whole program, so that it can be timed as a whole
// process beside a peer program (bench/run_batch_pdf_peer.sh runs both under
// /usr/bin/time): start, set up the resource folder as the application does
// at start, read the records file, keep its two columns as data series,
// bind them into the benchmark's card (bench/BatchBenchCard.h) and print
// every record's card through SheetPdfJob, as the print window's "Save as
// PDF" does.
//
//   batch_pdf_cards RECORDS.csv PHOTO OUT.pdf
//       the batch PDF: one card per record of RECORDS.csv (fields "name"
//       and "code"), the picture file PHOTO on every card
//   batch_pdf_cards --peer-card RECORDS.csv PHOTO
//       writes the peer's card (a glabels document) with the same objects
//       at the same places and sizes, merging RECORDS.csv, to the standard
//       output
//
// Options before the arguments: --code128-mils N sets the Code 128's bar
// width, --code128-left X puts its left edge X points from the card's left
// edge (centred by default); the checks of the script use them to print a
// card whose Code 128 is cut. BATCH_BENCH_WRITERS=<n> sets the PDF writers
// (default one per core). Exits 0 when the file was written, else 1 with the
// reason on the standard error.

#include "bench/BatchBenchCard.h"

#include "app/Globals.h"
#include "app/ResourceSetup.h"
#include "canvas/SideSnapshot.h"
#include "data/BatchBinding.h"
#include "data/SeriesStore.h"
#include "output/SheetPdfJob.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "batch_pdf_cards: %s\n", qPrintable(message));
    return 1;
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString points(double value)
{
    return QString::number(value, 'f', 2) + "pt";
}

QString box(const QRectF& r)
{
    return QStringLiteral("x=\"%1\" y=\"%2\" w=\"%3\" h=\"%4\" a0=\"1\" a1=\"0\" a2=\"0\" a3=\"1\" a4=\"0\" a5=\"0\"")
        .arg(points(r.x()), points(r.y()), points(r.width()), points(r.height()));
}

// The peer's document: the same sheet, and the card's objects at the same
// places and sizes (the peer sizes a barcode to its box).
QString peerCard(const QString& records, const QString& photo, const BatchBenchCard::Barcodes& places)
{
    const SheetLayout layout = BatchBenchCard::sheet();
    const QRectF first = BatchBenchCard::cardOnSheet(0);
    const QRectF next = BatchBenchCard::cardOnSheet(BatchBenchCard::columns + 1);
    const QRectF card = BatchBenchCard::card();
    QString xml;
    xml += "<?xml version=\"1.0\"?>\n<Glabels-document xmlns=\"http://glabels.org/xmlns/3.0/\">\n";
    xml += "  <Template brand=\"Bench\" part=\"CARD-10\" size=\"A4\" description=\"Cards 2 x 5\">\n";
    xml += "    <Meta category=\"card\"/>\n";
    xml += QStringLiteral("    <Label-rectangle id=\"0\" width=\"%1\" height=\"%2\" round=\"0pt\" x_waste=\"0pt\" "
                          "y_waste=\"0pt\">\n")
               .arg(points(card.width()), points(card.height()));
    xml += "      <Markup-margin size=\"0pt\"/>\n";
    xml += QStringLiteral("      <Layout nx=\"%1\" ny=\"%2\" x0=\"%3\" y0=\"%4\" dx=\"%5\" dy=\"%6\"/>\n")
               .arg(layout.columns())
               .arg(layout.rows())
               .arg(points(first.x()), points(first.y()), points(next.x() - first.x()), points(next.y() - first.y()));
    xml += "    </Label-rectangle>\n  </Template>\n  <Objects id=\"0\" rotate=\"False\">\n";
    xml += QStringLiteral("    <Object-text %1 justify=\"Left\" valign=\"Top\" auto_shrink=\"False\">\n"
                          "      <Span color=\"0xff\" font_family=\"Liberation Serif\" font_size=\"%2\" "
                          "font_weight=\"Regular\" font_italic=\"False\" line_spacing=\"1\"><Field name=\"name\"/>"
                          "</Span>\n    </Object-text>\n")
               .arg(box(BatchBenchCard::nameBox()))
               .arg(BatchBenchCard::nameFontSize);
    xml +=
        QStringLiteral("    <Object-image %1 src=\"%2\"/>\n").arg(box(BatchBenchCard::photoBox()), xmlEscaped(photo));
    xml += QStringLiteral("    <Object-barcode %1 style=\"IEC18004\" backend=\"libqrencode\" text=\"False\" "
                          "checksum=\"False\" color=\"0xff\" field=\"code\"/>\n")
               .arg(box(places.qrSymbol));
    xml += QStringLiteral("    <Object-barcode %1 style=\"Code128\" backend=\"gnu-barcode\" text=\"True\" "
                          "checksum=\"True\" color=\"0xff\" field=\"code\"/>\n")
               .arg(box(places.code128Symbol));
    xml += "  </Objects>\n";
    xml += QStringLiteral("  <Merge type=\"Text/Comma/Line1Keys\" src=\"%1\"/>\n").arg(xmlEscaped(records));
    xml += "</Glabels-document>\n";
    return xml;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    bool peer = false;
    float mils = BatchBenchCard::code128Mils;
    std::optional<double> left;
    while (!args.isEmpty() && args.first().startsWith("--")) {
        const QString option = args.takeFirst();
        bool ok = true;
        if (option == "--peer-card")
            peer = true;
        else if (option == "--code128-mils" && !args.isEmpty())
            mils = args.takeFirst().toFloat(&ok);
        else if (option == "--code128-left" && !args.isEmpty())
            left = args.takeFirst().toDouble(&ok);
        else
            return fail(QStringLiteral("unknown option %1").arg(option));
        if (!ok)
            return fail(QStringLiteral("%1 takes a number").arg(option));
    }
    if (args.size() != (peer ? 2 : 3))
        return fail("usage: batch_pdf_cards [--code128-mils N] [--code128-left X] RECORDS.csv PHOTO OUT.pdf\n"
                    "       batch_pdf_cards [--code128-mils N] [--code128-left X] --peer-card RECORDS.csv PHOTO");
    const QString recordsPath = QFileInfo(args[0]).absoluteFilePath();
    const QString photoPath = QFileInfo(args[1]).absoluteFilePath();

    QString error;
    const std::optional<std::vector<BatchBenchCard::Record>> records = BatchBenchCard::readRecords(recordsPath, &error);
    if (!records)
        return fail(error);
    if (records->empty())
        return fail(QStringLiteral("%1 holds no record").arg(recordsPath));
    // Every code of the records makes barcodes of the same size here; the
    // first one's pictures place them.
    const auto places = BatchBenchCard::place(records->front().code, mils, left);
    if (!places)
        return fail(QStringLiteral("no barcode of \"%1\" at %2 mils").arg(records->front().code).arg(mils));
    if (!places->quietZonesInside())
        std::fprintf(stderr, "batch_pdf_cards: the Code 128's quiet zones run past the card\n");

    if (peer) {
        std::fputs(peerCard(recordsPath, photoPath, *places).toUtf8().constData(), stdout);
        return 0;
    }

    if (!setUpResourceFolder(&error))
        return fail(error);
    const QImage photo(photoPath);
    if (photo.isNull())
        return fail(QStringLiteral("cannot read the picture %1").arg(photoPath));

    // The two columns become data series, as importing them does.
    QTemporaryDir seriesFolder;
    if (!seriesFolder.isValid())
        return fail(seriesFolder.errorString());
    const SeriesStore store(seriesFolder.path(), "txt");
    QStringList names, codes;
    names.reserve(qsizetype(records->size()));
    codes.reserve(qsizetype(records->size()));
    for (const BatchBenchCard::Record& record : *records) {
        names << record.name;
        codes << record.code;
    }
    if (!store.write("names", names, SeriesStore::WriteMode::Replace, &error)
        || !store.write("codes", codes, SeriesStore::WriteMode::Replace, &error))
        return fail(error);

    const GraphicList front = BatchBenchCard::front(photoPath, photo, *places, mils);
    BatchBinding binding(store, front, {}, false, {});
    binding.setBarcodeMaker(&BarcodeProducer::pictureForObject);
    binding.Check_Series_Or_Excel_Use_or_not();
    if (binding.totalCards != int(records->size()))
        return fail(
            QStringLiteral("the series give %1 cards for %2 records").arg(binding.totalCards).arg(records->size()));

    const SheetLayout layout = BatchBenchCard::sheet();
    const SheetPagination pagination(layout.rows(), layout.columns(), binding.totalCards, binding.totalCards);
    const SideSnapshot shot(front, Card_Property(), 0, BatchBenchCard::card(), Resource_Path);
    const SheetPainter::SideSource source = SheetPainter::snapshotSource(
        shot, SideSnapshot(), [&binding](SideSnapshot& side, int record) {
            return binding.Assign_Batch_Values_To_Control(side.graphics(), record);
        });
    SheetPdfJob::Options options;
    options.writers = qEnvironmentVariableIntValue("BATCH_BENCH_WRITERS");
    const SheetPdfJob::Result result = SheetPdfJob::print(layout, pagination, source, args[2], QString(), options);
    if (!result.ok)
        return fail(result.message);
    return 0;
}
