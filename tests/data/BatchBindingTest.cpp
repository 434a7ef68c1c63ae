// Batch binding: which objects take values, how many records a batch has,
// and each record's values written into a side's objects and drawn, on one
// thread or on several at once.

#include "common/ObjectTestSupport.h"
#include "app/Globals.h"
#include "barcodes/QREncoder.h"
#include "canvas/SideSnapshot.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "data/BatchBinding.h"
#include "data/BatchShortfall.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QFile>
#include <QRegularExpression>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

GraphicPtr text(int source, const QString& series = {}, int column = 0, QRectF bounds = {10, 10, 200, 30})
{
    auto graphic = std::make_shared<SKTText>();
    graphic->_bounds = bounds;
    graphic->Text_contents()->setString(QStringLiteral("typed"));
    graphic->data_source_type = source;
    graphic->batch_list_name = series;
    graphic->excel_col_indx = column;
    return graphic;
}

GraphicPtr barcode(const QString& series, const QString& header, int side, QRectF bounds)
{
    auto graphic = std::make_shared<SKTBarcode>();
    graphic->_bounds = bounds;
    graphic->data_source_type = 1;
    graphic->batch_list_name = series;
    graphic->header_val = header;
    graphic->qr_size_val = side;
    graphic->qr_ec_index = 1;
    return graphic;
}

// Stands in for the barcode designer: a QR Code of "header:value" as large
// as the object's own QR size.
Picture qrMaker(const SKTGraphic& graphic, const QString& value)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(graphic.qr_ec_index, 0, graphic.header_val + ":" + value);
    return QREncoder::renderDataMatrix(grid, graphic.qr_size_val, 300);
}

// A picture read by the decoder with a quiet zone around it.
QString decoded(const QImage& image)
{
    QImage padded(image.width() + 80, image.height() + 80, QImage::Format_ARGB32);
    padded.fill(Qt::white);
    QPainter(&padded).drawImage(40, 40, image);
    return ObjectTestSupport::decodeBarcode(padded).text;
}

QString textOf(const GraphicPtr& graphic)
{
    return graphic->Text_contents()->string();
}

DesignFileRow row(int number, const QString& first, const QString& second = {})
{
    DesignFileRow cells{{"Extension", QString::number(number)}, {"Column1", first}};
    if (!second.isNull())
        cells.insert("Column2", second);
    return cells;
}

class BatchBindingTest : public ::testing::Test
{
protected:
    void series(const QString& name, const QByteArray& bytes)
    {
        QFile file(store.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    BatchBinding checked(const GraphicList& front, const GraphicList& back = {}, bool twoSided = false,
                         const QList<DesignFileRow>& rows = {})
    {
        BatchBinding binding(store, front, back, twoSided, rows);
        binding.setBarcodeMaker(qrMaker);
        binding.Check_Series_Or_Excel_Use_or_not();
        return binding;
    }

    QTemporaryDir dir;
    SeriesStore store {dir.path(), "txt"};
};

}

TEST_F(BatchBindingTest, OneSidedCardWithEmptyFrontHasNoSeriesBatch)
{
    series("names", "a\nb\nc\n");
    const GraphicList back {text(1, "names")};
    const struct {
        bool twoSided;
        int cards;
    } rows[] = {{false, 0}, {true, 3}};
    for (const auto& r : rows) {
        const BatchBinding binding = checked({}, back, r.twoSided);
        EXPECT_EQ(binding.useDataSheetValues, r.cards > 0);
        EXPECT_EQ(binding.totalCards, r.cards);
        EXPECT_EQ(binding.table().isEmpty(), !r.twoSided);
    }
}

TEST_F(BatchBindingTest, RecordsOfASeriesAndTheSpreadsheetTable)
{
    series("gap", "  a \n\nb\n");   // three records: "a", "", "b"
    series("other", "x\n");          // listed, bound by nobody
    const GraphicList front {text(1, "gap"), text(2, {}, 0), text(2, {}, 2), std::make_shared<Shape_Control>()};
    front[3]->data_source_type = 1;   // shapes take no values, whatever they hold
    front[3]->batch_list_name = "other";
    const QList<DesignFileRow> rows {row(1, "r1", "p"), row(2, "r2", "q"), row(3, "r3"), row(4, "r4", "s"),
                                     row(5, "r5", "t")};
    const BatchBinding binding = checked(front, {}, false, rows);
    EXPECT_EQ(binding.dataTableRows, 3);
    EXPECT_EQ(binding.excelTableRows, 5);
    EXPECT_EQ(binding.totalCards, 5);
    ASSERT_EQ(binding.table().size(), 2);
    EXPECT_FALSE(binding.table()[1].values.has_value());   // "other": name only
    EXPECT_EQ(binding.Get_First_Value_Of_Dataset("gap"), "  a ");   // untrimmed on the canvas

    const QStringList expected[] = {{"a", "1", "p"}, {"", "2", "q"}, {"b", "3", ""}, {"", "4", "s"}, {"", "5", "t"}};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(binding.Assign_Batch_Values_To_Control(front, r), "");
        EXPECT_EQ(QStringList({textOf(front[0]), textOf(front[1]), textOf(front[2])}), expected[r]) << r;
    }
    // a source switched off leaves its objects as they are
    BatchBinding seriesOnly = binding;
    seriesOnly.useExcelBindingValues = false;
    seriesOnly.Get_total_Card_count();
    EXPECT_EQ(seriesOnly.totalCards, 3);
    seriesOnly.Assign_Batch_Values_To_Control(front, 0);
    EXPECT_EQ(QStringList({textOf(front[0]), textOf(front[1])}), QStringList({"a", "5"}));
}

// Each record keeps its own value: an empty line is a record wherever it
// stands, first, inner or last, and only the line ending that closes the
// file starts none. The values of a second series stay beside them.
TEST_F(BatchBindingTest, EmptyRecordsStayWithTheirCards)
{
    const struct
    {
        const char* what;
        QByteArray file;
        QStringList records; // as the bound text shows them
    } cases[] = {
        {"empty first", "\nACME\nBeta\n", {"", "ACME", "Beta"}},
        {"empty inner", "ACME\n\nBeta\n", {"ACME", "", "Beta"}},
        {"empty last", "ACME\nBeta\n\n", {"ACME", "Beta", ""}},
        {"blank first and last", "  \nACME\n\t\n", {"", "ACME", ""}},
        {"no empty record", "ACME\nBeta\n", {"ACME", "Beta"}},
        {"no closing line ending", "\nACME\nBeta", {"", "ACME", "Beta"}},
        {"CR LF endings", "\r\n ACME \r\nBeta\r\n", {"", "ACME", "Beta"}},
        {"lone CR endings", "Ann\rBob\r\rCid\r", {"Ann", "Bob", "", "Cid"}},
        {"one empty record", "\n", {""}},
        {"only empty records", "\n\n\n", {"", "", ""}},
    };
    series("names", "Ada\nBo\nCy\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        series("company", c.file);
        const GraphicList front {text(1, "company"), text(1, "names")};
        const BatchBinding binding = checked(front);
        EXPECT_EQ(binding.dataTableRows, std::max<int>(3, int(c.records.size())));
        EXPECT_EQ(binding.Get_First_Value_Of_Dataset("company"),
                  QString::fromUtf8(c.file).split(QRegularExpression("[\r\n]")).first());
        for (int r = 0; r < binding.totalCards; ++r) {
            EXPECT_EQ(binding.Assign_Batch_Values_To_Control(front, r), "");
            EXPECT_EQ(textOf(front[0]), c.records.value(r)) << "record " << r;
            EXPECT_EQ(textOf(front[1]), QStringList({"Ada", "Bo", "Cy"}).value(r)) << "record " << r;
        }
    }
}

TEST_F(BatchBindingTest, SeriesThatGiveNoValues)
{
    series("kept", "k1\nk2\n");
    series("gone", "g1\ng2\ng3\n");
    series("binary", "\xff\xfe\n");
    series("empty", "");
    const GraphicList kept {text(1, "kept"), text(1, "gone")};
    ASSERT_TRUE(QFile::remove(store.filePath("gone")));
    const struct {
        GraphicList front;
        int cards;
    } rows[] = {
        {kept, 2},                // the deleted series' objects go empty
        {{text(1, "gone")}, 0},   // the only bound series deleted: no batch
        {{text(1, "binary")}, 0}, // not UTF-8
        {{text(1, "empty")}, 0},  // an empty file holds no record
        {{text(1, "never")}, 0},
    };
    for (const auto& r : rows) {
        const BatchBinding binding = checked(r.front);
        EXPECT_EQ(binding.totalCards, r.cards);
        EXPECT_EQ(binding.useDataSheetValues, r.cards > 0);
    }
    const BatchBinding binding = checked(kept);
    for (int record : {0, 1}) {
        binding.Assign_Batch_Values_To_Control(kept, record);
        EXPECT_EQ(textOf(kept[0]), QString("k%1").arg(record + 1));
        EXPECT_EQ(textOf(kept[1]), "");
    }
}

// A series file far beyond any batch is refused unread, once per series,
// with a message; the other series still give their records.
TEST_F(BatchBindingTest, HugeSeriesAreRefusedWithAMessage)
{
    series("small", "s1\ns2\n");
    for (const QString name : {"huge", "larger"}) {
        QFile file(store.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("first\n") == 6);
        ASSERT_TRUE(file.resize(name == "huge" ? SeriesStore::maxSeriesFileBytes + 1 : qint64(8) << 30));
    }
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    const GraphicList front {text(1, "small"), text(1, "huge"), text(1, "larger")};
    const BatchBinding binding = checked(front);
    MessagePresenter::install(nullptr);
    EXPECT_EQ(presenter.texts(), QStringList(2, "\n" + SeriesStore::tooLargeMessage));
    EXPECT_EQ(binding.totalCards, 2);
    binding.Assign_Batch_Values_To_Control(front, 1);
    EXPECT_EQ(QStringList({textOf(front[0]), textOf(front[1]), textOf(front[2])}), QStringList({"s2", "", ""}));
}

TEST_F(BatchBindingTest, SeriesInUse)
{
    series("Guests", "a\n");
    series("Staff", "b\n");
    series("unused", "c\n");
    const GraphicList front {text(1, "Guests"), text(0, "unused")};   // a typed text keeps a stale name
    const GraphicList back {text(1, "Staff")};
    const struct {
        const char* name;
        bool twoSided;
        bool inUse;
    } rows[] = {{"Guests", false, true}, {"guests", false, false}, {"Staff", false, false},
                {"Staff", true, true},   {"unused", true, false},  {"missing", true, false}};
    for (const auto& r : rows)
        EXPECT_EQ(BatchBinding(store, front, back, r.twoSided, {}).Check_Batch_File_In_Use_Validation(r.name), r.inUse)
            << r.name << " " << r.twoSided;
}

TEST_F(BatchBindingTest, FailingObjectStopsThePassAndBarcodesWithoutMakerKeepTheirPicture)
{
    series("codes", "ok\nbad\n");
    const GraphicList front {text(1, "codes"), barcode("codes", "H", 60, {0, 40, 60, 60}), text(1, "codes")};
    BatchBinding binding = checked(front);
    binding.setBarcodeMaker([](const SKTGraphic& graphic, const QString& value) {
        if (value == "bad")
            throw std::runtime_error("No barcode of that value.");
        return qrMaker(graphic, value);
    });
    EXPECT_EQ(binding.Assign_Batch_Values_To_Control(front, 0), "");
    const Picture first = front[1]->_barcode_image;
    EXPECT_EQ(binding.Assign_Batch_Values_To_Control(front, 1), "No barcode of that value.");
    EXPECT_EQ(QStringList({textOf(front[0]), textOf(front[2])}), QStringList({"bad", "ok"}));

    binding.setBarcodeMaker({});
    EXPECT_EQ(binding.Assign_Batch_Values_To_Control(front, 1), "");
    EXPECT_EQ(front[1]->_barcode_image.image(), first.image());
}

TEST_F(BatchBindingTest, TwoSidedBatchDrawnPerRecord)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    series("names", "Ada Lovelace\nAlan Turing\nGrace Hopper\n");
    series("towns", "London\nWilmslow\nArlington\n");
    const GraphicList front {text(1, "names", 0, {10, 10, 220, 30}), barcode("names", "F", 90, {10, 50, 90, 90})};
    const GraphicList back {text(1, "towns", 0, {10, 10, 220, 30}), barcode("names", "B", 100, {130, 45, 100, 100})};
    const BatchBinding binding = checked(front, back, true);
    ASSERT_EQ(binding.totalCards, 3);
    const QRectF card(0, 0, 243, 154);
    SideSnapshot frontShot(front, Card_Property(), 0, card, Resource_Path);
    SideSnapshot backShot(back, Card_Property(), 0, card, Resource_Path);
    const QStringList names {"Ada Lovelace", "Alan Turing", "Grace Hopper"};
    const QStringList towns {"London", "Wilmslow", "Arlington"};

    const auto pdfText = [&](SideSnapshot& shot) {
        QFile pdf(dir.filePath("side.pdf"));
        EXPECT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(shot.pdfData());
        pdf.close();
        QProcess extract;
        extract.start("pdftotext", {pdf.fileName(), "-"});
        EXPECT_TRUE(extract.waitForFinished(30000));
        return QString::fromUtf8(extract.readAllStandardOutput()).simplified();
    };
    for (int r = 0; r < 3; ++r) {
        ASSERT_EQ(binding.Assign_Batch_Values_To_Control(frontShot.graphics(), r), "");
        ASSERT_EQ(binding.Assign_Batch_Values_To_Control(backShot.graphics(), r), "");
        const QString frontText = pdfText(frontShot), backText = pdfText(backShot);
        EXPECT_TRUE(frontText.contains(names[r])) << frontText.toStdString();
        EXPECT_FALSE(frontText.contains(towns[r])) << frontText.toStdString();
        EXPECT_TRUE(backText.contains(towns[r])) << backText.toStdString();
        EXPECT_FALSE(backText.contains(names[r])) << backText.toStdString();
        // each barcode made with its own object's settings
        EXPECT_EQ(decoded(frontShot.picture(300).image()), "F:" + names[r]);
        EXPECT_EQ(decoded(backShot.picture(300).image()), "B:" + names[r]);
        EXPECT_EQ(frontShot.graphics()[1]->_barcode_image.size(), QSizeF(90, 90));
        EXPECT_EQ(backShot.graphics()[1]->_barcode_image.size(), QSizeF(100, 100));
    }
    // the live objects were not touched
    EXPECT_EQ(textOf(front[0]), "typed");
}

// With the real producer, a Code 128 and a QR Code bound to one series are
// drawn anew per record from their own settings, and each reads back from
// the rendered card as that record's value; an empty value prints no
// barcode (the sample picture is for the screen).
TEST_F(BatchBindingTest, ProducedBarcodesReadBackFromEveryRecordsCard)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    series("tickets", "T-0001\n\nT-0003\n");
    const QStringList titles = BarcodeSettings::symbologyTitles();
    const GraphicPtr linear = barcode("tickets", "", 0, {10, 10, 120, 60});
    linear->barcode_font_index = int(titles.indexOf("Code 128"));
    const GraphicPtr qr = barcode("tickets", "", 80, {220, 10, 80, 80});
    qr->barcode_font_index = int(titles.indexOf("QR Code"));
    BatchBinding binding(store, {linear, qr}, {}, false, {});
    binding.setBarcodeMaker(&BarcodeProducer::pictureForObject);
    binding.Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(binding.totalCards, 3);
    SideSnapshot shot({linear, qr}, Card_Property(), 0, QRectF(0, 0, 400, 250), Resource_Path);
    const double scale = 300.0 / 72.0;
    for (int r = 0; r < 3; ++r) {
        ASSERT_EQ(binding.Assign_Batch_Values_To_Control(shot.graphics(), r), "");
        const QImage card = shot.picture(300).image();
        for (const GraphicPtr& g : shot.graphics()) {
            const QRectF area(g->_bounds.topLeft(), g->_barcode_image.size());
            const QImage part = card.copy(QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect());
            if (r == 1) {
                EXPECT_TRUE(g->_barcode_image.isNull());
                const QImage blank = card.copy(QRectF(g->_bounds.topLeft() * scale, g->_bounds.size() * scale)
                                                   .toAlignedRect());
                int dark = 0;
                for (int y = 0; y < blank.height(); ++y)
                    for (int x = 0; x < blank.width(); ++x)
                        dark += qGray(blank.pixel(x, y)) < 128;
                EXPECT_EQ(dark, 0) << "sample or stale barcode printed for an empty value";
                continue;
            }
            EXPECT_EQ(decoded(part), QString("T-000%1").arg(r + 1)) << g->barcode_font_index << " record " << r;
        }
    }
}

TEST_F(BatchBindingTest, WorkersBindAndDrawAsOneThreadDoes)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    QByteArray values;
    constexpr int records = 12, workers = 4;
    for (int r = 0; r < records; ++r)
        values += "Guest number " + QByteArray::number(r) + "\n";
    series("guests", values);
    const GraphicList side {text(1, "guests"), barcode("guests", "W", 80, {120, 40, 80, 80})};
    const BatchBinding binding = checked(side);
    const SideSnapshot shot(side, Card_Property(), 1, QRectF(0, 0, 243, 154), Resource_Path);

    std::vector<QImage> expected(records);
    SideSnapshot alone = shot;
    for (int r = 0; r < records; ++r) {
        binding.Assign_Batch_Values_To_Control(alone.graphics(), r);
        expected[r] = alone.picture(150).image();
    }
    ASSERT_NE(expected[0], expected[1]);

    std::vector<QImage> drawn(records);
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            SideSnapshot own = shot;
            for (int r = records - 1 - w; r >= 0; r -= workers) {
                binding.Assign_Batch_Values_To_Control(own.graphics(), r);
                drawn[r] = own.picture(150).image();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int r = 0; r < records; ++r) {
        EXPECT_EQ(drawn[r], expected[r]) << "record " << r;
        EXPECT_EQ(decoded(drawn[r]), QString("W:Guest number %1").arg(r));
    }
}

// The series and columns of the drawn sides with fewer values than cards:
// empty records count as values, a column is short where a series outruns
// the table, and the back counts on a two-sided card drawn there.
TEST_F(BatchBindingTest, SourcesShorterThanTheBatch)
{
    series("three", "Ada\nBo\nCy\n");
    series("four", "a\nb\nc\nd\n");
    series("tail", "a\nb\nc\n\n\n"); // five records, the last two empty
    series("seven", "1\n2\n3\n4\n5\n6\n7\n");
    series("empty", "");
    QList<DesignFileRow> five;
    for (int r = 1; r <= 5; ++r)
        five << row(r, QString("n%1").arg(r));
    const QStringList titles {"No.", "Name"};
    const auto listed = [](const BatchShortfall& shortfall) {
        QStringList out;
        for (const BatchShortfall::Source& s : shortfall.sources())
            out << QString(s.column ? "[%1] %2" : "%1 %2").arg(s.name).arg(s.values);
        return out.join("; ");
    };
    const struct
    {
        const char* what;
        GraphicList front, back;
        bool twoSided;
        const char* sides;
        int cards;                // -1: every record of the batch
        const char* shortSources; // "series values", "[column] values"
    } cases[] = {
        {"column short", {text(2, {}, 1), text(1, "seven"), text(2, {}, 1)}, {}, false, "F", -1, "[Name] 5"},
        {"two short", {text(1, "three"), text(1, "four"), text(2, {}, 0)}, {}, false, "F", -1, "three 3; four 4"},
        {"empty records are values", {text(1, "tail"), text(2, {}, 1)}, {}, false, "F", -1, ""},
        {"fewer cards chosen", {text(1, "three"), text(2, {}, 1)}, {}, false, "F", 3, ""},
        {"a single card", {text(1, "three"), text(2, {}, 1)}, {}, false, "F", 1, ""},
        {"one-sided back", {text(1, "seven"), text(2, {}, 0)}, {text(2, {}, 1)}, false, "BOTH", -1, "[No.] 5"},
        {"back not drawn", {text(2, {}, 1)}, {text(1, "three")}, true, "F", -1, ""},
        {"back drawn alone", {text(2, {}, 1)}, {text(1, "three")}, true, "B", -1, "three 3"},
        {"no column", {text(1, "seven"), text(2, {}, -1)}, {}, false, "F", -1, ""},
        // an empty series is a source with no values, beside a column as beside a series
        {"empty series, column", {text(1, "empty"), text(2, {}, 1)}, {}, false, "F", -1, "empty 0"},
        {"empty series, back drawn", {text(2, {}, 1)}, {text(1, "empty")}, true, "BOTH", -1, "empty 0"},
        {"empty series, back not drawn", {text(2, {}, 1)}, {text(1, "empty")}, true, "F", -1, ""},
        {"empty series alone: no cards", {text(1, "empty")}, {}, false, "F", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const BatchBinding binding = checked(c.front, c.back, c.twoSided, five);
        const QString sides = c.sides;
        const BatchShortfall shortfall = BatchShortfall::of(binding, titles, c.cards < 0 ? binding.totalCards : c.cards,
                                                            sides != "B", sides != "F");
        EXPECT_EQ(listed(shortfall), c.shortSources);
        EXPECT_EQ(shortfall.question("Print?").isEmpty(), *c.shortSources == 0);
    }
    // a series the output leaves out counts no more
    BatchBinding tableOnly = checked({text(1, "three"), text(2, {}, 1)}, {}, false, five);
    tableOnly.useDataSheetValues = false;
    EXPECT_TRUE(BatchShortfall::of(tableOnly, titles, 5, true, false).isEmpty());

    // what the print and mail windows ask
    const BatchShortfall::Source three {"three", false, 3}, name {"Name", true, 4};
    EXPECT_EQ(BatchShortfall(5, {name}).question("Send?"),
              "5 cards, 4 values in the column \"Name\": card 5 will show no value from it. Send?");
    EXPECT_EQ(BatchShortfall(5, {three, name}).question("Export?"),
              "5 cards, but fewer values in 2 sources:\n3 values in the series \"three\": cards 4 to 5 will show no "
              "value from it.\n4 values in the column \"Name\": card 5 will show no value from it.\nExport?");
    // a title from a workbook, of any length, is quoted shortened
    const BatchShortfall::Source huge {QString(2000000, 'T'), true, 4};
    EXPECT_EQ(BatchShortfall(5, {huge}).question("Send?"),
              "5 cards, 4 values in the column \"" + QString(59, 'T')
                  + "\u2026\": card 5 will show no value from it. Send?");
}
