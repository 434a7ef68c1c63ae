// The main window's card picture export: the dialog leading to a single
// export (two files or one combined picture) and to a batch of 1,000
// records of a series bound to a text and a QR Code barcode, made by the
// real barcode producer; Stop; exports that fail before or mid-batch.

#include "mainwindow/WindowControllerFixture.h"

#include "app/Globals.h"
#include "barcodes/BarcodeSettings.h"
#include "common/ObjectTestSupport.h"
#include "data/Globals.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/Send_Modeless.h"
#include <QLabel>
#include "barcodes/BarcodeProducer.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "output/Globals.h"
#include "platform/AtomicFile.h"
#include "platform/GuiThread.h"
#include "platform/IndexSet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <functional>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CardExportControllerTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        QDir(Data_Folder_Path).removeRecursively();
        QDir().mkpath(Data_Folder_Path);
        Open_Export_Log::setModalRun([this](Open_Export_Log& box) {
            finished << box._open_log_path->text() + "|" + box._open_log_message->text();
            return 1;
        });
        ExportWindow::setFolderChooser([this](QWidget*) { return out.path(); });
    }
    void TearDown() override
    {
        Open_Export_Log::setModalRun({});
        ExportWindow::setModalRun({});
        ExportWindow::setFolderChooser({});
        WindowControllerFixture::TearDown();
    }
    // The dialog answered OK with a type, a side row, the combined box and the series box.
    void answerDialog(const QString& type, int sideRow, bool combined, bool series)
    {
        ExportWindow::setModalRun([=](ExportWindow& w) {
            w.fileFormatPopup->setCurrentText(type);
            w.selectSideRow(sideRow);
            w.export_combined_image_chk->setChecked(combined);
            w.Export_with_batch_chk->setChecked(series);
            return 1;
        });
    }
    void waitForBatch()
    {
        QElapsedTimer clock;
        clock.start();
        while (controller->isBatchExportRunning() && clock.elapsed() < 240000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_FALSE(controller->isBatchExportRunning());
    }
    // A series of `count` values "V-<n>" bound to a text and a QR Code barcode on the front.
    void bindSeries(int count)
    {
        QFile file(Data_Folder_Path + "/codes.txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int n = 1; n <= count; ++n)
            file.write(QString("V-%1\n").arg(n).toUtf8());
        file.close();
        auto text = std::make_shared<SKTText>();
        text->_bounds = QRectF(10, 10, 150, 24);
        auto code = std::make_shared<SKTBarcode>();
        // A QR Code: its modules stay several pixels wide at 72 dpi.
        code->_bounds = QRectF(150, 5, 80, 80);
        code->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf("QR Code"));
        code->qr_size_val = 64;
        code->qr_ec_index = 1;
        for (const GraphicPtr& g : GraphicList {text, code}) {
            g->data_source_type = 1;
            g->batch_list_name = "codes";
        }
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, {code, text}, IndexSet::range(0, 2));
        label = text;
    }
    // Upscaled without smoothing and framed in white: modules of a 72-dpi picture.
    static QString decoded(const QImage& card)
    {
        QImage big(card.width() * 4 + 80, card.height() * 4 + 80, QImage::Format_ARGB32);
        big.fill(Qt::white);
        QPainter(&big).drawImage(QRect(40, 40, card.width() * 4, card.height() * 4), card);
        return ObjectTestSupport::decodeBarcode(big).text;
    }

    QTemporaryDir out;
    QStringList finished;
    GraphicPtr label;
};

}

TEST_F(CardExportControllerTest, SingleExportsFromTheDialog)
{
    const QSize card = controller->frontCanvasBounds().size().toSize();
    const struct { int sideRow; bool combined; const char* type; QStringList files; QSize size; } cases[] = {
        {1, false, "PNG", {"c.png"}, card},
        {2, false, "JPEG", {"c_Back.jpeg"}, card},
        {0, false, "BMP", {"c.bmp", "c_Back.bmp"}, card},
        {0, true, "PNG", {"c.png"}, QSize(card.width(), 2 * card.height())},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString("c.") + QString(c.type).toLower());
        QString askedType;
        SavePanel::setHandler([&](const QString&, const QString& type) { askedType = type; return path; });
        answerDialog(c.type, c.sideRow, c.combined, false);
        finished.clear();
        Card_Front_Or_Back = 1;
        controller->Export_Button();
        SCOPED_TRACE(c.type);
        EXPECT_EQ(askedType, QString(c.type).toLower());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), c.files);
        for (const QString& name : c.files)
            EXPECT_EQ(QImage(dir.filePath(name)).size(), c.size) << name.toStdString();
        // one box, for the file at the chosen path (or the back's alone)
        EXPECT_EQ(finished, QStringList(dir.filePath(c.files.first()) + "|Card has been exported successfully."));
        EXPECT_EQ(Card_Front_Or_Back, 1);   // the side on screen is put back
    }
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join("|").toStdString();
}

// 1,000 records into "Vesk Brightfold": every file named for its record at
// the card's size, the barcodes of a sample read back as their records'
// values, the window answering events meanwhile, record 0 back afterwards.
TEST_F(CardExportControllerTest, BatchOfAThousandRecords)
{
    bindSeries(1000);
    answerDialog("PNG", 1, false, true);
    int turns = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
    ticker.start(5);
    controller->Export_Button();
    EXPECT_TRUE(Card_Value_In_Process);
    waitForBatch();
    ticker.stop();
    EXPECT_GT(turns, 0);   // the event loop ran while the batch did

    const QString folder = out.filePath("Vesk Brightfold");
    const QStringList files = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1000);
    for (int n = 1; n <= 1000; ++n)
        ASSERT_TRUE(files.contains(QString("Card_%1.png").arg(n))) << n;
    const QSize card = controller->frontCanvasBounds().size().toSize();
    for (const int n : {1, 2, 17, 256, 500, 733, 999, 1000}) {
        const QImage picture(folder + QString("/Card_%1.png").arg(n));
        ASSERT_EQ(picture.size(), card) << n;
        EXPECT_EQ(decoded(picture), QString("V-%1").arg(n)) << n;
    }
    EXPECT_EQ(finished, QStringList(folder + "|Card has been exported successfully."));
    EXPECT_FALSE(Card_Value_In_Process);
    EXPECT_EQ(label->Text_contents()->string(), "V-1");   // record 0 is on the card again
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join("|").toStdString();
}

// Stop on the progress sheet, answered Yes at record 10, ends the batch within one
// record per worker; the finished box says how many cards the folder holds.
TEST_F(CardExportControllerTest, StopEndsTheBatchWithinOneRecordAndSaysHowManyWereWritten)
{
    bindSeries(400);
    answerDialog("PNG", 1, false, true);
    QPointer<Send_Modeless> sheet = controller->send_modls_wnd;
    ASSERT_TRUE(sheet);
    presenter.scriptAnswers({true});
    controller->setBatchBarcodeMaker([sheet](const SKTGraphic& graphic, const QString& value) -> Picture {
        if (value == "V-11")
            runOnGuiThreadAndWait([sheet] { sheet->_stop_btn->click(); });
        return BarcodeProducer::pictureForObject(graphic, value);
    });
    controller->Export_Button();
    waitForBatch();
    const QString folder = out.filePath("Vesk Brightfold");
    const int written = QDir(folder).entryList(QDir::Files).size();
    EXPECT_GE(written, 11);
    EXPECT_LE(written, 11 + QThread::idealThreadCount() - 1);
    EXPECT_EQ(presenter.texts(), QStringList("Are you sure you want to continue?"));
    EXPECT_EQ(finished,
              QStringList(QString("%1|The export was stopped: %2 of 400 cards were written in this folder:")
                              .arg(folder)
                              .arg(written)));
    EXPECT_FALSE(Card_Value_In_Process);
    Stop_SMS_Sending_Now = false;
}

// An export that fails stops there with one box: that it failed, how many
// cards the folder got, the file and the system's reason; no success box, no
// partial file, and record 0 back on the card. A folder in a card's place,
// the disk full as the sixth card is written, and a read-only chosen folder.
TEST_F(CardExportControllerTest, AFailedExportSaysSoWithTheCountAndTheReason)
{
    enum Fault { FolderInPlace, FullAtSixth, ReadOnly };
    const struct
    {
        Fault fault;
        int written;
        QString reason; // "<folder>": the batch folder; "<system>": a read-only one's reason
    } rows[] = {
        {FolderInPlace, 3, "Card_4.png could not be written: <folder>/Card_4.png is a folder."},
        {FullAtSixth, 5, "Card_6.png could not be written: No space left on device"},
        {ReadOnly, 0, "The folder could not be made: <system>"},
    };
    bindSeries(300);
    answerDialog("PNG", 1, false, true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        QTemporaryDir chosen;
        const QByteArray chosenPath = QFile::encodeName(chosen.path());
        const QString folder = chosen.filePath("Vesk Brightfold");
        ExportWindow::setFolderChooser([&](QWidget*) { return chosen.path(); });
        if (row.fault == FolderInPlace)
            QDir().mkpath(folder + "/Card_4.png");
        // read-only: a file system mounted so where the test may mount one,
        // else a folder without write bits (which the superuser writes)
        bool mounted = false;
        if (row.fault == ReadOnly) {
            mounted = ::geteuid() == 0 && ::mount("tmpfs", chosenPath, "tmpfs", MS_RDONLY, "size=64k") == 0;
            if (!mounted && ::geteuid() == 0)
                continue;
            if (!mounted)
                QFile::setPermissions(chosen.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        controller->setBatchBarcodeMaker([&](const SKTGraphic& graphic, const QString& value) -> Picture {
            if (value == "V-6" && row.fault == FullAtSixth) {
                while (curr_barcode_count < 5)
                    QThread::msleep(1);
                AtomicFile::setWriteLimitForTesting(0);
            }
            return BarcodeProducer::pictureForObject(graphic, value);
        });
        presenter.clear();
        finished.clear();
        controller->Export_Button();
        waitForBatch();
        AtomicFile::setWriteLimitForTesting(-1);
        if (mounted)
            ::umount(chosenPath);
        QFile::setPermissions(chosen.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QString system = mounted ? "Read-only file system" : "Permission denied";
        const QString reason = QString(row.reason).replace("<folder>", folder).replace("<system>", system);
        EXPECT_EQ(presenter.texts(),
                  QStringList(QString("\nThe export failed: %1 of 300 cards were written in the folder %2.\nReason: %3")
                                  .arg(row.written)
                                  .arg(folder, reason)));
        EXPECT_TRUE(finished.isEmpty());
        // files are written in record order: those before the failure, none after
        QStringList files;
        for (int n = 1; n <= row.written; ++n) {
            files << QString("Card_%1.png").arg(n);
            EXPECT_FALSE(QImage(folder + "/" + files.last()).isNull()) << n;
        }
        EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), files);
        EXPECT_FALSE(Card_Value_In_Process);
        EXPECT_EQ(label->Text_contents()->string(), "V-1");
    }
}

// A batch writes only inside its folder: a link at a card's name, to a file
// or a folder outside, is replaced itself by the card's picture and what it
// led to keeps its bytes; a FIFO there is refused as not a plain file.
TEST_F(CardExportControllerTest, ABatchWritesOnlyInsideItsFolder)
{
    bindSeries(2);
    answerDialog("TIFF", 1, false, true);
    const QString folder = out.filePath("Vesk Brightfold"), card = folder + "/Card_1.tiff";
    QTemporaryDir outside;
    const QString kept = outside.filePath("kept.tiff");
    ASSERT_TRUE(AtomicFile::save(kept, "outside"));
    const struct
    {
        const char* what;
        std::function<bool()> make;
        bool written;
    } cases[] = {
        {"link to a file outside", [&] { return QFile::link(kept, card); }, true},
        {"link to a folder outside", [&] { return QFile::link(outside.path(), card); }, true},
        {"FIFO", [&] { return ::mkfifo(QFile::encodeName(card).constData(), 0600) == 0; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder) && c.make());
        presenter.clear();
        controller->Export_Button();
        waitForBatch();
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("outside"));
        EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList {"kept.tiff"});
        const QFileInfo written(card);
        EXPECT_EQ(written.isFile() && !written.isSymLink() && !QImage(card).isNull(), c.written);
        EXPECT_EQ(presenter.texts().join('|').contains("is not a plain file."), !c.written)
            << presenter.texts().join('|').toStdString();
    }
}

// A TIFF is drawn at the resolution chosen in the dialog: the card's size in
// points at that many pixels per inch, the resolution written in the file
// (read back by libtiff's own tiffinfo), and at 300 dpi the Code 128 and the
// QR Code on the card read back. Other types keep the card's own size.
TEST_F(CardExportControllerTest, TiffAtTheChosenResolution)
{
    const auto barcode = [](const char* symbology, const QString& value, QPointF at) {
        auto code = std::make_shared<SKTBarcode>();
        code->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf(symbology));
        code->qr_size_val = 60;
        code->Set_Barcode_image(BarcodeProducer::pictureForObject(*code, value));
        code->barcode_image_var_assign();
        code->_bounds = QRectF(at, code->_contents.size());
        return code;
    };
    const auto linear = barcode("Code 128", "BF42", {8, 8});
    const auto square = barcode("QR Code", "https://example.org/badge/0042", {145, 55});
    ASSERT_FALSE(linear->_contents.isNull());
    ASSERT_FALSE(square->_contents.isNull());
    const QRectF card = controller->frontCanvasBounds();
    ASSERT_TRUE(card.contains(linear->_bounds)) << linear->_bounds.right();
    ASSERT_TRUE(card.contains(square->_bounds)) << square->_bounds.bottom();
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {linear, square}, IndexSet::range(0, 2));

    const struct {
        const char* type;
        const char* dpi;
        double expectedDpi;
    } cases[] = {
        {"TIFF", "72", 72}, {"TIFF", "150", 150}, {"TIFF", "300", 300},
        {"PNG", "300", 72}, {"JPEG", "300", 72},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.dpi);
        const QString path = out.filePath(QString("card-%1.%2").arg(c.dpi, QString(c.type).toLower()));
        SavePanel::setHandler([&](const QString&, const QString&) { return path; });
        ExportWindow::setModalRun([&](ExportWindow& w) {
            w.fileFormatPopup->setCurrentText(c.type);
            w.saveDPIText->setCurrentText(c.dpi);
            w.selectSideRow(1);
            return 1;
        });
        controller->Export_Button();
        const QImage picture(path);
        ASSERT_FALSE(picture.isNull());
        // card points (millimetres / 25.4 * 72) at the density
        const QSizeF pixels = card.size() * c.expectedDpi / 72.0;
        EXPECT_NEAR(picture.width(), pixels.width(), 1);
        EXPECT_NEAR(picture.height(), pixels.height(), 1);
        EXPECT_NEAR(picture.dotsPerMeterX() * 0.0254, c.expectedDpi, 0.5);
        if (QString(c.type) != "TIFF")
            continue;
        QProcess tiffinfo;
        tiffinfo.start("tiffinfo", {path});
        ASSERT_TRUE(tiffinfo.waitForFinished(30000));
        const QString info = QString::fromUtf8(tiffinfo.readAllStandardOutput());
        const QRegularExpressionMatch resolution =
            QRegularExpression("Resolution: ([\\d.]+), ([\\d.]+) pixels/inch").match(info);
        ASSERT_TRUE(resolution.hasMatch()) << info.toStdString();
        EXPECT_NEAR(resolution.captured(1).toDouble(), c.expectedDpi, 0.5);
        EXPECT_NEAR(resolution.captured(2).toDouble(), c.expectedDpi, 0.5);
        if (c.expectedDpi < 300)
            continue;
        // each barcode read where it lies on the card, on a white margin
        const double scale = picture.width() / card.width();
        for (const auto& [code, value] : {std::pair {linear, QString("BF42")},
                                          std::pair {square, QString("https://example.org/badge/0042")}}) {
            const QRect area = QRectF(code->_bounds.topLeft() * scale, code->_bounds.size() * scale).toAlignedRect();
            QImage framed(area.width() + 80, area.height() + 80, QImage::Format_RGB32);
            framed.fill(Qt::white);
            QPainter(&framed).drawImage(40, 40, picture.copy(area));
            EXPECT_EQ(ObjectTestSupport::decodeBarcode(framed).text, value);
        }
    }
}
