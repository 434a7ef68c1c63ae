// The barcode designer: its rules, a value edited through its controls,
// OK and Cancel on the card, the source lists, and symbols made through the
// window read back by a standard decoder.

#include "WindowControllerFixture.h"
#include "common/ObjectTestSupport.h"

#include "app/Globals.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "data/BatchBinding.h"
#include "mainwindow/barcode/BarcodeDesignerRules.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "mainwindow/barcode/SteppingSpinBox.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QProcess>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

using ObjectTestSupport::decodeBarcode;

TEST(BarcodeDesignerRules, QrSideMinimumAndDataMatrixSizeRule)
{
    for (const auto& [index, side] : {std::pair{0, 21}, {1, 21}, {2, 25}, {10, 57}, {40, 177}})
        EXPECT_EQ(BarcodeDesignerRules::qrMinimumSide(index), side) << index;

    struct Case { const char* format; int module; QSize before; QSize after; };
    for (const Case& c : {Case{"C16X48", 2, {10, 10}, {96, 32}}, Case{"C16X48", 2, {200, 90}, {200, 90}},
                          Case{"C8X18", 3, {60, 10}, {60, 24}}, Case{"Auto", 5, {1, 1}, {1, 1}}})
        EXPECT_EQ(BarcodeDesignerRules::dataMatrixSize(c.format, c.module, c.before), c.after) << c.format;
}

TEST(BarcodeDesignerRules, AlignmentsLabelsKerningAndHelp)
{
    Qt::Alignment a;
    ASSERT_TRUE(BarcodeDesignerRules::previewAlignment("BottomRight", &a));
    EXPECT_EQ(a, Qt::AlignBottom | Qt::AlignRight);
    ASSERT_TRUE(BarcodeDesignerRules::previewAlignment("Left", &a));
    EXPECT_EQ(a, Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_FALSE(BarcodeDesignerRules::previewAlignment("Middle", &a));
    EXPECT_EQ(BarcodeDesignerRules::sizeLabels(true, 1).barHeight, "Bar Height (cm):");
    EXPECT_EQ(BarcodeDesignerRules::sizeLabels(true, 2).margins, "Margins (mm)");
    EXPECT_EQ(BarcodeDesignerRules::sizeLabels(false, 1).barWidth, "Bar Width :");
    for (const char* t : {"UPCA", "UPCE", "EAN-8", "EAN-13"})
        EXPECT_FALSE(BarcodeDesignerRules::kerningAllowed(t)) << t;
    EXPECT_TRUE(BarcodeDesignerRules::kerningAllowed("Code 39"));
    EXPECT_EQ(BarcodeDesignerRules::help(BarcodeDesignerRules::Help::DmFormat).text,
              "Preferred Mode determines the smallest size of the symbol.");
}

class BarcodeDesignerTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        designer = Barcode_Gen::defaultInstance();
        Barcode_output_image = Picture();
        Barcode_Gen::setDataSources({});
    }
    void TearDown() override
    {
        Barcode_Gen::setModalRun({});
        Barcode_Gen::setDataSources({});
        Barcode_output_image = Picture();
        WindowControllerFixture::TearDown();
    }

    // The one barcode placed with the tool on the front, the designer opening
    // on a double click as in the program.
    GraphicPtr placeBarcode()
    {
        controller->setBarcodeDesigner([this](const GraphicPtr& g) { return designer->Open_Wnd(g); });
        control<QAbstractButton>("Barcode_Tool_btn")->click();
        const GraphicList& placed = controller->graphicView(0)->controller().graphics();
        return placed.size() == 1 ? placed.front() : GraphicPtr();
    }

    // Opens the designer on `object`, works its controls with `steps`, then
    // presses OK (or Cancel); the designer's answer.
    GraphicPtr edit(const GraphicPtr& object, const std::function<void(Barcode_Gen&)>& steps, bool ok = true)
    {
        Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
            d.setResult(-1);
            steps(d);
            ok ? d.OK_Btn_Clicked() : d.Cancel_Btn_Clicked();
            return d.result();
        });
        return designer->Open_Wnd(object);
    }

    static void choose(QComboBox* list, const QString& title)
    {
        const int at = list->findText(title);
        ASSERT_GE(at, 0) << title.toStdString();
        list->setCurrentIndex(at);
    }
    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    Barcode_Gen* designer = nullptr;
};

TEST_F(BarcodeDesignerTest, OkWritesTheEditedValueAndPictureIntoTheObject)
{
    auto object = std::make_shared<SKTBarcode>();
    const GraphicPtr answer = edit(object, [&](Barcode_Gen& d) {
        EXPECT_EQ(d.dataText->text(), "0123");
        EXPECT_EQ(d.HeaderText->text(), "HEADER");
        EXPECT_FALSE(d.preview().isNull());
        choose(d.barcodeTypePopup, "Code 128");
        type(d.dataText, "BF-2026/07");
        type(d.HeaderText, "Guest");
        d.hideFooterCheckbox->setChecked(true);
        d.HeightText->setValue(1.2);
        choose(d.align_hdr_combo, "Right");
    });
    ASSERT_EQ(answer, object);
    EXPECT_EQ(object->barcode_font_index, BarcodeSettings::symbologyTitles().indexOf("Code 128"));
    EXPECT_EQ(object->linear_or_2d, 0);
    EXPECT_EQ(object->linear_font_val, "BF-2026/07");
    EXPECT_EQ(object->header_val, "Guest");
    EXPECT_EQ(object->show_hide_ftr, 1);
    EXPECT_FLOAT_EQ(object->linear_height_val, 1.2f);
    EXPECT_EQ(object->align_hdr_index, 2);
    ASSERT_FALSE(Barcode_output_image.isNull());
    EXPECT_EQ(decodeBarcode(Barcode_output_image.image()).text, "BF-2026/07");
}

// Two-dimensional symbols made through the window read back as typed.
TEST_F(BarcodeDesignerTest, TwoDimensionalSymbolsMadeInTheWindowDecode)
{
    struct Case { const char* symbology; const char* value; const char* format; };
    for (const Case& c : {Case{"QR Code", "Brightfold\nRow 7, Seat 12", "QRCode"},
                          Case{"PDF417", "ID 4711-0815 Anna Smith", "PDF417"}}) {
        auto object = std::make_shared<SKTBarcode>();
        Barcode_output_image = Picture();
        edit(object, [&](Barcode_Gen& d) {
            choose(d.barcodeTypePopup, c.symbology);
            EXPECT_EQ(d.sett_tab->count(), 4) << "the resolution tab is shown for two-dimensional symbols";
            d.dataText_2D->setPlainText(c.value);
        });
        EXPECT_EQ(object->linear_or_2d, 1) << c.symbology;
        EXPECT_EQ(object->two_d_font_val, c.value);
        ASSERT_FALSE(Barcode_output_image.isNull()) << c.symbology;
        const auto decoded = decodeBarcode(Barcode_output_image.image());
        EXPECT_EQ(decoded.text, c.value) << c.symbology;
        EXPECT_EQ(decoded.format, c.format);
    }
}

// Each error level chosen in the window reaches the symbol the preview and
// the object get, as a decoder reads it.
TEST_F(BarcodeDesignerTest, EveryPdf417ErrorLevelReachesTheSymbol)
{
    for (int level = 0; level <= 8; ++level) {
        SCOPED_TRACE(level);
        auto object = std::make_shared<SKTBarcode>();
        Barcode_output_image = Picture();
        edit(object, [&](Barcode_Gen& d) {
            choose(d.barcodeTypePopup, "PDF417");
            d.Pdf_widthText_2D->setValue(400);
            d.pdf_HeightText_2D->setValue(200);
            d.dataText_2D->setPlainText("Seat 12");
            d.pdf_ec_lvl_Text->setValue(level == 2 ? 3 : 2); // a change whatever the level
            d.pdf_ec_lvl_Text->setValue(level);
            EXPECT_EQ(d.pdf_barcode.getErrorLevel(), level);
            ASSERT_FALSE(d.image_2d.isNull());
            EXPECT_EQ(decodeBarcode(d.image_2d.image()).ecLevel, QString::number(level));
        });
        EXPECT_EQ(object->pdf_ec_val, level);
        ASSERT_FALSE(Barcode_output_image.isNull());
        const auto decoded = decodeBarcode(Barcode_output_image.image());
        EXPECT_EQ(decoded.text, "Seat 12");
        EXPECT_EQ(decoded.ecLevel, QString::number(level));
    }
}

TEST_F(BarcodeDesignerTest, ControlsFollowTheValueAndThePreviewFollowsTheControls)
{
    auto object = std::make_shared<SKTBarcode>();
    object->barcode_font_index = BarcodeSettings::symbologyTitles().indexOf("QR Code");
    object->linear_or_2d = 1;
    object->qr_size_val = 30;
    object->two_d_font_val = "first";
    object->header_font_val = FontSpec("Liberation Sans", 14);
    edit(
        object,
        [&](Barcode_Gen& d) {
            // loaded as a QR Code: its box alone, the resolution tab in
            EXPECT_FALSE(d.two_d_sett_box->isHidden());
            EXPECT_TRUE(d.pdf_2d_sett_box->isHidden());
            EXPECT_TRUE(d.dm_2d_sett_box->isHidden());
            EXPECT_TRUE(d.linear_sett_box->isHidden());
            EXPECT_EQ(d.sett_tab->count(), 4);
            EXPECT_EQ(d.header_font_value->text(), "Liberation Sans ( 14.00 )");
            const QImage first = d.preview().image();
            d.dataText_2D->setPlainText("second");
            EXPECT_NE(d.preview().image(), first);
            // version 10 raises the side to its minimum
            d.qr_version_ComboBox->setCurrentIndex(10);
            EXPECT_EQ(d.HeightText_2D->value(), 57);
            EXPECT_EQ(d.value().qr_size_val, 57);
            // back to linear: the tab goes, the first tab shows
            d.sett_tab->setCurrentIndex(2);
            choose(d.barcodeTypePopup, "Code 39");
            EXPECT_EQ(d.sett_tab->count(), 3);
            EXPECT_EQ(d.sett_tab->currentIndex(), 0);
            EXPECT_FALSE(d.linear_sett_box->isHidden());
            // a Data Matrix module stepped (not typed) raises the size fields
            choose(d.barcodeTypePopup, "DataMatrix");
            choose(d.dm_format_ComboBox, "C16X48");
            d.dm_moduleText_2D->setValue(3);
            EXPECT_EQ(d.dm_widthText_2D->value(), 96);
            d.dm_moduleText_2D->stepBy(1);
            EXPECT_EQ(d.dm_widthText_2D->value(), 192);
            EXPECT_EQ(d.dm_HeightText_2D->value(), 64);
            // an empty value blanks the preview and shows why
            choose(d.barcodeTypePopup, "Code 39");
            d.dataText->selectAll();
            QTest::keyClick(d.dataText, Qt::Key_Delete);
            EXPECT_TRUE(d.preview().isNull());
            EXPECT_FALSE(d.barcode_error_label->isHidden());
        },
        true);
    // OK refused: the value is empty, the window stayed open
    EXPECT_EQ(object->two_d_font_val, "first");
    EXPECT_EQ(object->qr_size_val, 30);
}

// Cancel leaves the edited object and every other selected barcode as it
// was, the binding chosen meanwhile included; OK reaches them all.
TEST_F(BarcodeDesignerTest, CancelLeavesTheCardAsItWasOkReachesEverySelectedBarcode)
{
    controller->setBarcodeDesigner([this](const GraphicPtr& g) { return designer->Open_Wnd(g); });
    Barcode_Gen::setDataSources({[] { return QStringList{"Guests"}; }, [](const QString&) { return QString("G-17"); },
                                 {}, {}, {}});
    CanvasController& canvas = controller->graphicView(0)->controller();
    control<QAbstractButton>("Barcode_Tool_btn")->click();
    control<QAbstractButton>("Barcode_Tool_btn")->click();
    const GraphicList barcodes = canvas.graphics();
    ASSERT_EQ(barcodes.size(), 2);
    canvas.changeSelectionIndexes(IndexSet::range(0, 2));
    std::vector<BarcodeSettings> before;
    std::vector<QImage> pictures;
    for (const GraphicPtr& g : barcodes) {
        before.push_back(BarcodeSettings::fromObject(*g));
        pictures.push_back(g->_barcode_image.image());
    }

    const auto work = [&](Barcode_Gen& d) {
        choose(d.barcodeTypePopup, "Code 128");
        type(d.dataText, "X1");
        choose(d.Data_source_type, "Series");
        choose(d.Batch_Series, "Guests");
    };
    Barcode_Gen::setModalRun([&](Barcode_Gen& d) { work(d); d.Cancel_Btn_Clicked(); return d.result(); });
    controller->Open_Barcode_Window();
    for (qsizetype i = 0; i < barcodes.size(); ++i) {
        EXPECT_EQ(BarcodeSettings::fromObject(*barcodes[i]), before[size_t(i)]) << i;
        EXPECT_EQ(barcodes[i]->_barcode_image.image(), pictures[size_t(i)]) << i;
    }

    Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
        work(d);
        EXPECT_EQ(d.dataText->text(), "G-17") << "a bound value shows the series' first value";
        EXPECT_TRUE(d.dataText->isReadOnly());
        choose(d.barcodeTypePopup, "QR Code");
        EXPECT_EQ(d.dataText_2D->toPlainText(), "G-17") << "the bound value follows the symbology";
        choose(d.barcodeTypePopup, "Code 128");
        d.OK_Btn_Clicked();
        return d.result();
    });
    control<QAbstractButton>("View_barcode_prop_Button")->click();
    const GraphicPtr edited = canvas._Selected_Graphic;
    for (const GraphicPtr& g : barcodes) {
        EXPECT_EQ(g->barcode_font_index, BarcodeSettings::symbologyTitles().indexOf("Code 128"));
        EXPECT_EQ(g->linear_font_val, g == edited ? "G-17" : "0123") << "a record stays on its own barcode";
    }
    EXPECT_EQ(edited->data_source_type, 1);
    EXPECT_EQ(edited->batch_list_name, "Guests");
    EXPECT_EQ(decodeBarcode(edited->_barcode_image.image()).text, "G-17");
}

TEST_F(BarcodeDesignerTest, SourceListsWithoutSeriesAndAnEmptyValueAnswerWithMessages)
{
    auto object = std::make_shared<SKTBarcode>();
    object->linear_font_val = "";
    edit(
        object,
        [&](Barcode_Gen& d) {
            choose(d.barcodeTypePopup, "Code 128");
            choose(d.Data_source_type, "Series");
            EXPECT_EQ(d.value().data_source_type, 0);
        },
        false);
    EXPECT_EQ(presenter.texts(),
              (QStringList{"\nPlease enter barcode value", "\nPlease create batch processing series first."}));
}

}

namespace {

// A Code 128 dragged, then made a QR Code in the designer: Undo brings the
// Code 128 back with its frame, Redo the QR Code with its own, and the next
// Undo steps undo the drag. (A button that is off does nothing when clicked.)
TEST_F(BarcodeDesignerTest, UndoAndRedoOfTheDesignerKeepTheFrameWithItsPicture)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    const GraphicPtr barcode = placeBarcode();
    ASSERT_TRUE(barcode);
    const auto doubleClickAs = [&](const char* symbology) {
        Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
            choose(d.barcodeTypePopup, symbology);
            d.OK_Btn_Clicked();
            return d.result();
        });
        const QPointF at = barcode->bounds().center();
        canvas.mouseDown({at, 1, {}});
        canvas.mouseUp({at, 1, {}});
        canvas.mouseDown({at, 2, {}});
        canvas.mouseUp({at, 2, {}});
        QCoreApplication::processEvents(); // the end of the event closes its undo steps
    };
    const auto shows = [&](const char* title, const char* format, QPointF corner) {
        EXPECT_EQ(barcode->barcode_font_index, BarcodeSettings::symbologyTitles().indexOf(title));
        EXPECT_EQ(decodeBarcode(barcode->_barcode_image.image()).format.toStdString(), format);
        EXPECT_EQ(barcode->bounds(), QRectF(corner, barcode->_barcode_image.size())) << format;
    };
    QCoreApplication::processEvents();
    doubleClickAs("Code 128");
    const QPointF placed = barcode->bounds().topLeft();
    const QPointF from = barcode->bounds().center();
    canvas.mouseDown({from, 1, {}});
    canvas.mouseDragged({from + QPointF(20, 15), 1, {}});
    canvas.mouseUp({from + QPointF(40, 30), 1, {}});
    QCoreApplication::processEvents();
    const QPointF moved = placed + QPointF(40, 30);
    ASSERT_EQ(barcode->bounds().topLeft(), moved);
    const QSizeF code128 = barcode->bounds().size();
    doubleClickAs("QR Code");
    shows("QR Code", "QRCode", moved);
    ASSERT_NE(barcode->bounds().size(), code128);

    control<QAbstractButton>("Undo_btn")->click();
    shows("Code 128", "Code128", moved);
    control<QAbstractButton>("Redo_btn")->click();
    shows("QR Code", "QRCode", moved);
    EXPECT_FALSE(control<QAbstractButton>("Redo_btn")->isEnabled());
    control<QAbstractButton>("Undo_btn")->click();
    control<QAbstractButton>("Undo_btn")->click();
    shows("Code 128", "Code128", placed);
    EXPECT_EQ(barcode->bounds().size(), code128);
}

// A double click on a barcode just placed (the tool's click ends with
// nothing selected) opens the designer on it, and OK reaches that barcode.
TEST_F(BarcodeDesignerTest, DoubleClickOnAPlacedBarcodeTakesTheDesignBack)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    const GraphicPtr barcode = placeBarcode();
    ASSERT_TRUE(barcode);
    const QPointF centre = barcode->_bounds.center();
    Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
        choose(d.barcodeTypePopup, "Code 128");
        type(d.dataText, "DC-99");
        d.OK_Btn_Clicked();
        return d.result();
    });
    canvas.mouseDown({centre, 1, {}});
    canvas.mouseUp({centre, 1, {}});
    canvas.mouseDown({centre, 2, {}});
    canvas.mouseUp({centre, 2, {}});
    EXPECT_EQ(barcode->linear_font_val, "DC-99");
    EXPECT_EQ(decodeBarcode(barcode->_barcode_image.image()).text, "DC-99");
}

}

namespace {

// A new resolution applies from the next picture; the preview stays.
TEST_F(BarcodeDesignerTest, ResolutionListLeavesThePreviewUntilTheNextPicture)
{
    auto object = std::make_shared<SKTBarcode>();
    object->barcode_font_index = BarcodeSettings::symbologyTitles().indexOf("QR Code");
    object->linear_or_2d = 1;
    edit(object, [&](Barcode_Gen& d) {
        choose(d.DPI_ComboBox, "600");
        d.Encode_btn();
        const QSize fine = d.preview().image().size();
        choose(d.DPI_ComboBox, "72");
        EXPECT_EQ(USED_DPI_VALUE, 72);
        EXPECT_EQ(d.preview().image().size(), fine);
        d.Encode_btn();
        EXPECT_LT(d.preview().image().width(), fine.width());
    });
}

TEST_F(BarcodeDesignerTest, FlippedPreviewsAndThePleaseWaitSheet)
{
    QImage corner(4, 2, QImage::Format_RGB32);
    corner.fill(Qt::white);
    corner.setPixel(0, 0, qRgb(0, 0, 0));
    struct Case { void (*flip)(QLabel*); QPoint dark; };
    for (const Case& c : {Case{&Barcode_Gen::flipImageVertically, {0, 1}},
                          Case{&Barcode_Gen::flipImageHorizontally, {3, 0}}}) {
        QLabel view;
        view.setPixmap(QPixmap::fromImage(corner));
        c.flip(&view);
        const QImage shown = view.pixmap().toImage();
        ASSERT_EQ(shown.size(), corner.size());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(qGray(shown.pixel(x, y)) < 128, QPoint(x, y) == c.dark) << x << "," << y;
    }
    QLabel empty;
    Barcode_Gen::flipImageVertically(&empty);
    EXPECT_TRUE(empty.pixmap().isNull());

    designer->Show_Create_Modeless();
    EXPECT_TRUE(designer->plz_wait_Window->isVisible());
    designer->Hide_Destroy_Modeless();
    EXPECT_FALSE(designer->plz_wait_Window->isVisible());
}

}

namespace {

// A barcode with a linear frame (42.7 x 22 mm) switched to QR Code with no
// header and footer: its frame and handles become the symbol's picture, and
// moved onto the card's bottom edge from inside it prints whole and reads.
TEST_F(BarcodeDesignerTest, QrFrameHoldsTheSymbolAndPrintsWholeAtTheCardEdge)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    const GraphicPtr barcode = placeBarcode();
    ASSERT_TRUE(barcode);
    canvas.changeSelectionIndexes(IndexSet(0));
    barcode->setBounds(QRectF(20, 20, 121, 62.4));
    const QString value = QStringLiteral("Row 7, Seat 12");
    Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
        choose(d.barcodeTypePopup, "QR Code");
        d.dataText_2D->setPlainText(value);
        for (QLineEdit* text : {d.HeaderText, d.FooterText}) {
            text->selectAll();
            QTest::keyClick(text, Qt::Key_Delete);
        }
        d.OK_Btn_Clicked();
        return d.result();
    });
    control<QAbstractButton>("View_barcode_prop_Button")->click();
    ASSERT_EQ(barcode->header_val, "");
    const Picture picture = barcode->_barcode_image;
    ASSERT_EQ(decodeBarcode(picture.image()).format, "QRCode");
    EXPECT_EQ(barcode->bounds(), QRectF(QPointF(20, 20), picture.size()));
    EXPECT_EQ(barcode->handleUnderPoint(QPointF(20, 20) + QPointF(picture.size().width(), picture.size().height())),
              SKTGraphic::LowerRightHandle);

    const QRectF card = controller->batchSideSnapshot(0).card();
    barcode->setBounds(barcode->bounds().translated(card.left() + 5 - barcode->bounds().left(),
                                                    card.bottom() - barcode->bounds().bottom()));
    ASSERT_TRUE(card.contains(barcode->bounds()));
    QTemporaryDir folder;
    SheetLayout layout;
    layout.setPaper({595.28, 841.89});
    layout.setCardSize(card.size());
    layout = layout.fitted();
    const auto source = SheetPainter::snapshotSource(controller->batchSideSnapshot(0), controller->batchSideSnapshot(1),
                                                     {});
    ASSERT_TRUE(SheetPdfJob::print(layout, SheetPagination(1, 1, 1), source, folder.filePath("card.pdf")).ok);
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm",
                   {"-r", "300", "-gray", "-png", "-singlefile", folder.filePath("card.pdf"), folder.filePath("card")});
    ASSERT_TRUE(pdftoppm.waitForFinished(60000));
    // The card as printed, on white with a quiet border.
    const QRect cell = QRectF(layout.cellRect(1, 1).topLeft() * 300 / 72, card.size() * 300 / 72).toAlignedRect();
    QImage printed(cell.size() + QSize(80, 80), QImage::Format_RGB32);
    printed.fill(Qt::white);
    QPainter(&printed).drawImage(40, 40, QImage(folder.filePath("card.png")).copy(cell));
    EXPECT_EQ(decodeBarcode(printed).text, value);
}

// A Code 128, a QR Code and a text, all selected; a double click on the QR
// Code opens the designer, left with OK.
struct SelectionCase
{
    const char* name;
    int otherSource;        // the Code 128's value source: 0 typed, 1 series, 2 column
    const char* symbology;  // chosen in the designer; null keeps the QR Code
    const char* typed;      // typed as the linear value; null types nothing
    const char* format;     // of the edited barcode's symbol after OK
    const char* otherShows; // the Code 128's symbol after OK; null for none
};

class BarcodeDesignerSelectionTest : public BarcodeDesignerTest, public ::testing::WithParamInterface<SelectionCase>
{
protected:
    void SetUp() override
    {
        BarcodeDesignerTest::SetUp();
        controller->Excel_Column_Titles = {"No.", "Name"};
        controller->ListData = {{{"Extension", "1"}, {"Column1", "Ada"}}};
        Barcode_Gen::setDataSources(
            {[] { return QStringList {"Guests"}; },
             [](const QString&) { return QString("G-17"); },
             [this] { return controller->Excel_Column_Titles; },
             [this](int column) { return BatchBinding::cellOf(controller->ListData, 0, column); },
             {}});
    }

    // A barcode object showing its own picture in a frame of that size.
    static GraphicPtr barcode(const char* symbology, const QString& value, QPointF at)
    {
        auto b = std::make_shared<SKTBarcode>();
        b->barcode_font_index = BarcodeSettings::symbologyTitles().indexOf(symbology);
        b->linear_or_2d = b->barcode_font_index >= BarcodeSettings::firstTwoDimensionalIndex() ? 1 : 0;
        (b->linear_or_2d ? b->two_d_font_val : b->linear_font_val) = value;
        b->Set_Barcode_image(BarcodeProducer::pictureForObject(*b, value));
        b->_bounds = QRectF(at, b->_barcode_image.size());
        return b;
    }

    // Settings, source, frame, picture and print flag of each object.
    using Look = std::tuple<BarcodeSettings, int, QRectF, QImage, int>;
    static std::vector<Look> looks(const GraphicList& graphics)
    {
        std::vector<Look> all;
        for (const GraphicPtr& g : graphics)
            all.emplace_back(BarcodeSettings::fromObject(*g), g->data_source_type, g->bounds(),
                             g->_barcode_image.image(), g->print_object);
        return all;
    }
};

// Every selected barcode shows the picture of the new settings made from its
// own value and source, in a frame of its size, as output draws it; the text
// takes nothing.
TEST_P(BarcodeDesignerSelectionTest, OkRedrawsEverySelectedBarcodeFromItsOwnValue)
{
    const SelectionCase& c = GetParam();
    CanvasController& canvas = controller->graphicView(0)->controller();
    const GraphicPtr code128 = barcode("Code 128", "C1", {10, 10});
    const GraphicPtr qr = barcode("QR Code", "QR-7", {code128->bounds().right() + 10, 10});
    code128->data_source_type = c.otherSource;
    code128->batch_list_name = c.otherSource == 1 ? "Guests" : "";
    code128->excel_col_indx = c.otherSource == 2 ? 1 : 0;
    auto text = std::make_shared<SKTText>();
    text->Text_contents()->setString("Seat 12");
    text->_bounds = QRectF(10, std::max(code128->bounds().bottom(), qr->bounds().bottom()) + 10, 80, 20);
    document->insertGraphics({code128, qr, text}, IndexSet::range(0, 3));
    controller->setBarcodeDesigner([this](const GraphicPtr& g) { return designer->Open_Wnd(g); });
    canvas.changeSelectionIndexes(IndexSet::range(0, 3));
    QCoreApplication::processEvents();
    const auto before = looks({code128, qr, text});

    GraphicPtr openedOn;
    Barcode_Gen::setModalRun([&](Barcode_Gen& d) {
        openedOn = d.pass_barcode_control;
        EXPECT_EQ(canvas.selectionIndexes().count(), 3) << "the double click keeps the selection";
        if (c.symbology)
            choose(d.barcodeTypePopup, c.symbology);
        if (c.typed) {
            d.widthText->setValue(10); // narrow bars keep the symbol on the card
            type(d.dataText, c.typed);
        }
        type(d.HeaderText, "Guest");
        d.OK_Btn_Clicked();
        return d.result();
    });
    const QPointF at = qr->bounds().center();
    canvas.mouseDown({at, 1, {}});
    canvas.mouseUp({at, 1, {}});
    canvas.mouseDown({at, 2, {}});
    canvas.mouseUp({at, 2, {}});
    QCoreApplication::processEvents();
    ASSERT_EQ(openedOn, qr);
    const auto after = looks({code128, qr, text});
    EXPECT_EQ(after[2], before[2]) << "the text takes nothing";
    const auto frame = [&](int i) { return std::get<2>(before[i]); };
    const auto edited = decodeBarcode(qr->_barcode_image.image());
    EXPECT_EQ(edited.format, c.format);
    EXPECT_EQ(edited.text, c.typed ? c.typed : "QR-7");
    EXPECT_EQ(qr->bounds(), QRectF(frame(1).topLeft(), qr->_barcode_image.size()));
    EXPECT_EQ(code128->_barcode_image.isNull(), !c.otherShows) << "a refused value shows no symbol, not the old one";
    EXPECT_EQ(code128->bounds(), c.otherShows ? QRectF(frame(0).topLeft(), code128->_barcode_image.size()) : frame(0));
    if (c.otherShows) {
        const auto other = decodeBarcode(code128->_barcode_image.image());
        EXPECT_EQ(other.format, c.format);
        EXPECT_EQ(other.text, c.otherShows);
    }

    // Output binds record 0 into its copy of the side: the same pictures in the same frames.
    controller->Check_Series_Or_Excel_Use_or_not();
    SideSnapshot shot = controller->batchSideSnapshot(0);
    ASSERT_EQ(controller->bindRecordIntoSnapshot(shot, 0), "");
    EXPECT_EQ(looks(shot.graphics()), after);
}

// OK on the right of two selected QR Codes hands the left one the settings
// and a typed value, never a record; both show what the first card prints.
TEST_F(BarcodeDesignerSelectionTest, OkHandsOnTheLookAndATypedValueNeverARecord)
{
    controller->Excel_Column_Titles = {"No.", "Badge"};
    controller->ListData = {{{"Extension", "1"}, {"Column1", "BX7000"}}, {{"Extension", "2"}, {"Column1", "BX7001"}}};
    controller->setBarcodeDesigner([this](const GraphicPtr& g) { return designer->Open_Wnd(g); });
    Barcode_Gen::setModalRun([this](Barcode_Gen& d) {
        controller->graphicView(0)->grab(); // the canvas redrawn meanwhile
        d.OK_Btn_Clicked();
        return d.result();
    });
    CanvasController& canvas = controller->graphicView(0)->controller();
    // 0 typed, 1 the series, 2 the Badge column, 3 a column now gone (no picture)
    const auto takeSource = [](SKTGraphic& g, int source) {
        g.data_source_type = std::min(source, 2);
        g.batch_list_name = source == 1 ? "Guests" : "";
        g.excel_col_indx = source == 3 ? -1 : 1;
        if (source == 3)
            g.Set_Barcode_image(Picture());
    };
    // sources of the right and the left one, the left one's typed value after OK, what each shows (null: nothing)
    const std::tuple<int, int, const char*, const char*, const char*> cases[] = {
        {0, 0, "RIGHT-9", "RIGHT-9", "RIGHT-9"}, {0, 1, "RIGHT-9", "G-17", "RIGHT-9"},
        {0, 3, "RIGHT-9", nullptr, "RIGHT-9"},   {2, 0, "LEFT-123", "LEFT-123", "BX7000"},
        {2, 1, "LEFT-123", "G-17", "BX7000"},    {2, 3, "LEFT-123", nullptr, "BX7000"},
        {3, 0, "LEFT-123", "LEFT-123", nullptr}};
    for (const auto& [rightSource, leftSource, leftValue, leftShows, rightShows] : cases) {
        SCOPED_TRACE(std::to_string(rightSource) + " over " + std::to_string(leftSource));
        const GraphicPtr left = barcode("QR Code", leftSource == 1 ? "G-17" : "LEFT-123", {10, 10});
        left->two_d_font_val = "LEFT-123";
        const GraphicPtr right = barcode("QR Code", rightSource == 2 ? "BX7000" : "RIGHT-9",
                                         {left->bounds().right() + 10, 10});
        right->qr_ec_index = 3;
        takeSource(*left, leftSource);
        takeSource(*right, rightSource);
        document->insertGraphics({left, right}, IndexSet::range(0, 2));
        canvas.changeSelectionIndexes(IndexSet::range(0, 2));
        QCoreApplication::processEvents();
        const auto before = looks({left, right});

        const QPointF at = right->bounds().center();
        canvas.mouseDown({at, 1, {}});
        canvas.mouseUp({at, 1, {}});
        canvas.mouseDown({at, 2, {}});
        canvas.mouseUp({at, 2, {}});
        QCoreApplication::processEvents();
        EXPECT_EQ(left->two_d_font_val, leftValue);
        EXPECT_EQ(left->qr_ec_index, 3) << "the settings reach it";
        for (const auto& [g, source, shows] :
             {std::tuple(left, leftSource, leftShows), std::tuple(right, rightSource, rightShows)}) {
            SKTBarcode bound;
            takeSource(bound, source);
            EXPECT_EQ(std::tuple(g->data_source_type, g->batch_list_name, g->excel_col_indx),
                      std::tuple(bound.data_source_type, bound.batch_list_name, bound.excel_col_indx));
            EXPECT_EQ(g->_barcode_image.isNull() ? QString() : decodeBarcode(g->_barcode_image.image()).text,
                      QString(shows ? shows : ""));
        }
        const auto after = looks({left, right});
        controller->Check_Series_Or_Excel_Use_or_not();
        SideSnapshot shot = controller->batchSideSnapshot(0);
        ASSERT_EQ(controller->bindRecordIntoSnapshot(shot, 0), "");
        EXPECT_EQ(looks(shot.graphics()), after) << "the first card prints what the canvas shows";
        control<QAbstractButton>("Undo_btn")->click();
        EXPECT_EQ(looks({left, right}), before);
        document->Clear_All_Undo_Redo();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BarcodeDesignerSelectionTest,
    ::testing::Values(SelectionCase {"Typed", 0, nullptr, nullptr, "QRCode", "QR-7"},
                      SelectionCase {"Series", 1, nullptr, nullptr, "QRCode", "G-17"},
                      SelectionCase {"Column", 2, nullptr, nullptr, "QRCode", "Ada"},
                      SelectionCase {"RefusedByTheNewSymbology", 1, "EAN-13", "4006381333931", "EAN-13", nullptr}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return std::string(info.param.name); });
}
