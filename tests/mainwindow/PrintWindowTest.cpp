// The print window over the main window's card: its controls edit the sheet
// layout, every opening starts from the same form, the live preview draws the
// same sheet each time, the print preview stops at 50 sheets, "No printer
// found." when the print system lists none, and single cards and series
// batches printed to PDF files that an independent reader checks.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "data/Globals.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/print/Sample_Preview.h"
#include "model/SKTText.h"
#include "output/PrinterCatalog.h"
#include "platform/IndexSet.h"
#include "platform/SavePanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

namespace {

class FixedPrinterCatalog : public PrinterCatalog
{
public:
    QStringList names;
    QMap<QString, QPageSize> papers; // default papers; none for a printer not named
    QStringList printerNames() const override { return names; }
    QPageSize defaultPaper(const QString& name) const override { return papers.value(name); }
};

class PrintWindowTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        Print_Wnd::setModalRun([this](QDialog& dialog) {
            if (onModal)
                onModal(dialog);
            return modalResult;
        });
        window = std::make_unique<Print_Wnd>(nullptr, controller.get(), catalog);
    }
    void TearDown() override
    {
        window.reset();
        Print_Wnd::setModalRun({});
        WindowControllerFixture::TearDown();
    }
    void open() { window->Open_Print_Wnd(); }
    // What a poppler tool says about a PDF.
    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static int pageCount(const QString& pdf)
    {
        const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(run("pdfinfo", {pdf}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    // Texts bound to the series `name` of `guests` values and to the column "Seat" of `rows` rows.
    void seatsBesideGuests(const QString& name, int guests, int rows)
    {
        QFile series(Data_Folder_Path + "/" + name + ".txt");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path) && series.open(QIODevice::WriteOnly));
        for (int i = 1; i <= guests; ++i)
            series.write("Guest " + QByteArray::number(i) + "\n");
        series.close();
        auto guest = std::make_shared<SKTText>();
        guest->_bounds = QRectF(10, 10, 150, 30);
        guest->data_source_type = 1;
        guest->batch_list_name = name;
        auto seat = std::make_shared<SKTText>();
        seat->_bounds = QRectF(10, 60, 150, 30);
        seat->data_source_type = 2;
        seat->excel_col_indx = 1;
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, {guest, seat}, IndexSet::range(0, 2));
        controller->Excel_Column_Titles = {"No.", "Seat"};
        for (int r = 1; r <= rows; ++r)
            controller->ListData.append({{"Extension", QString::number(r)}, {"Column1", QString("Seat %1").arg(r)}});
        controller->Check_Series_Or_Excel_Use_or_not();
    }

    FixedPrinterCatalog catalog;
    std::function<void(QDialog&)> onModal;
    int modalResult = 0;
    std::unique_ptr<Print_Wnd> window;
};

} // namespace

TEST_F(PrintWindowTest, ControlsEditTheSheetLayout)
{
    open();
    const SheetLayout start = window->sheetLayout();
    const SheetLayout& l = window->sheetLayout();
    window->Col_Text->setValue(2);
    window->Row_Text->setValue(3);
    EXPECT_TRUE(l.columns() == 2 && l.rows() == 3);
    window->width_Text->setValue(50.8);   // millimetres on the window, points in the layout
    window->horz_mar_Text->setValue(25.4);
    EXPECT_TRUE(qAbs(l.cardSize().width() - 144) < 0.01 && qAbs(l.horizontalGap - 72) < 0.01);
    window->matrix_card_side->button(0)->click();   // both sides, front above back: height doubled
    EXPECT_TRUE(l.side() == "BOTH" && l.arrangement() == "U" && l.cellSize().height() == 2 * l.cardSize().height());
    window->print_alignment->setCurrentIndex(1);   // front left of back: width doubled
    EXPECT_TRUE(l.arrangement() == "L" && l.cellSize().width() == 2 * l.cardSize().width());
    window->matrix_card_side->button(2)->click();
    EXPECT_TRUE(l.printsBackOnly());
    window->alignButtons[4]->click();
    EXPECT_EQ(l.position, 5);
    window->Orient_ComboBox->setCurrentIndex(1);
    EXPECT_TRUE(l.landscape() && l.sheetSize().width() > l.sheetSize().height());
    window->Auto_Center_chk_bx->click();
    window->Col_Text->setValue(40);   // more than the paper holds: lowered by the fitting rule
    EXPECT_TRUE(l.autoCenter && l.columns() < 40 && l.columns() >= 1);
    EXPECT_EQ(window->Col_Text->value(), window->sheetLayout().columns());
    // without a data source the total is one full sheet
    EXPECT_EQ(window->Total_Text->value(), window->sheetLayout().rows() * window->sheetLayout().columns());
    EXPECT_FALSE(window->horz_mar_Text->isEnabled());   // auto-centre spreads the gaps itself

    // every opening starts from the same form (the paper stays as chosen)
    window->Orient_ComboBox->setCurrentIndex(0);
    open();
    EXPECT_EQ(window->sheetLayout(), start);
    EXPECT_EQ(window->matrix_card_side->checkedId(), 1);
    EXPECT_EQ(window->Total_Text->value(), 1);
    EXPECT_TRUE(window->Show_Margins->isChecked());
    EXPECT_TRUE(window->alignButtons[0]->isChecked());
    EXPECT_FALSE(window->print_with_batch_chk->isEnabled());
}

// The paper is the chosen printer's default until the page setup (A5 here)
// chooses one, for the window, the sheet and the preview; a new opening forgets it.
TEST_F(PrintWindowTest, PaperFollowsThePrinterUntilPageSetupChoosesOne)
{
    catalog.names = {"office", "home", "plain"}; // "plain" has no default
    catalog.papers = {{"office", QPageSize(QPageSize::A4)}, {"home", QPageSize(QPageSize::Letter)}};
    onModal = [&](QDialog&) { // the page setup, the one dialog accepted
        if (modalResult)
            window->printInfo().setPageSize(QPageSize(QPageSize::A5));
    };
    const std::pair<QString, QPageSize::PageSizeId> steps[] = {
        {"open", QPageSize::A4},   {"home", QPageSize::Letter}, {"plain", QPageSize::Letter},
        {"office", QPageSize::A4}, {"setup", QPageSize::A5},    {"home", QPageSize::A5},
        {"open", QPageSize::A4},   {"home", QPageSize::Letter}};
    for (const auto& [step, id] : steps) {
        modalResult = step == "setup" ? QDialog::Accepted : 0;
        if (step == "open")
            open();
        else if (step == "setup")
            window->pagesetup_btn->click();
        else
            window->Printer_ComboBox->setCurrentText(step);
        const QSize points = QPageSize(id).size(QPageSize::Point).toSize();
        EXPECT_EQ(window->Paper_id->text(), QPageSize(id).name()) << step.toStdString();
        EXPECT_EQ(window->printInfo().pageLayout().pageSize().id(), id) << step.toStdString();
        EXPECT_EQ(window->sheetLayout().sheetSize().toSize(), points) << step.toStdString();
        EXPECT_EQ(window->PrintView->size(), points) << step.toStdString();
    }
}

TEST_F(PrintWindowTest, PreviewsRepaintTheSameSheets)
{
    open();
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    const QImage live = window->PrintView->imageRepresentation();
    EXPECT_EQ(live.size(), window->paperSize().toSize());
    window->Show_Margins->click();
    EXPECT_NE(window->PrintView->imageRepresentation(), live);   // outlines off
    window->Show_Margins->click();
    EXPECT_EQ(window->PrintView->imageRepresentation(), live);

    // the print preview stops at 50 sheets, and a repaint draws the same pages
    window->Total_Text->setValue(4 * 51);
    int pages = 0;
    QImage first, again;
    onModal = [&](QDialog&) {
        QPrintPreviewWidget* preview = window->previewWidget();
        pages = preview->pageCount();
        first = preview->grab().toImage();
        preview->updatePreview();
        again = preview->grab().toImage();
    };
    window->Execute_Printing(true);
    EXPECT_EQ(pages, 50);
    EXPECT_EQ(first, again);
    window->Total_Text->setValue(0);
    window->Execute_Printing(true);
    EXPECT_EQ(presenter.texts(), QStringList({"\n" + SheetPagination::previewLimitMessage(),
                                              "\n" + SheetPagination::emptyJobMessage()}));
}

// The block position buttons show the pictures of the resource folder; the
// snapshot of the live preview follows it.
TEST_F(PrintWindowTest, PositionPicturesFromTheResourceFolderAndThePreviewSnapshot)
{
    QTemporaryDir folder;
    const QString savedPath = Resource_Path;
    Resource_Path = folder.path();
    // a picture of its own colour for each position's two states
    const auto colourOf = [](int position, bool selected) { return QColor(position * 25, selected ? 200 : 0, 90); };
    const char* const plain[] = {"top_left", "top_center", "top_right", "middle_left", "middle_center",
                                 "middle_right", "bootom_left", "bootom_center", "boottom_right"};
    const char* const chosen[] = {"top_left - sel", "top_center - sel", "top_right - sel", "middle_left - sel",
                                  "middle_center_sel", "middle_right - sel", "bootom_left - sel",
                                  "bootom_center - sel", "boottom_right - sel"};
    for (int i = 0; i < 9; ++i) {
        for (const bool selected : {false, true}) {
            QImage picture(16, 16, QImage::Format_RGB32);
            picture.fill(colourOf(i + 1, selected));
            ASSERT_TRUE(picture.save(folder.filePath(QLatin1String(selected ? chosen[i] : plain[i]) + ".png")));
        }
    }
    open();
    window->alignButtons[7]->click();
    for (int i = 0; i < 9; ++i) {
        const QImage shown = window->alignButtons[i]->icon().pixmap(16, 16).toImage();
        EXPECT_EQ(shown.pixelColor(8, 8), colourOf(i + 1, i == 7)) << i;
    }
    Resource_Path = savedPath;

    window->Row_Text->setValue(2);
    EXPECT_EQ(window->test_image_view->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              window->PrintView->imageRepresentation());
    window->Show_Margins->click();
    EXPECT_EQ(window->test_image_view->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              window->PrintView->imageRepresentation());
}

TEST_F(PrintWindowTest, NoPrinterFound)
{
    // none listed, or the chosen one gone before the job
    open();
    EXPECT_EQ(window->Printer_ComboBox->count(), 0);
    window->Execute_Printing(false);
    catalog.names = {"office"};
    open();
    catalog.names.clear();
    window->Execute_Printing(false);
    EXPECT_EQ(presenter.texts(), QStringList({"\nNo printer found.", "\nNo printer found."}));
}

TEST_F(PrintWindowTest, SingleCardAndSeriesBatchToPdf)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    // a single card: a full sheet of 2 x 2 cells on one page
    open();
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    const QString single = folder.filePath("single.pdf");
    ASSERT_TRUE(window->printToPdf(single));
    EXPECT_EQ(pageCount(single), 1);

    // a batch: five records of a series on sheets of 2 x 2 cells
    QDir().mkpath(Data_Folder_Path);
    QFile series(Data_Folder_Path + "/guests.txt");
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("Ada\nBo\nCy\nDi\nEve\n");
    series.close();
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(10, 10, 150, 30);
    text->data_source_type = 1;
    text->batch_list_name = "guests";
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {text}, IndexSet::range(0, 1));
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 5);
    open();
    EXPECT_TRUE(window->print_with_batch_chk->isChecked());
    EXPECT_EQ(window->Total_Text->value(), 5);
    EXPECT_EQ(window->Total_Text->maximum(), 5);
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    EXPECT_EQ(window->Total_Text->value(), 5);   // a data source keeps the total
    const QString batch = folder.filePath("batch.pdf");
    ASSERT_TRUE(window->printToPdf(batch));
    EXPECT_EQ(pageCount(batch), 2);
    const QString first = run("pdftotext", {"-f", "1", "-l", "1", batch, "-"});
    const QString second = run("pdftotext", {"-f", "2", "-l", "2", batch, "-"});
    for (const char* name : {"Ada", "Bo", "Cy", "Di"})
        EXPECT_TRUE(first.contains(name)) << name;
    EXPECT_TRUE(second.contains("Eve"));
    EXPECT_FALSE(second.contains("Ada"));
    EXPECT_EQ(text->Text_contents()->string(), "Ada");   // record 0 back on the card
    EXPECT_FALSE(QFile::exists(batch + ".part"));

    // a file that cannot be written is reported, not announced
    presenter.clear();
    EXPECT_FALSE(window->printToPdf(folder.filePath("missing/folder/x.pdf")));
    EXPECT_EQ(presenter.texts(),
              QStringList({"\nUnable to save PDF file.\nReason: No such file or directory\nNo file was written."}));
}

// An empty series beside 5 rows: "Save as PDF…" asks, and No writes nothing.
TEST_F(PrintWindowTest, EmptySeriesBesideRowsAsksFirst)
{
    QTemporaryDir folder;
    seatsBesideGuests("Nobody", 0, 5);
    const QString pdf = folder.filePath("seats.pdf");
    SavePanel::setHandler([&pdf](const QString&, const QString&) { return pdf; });

    open();
    presenter.scriptAnswers({false});
    window->pdf_btn->click();
    EXPECT_EQ(presenter.texts(),
              QStringList("5 cards, 0 values in the series \"Nobody\": cards 1 to 5 will show no "
                          "value from it. Save as PDF?"));
    EXPECT_FALSE(QFile::exists(pdf));
}

// A series of 60 guests beside a workbook of 65 rows: "Save as PDF…" asks
// before the batch. No writes nothing; Yes writes all 65 cards, the last
// five with their rows and without a guest.
TEST_F(PrintWindowTest, BatchWithFewerSeriesValuesThanRowsAsksFirst)
{
    QTemporaryDir folder;
    seatsBesideGuests("Guests60", 60, 65);
    ASSERT_EQ(Total_Batch_Excel_Card, 65);
    const QString pdf = folder.filePath("guests.pdf");
    SavePanel::setHandler([&pdf](const QString&, const QString&) { return pdf; });
    const QString question =
        "65 cards, 60 values in the series \"Guests60\": cards 61 to 65 will show no value from it. Save as PDF?";

    open();
    for (const bool yes : {false, true}) {
        presenter.clear();
        presenter.scriptAnswers({yes});
        window->pdf_btn->click();
        EXPECT_EQ(presenter.texts(),
                  yes ? QStringList({question, "\nPDF has been saved successfully."}) : QStringList({question}));
        EXPECT_EQ(QFile::exists(pdf), yes);
    }
    ASSERT_EQ(pageCount(pdf), 65);
    for (const int page : {1, 60, 61, 65}) {
        const QString text = run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        EXPECT_TRUE(text.contains(QString("Seat %1\n").arg(page))) << page;
        EXPECT_EQ(text.contains(QString("Guest %1\n").arg(page)), page <= 60) << page;
        EXPECT_EQ(text.contains("Guest"), page <= 60) << page;
    }
}
