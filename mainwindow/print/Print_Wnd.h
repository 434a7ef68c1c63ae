#pragma once

// The print window: which sides of the card are printed, how many cards
// stand in rows and columns on a sheet, the cell size and gaps, where the
// block of cells sits on the sheet, how many cards are printed and whether
// they take their values from a series or a spreadsheet. It shows the chosen
// printer's paper and unprintable margins and a live preview of one sheet,
// and starts a print preview or a print job (to a printer or to a PDF file).
// The controls only edit the window's sheet choices; the geometry, the pages
// and their drawing come from the window-free sheet layout.

#include "mainwindow/DialogFrame.h"
#include "output/MissingPictures.h"
#include "output/PaperChoice.h"
#include "output/SheetLayout.h"
#include "output/SheetPagination.h"
#include "output/SheetPainter.h"
#include "platform/Picture.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

class PrinterCatalog;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPageLayout;
class QPainter;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;
class Sample_Preview;
class PrintWindowHost;

class Print_Wnd : public DialogFrame, public DefaultInstance<Print_Wnd>, public ModalRunSeam<Print_Wnd, QDialog>
{
    Q_OBJECT

public:
    // What the controls chose, in points where a length (the cell size is
    // one card's; "BOTH" doubles it in one direction for the sheet).
    struct Choices
    {
        QString Print_Card_Side = QStringLiteral("F");   // "F", "B" or "BOTH"
        QString Print_Card_Algn = QStringLiteral("U");   // "U" front above back, "L" front left of back
        int Print_Row = 1;
        int Print_Col = 1;
        int Total_Label = 1;
        int copies = 1;
        double label_width = 0;
        double label_hight = 0;
        double horizontalGap = 0;
        double verticalGap = 0;
        int label_align_val = 1;   // 1..9, row by row from the top left
        bool auto_center_flag = false;
        bool Show_margin_rect = true;
        bool withSeries = false;
        bool withSpreadsheet = false;
    };

    // `controller` gives the card sides and the records (may be null: no
    // pictures, no records); `catalog` lists the printers.
    Print_Wnd(QWidget* parent, PrintWindowHost* controller, const PrinterCatalog& catalog);
    ~Print_Wnd() override;

    // The window made last is the default instance.

    // Resets every control and runs the window modally until Cancel or
    // closing it.
    void Open_Print_Wnd();
    // Resets every control as an opening does, without the modal run.
    void resetForOpening();

    // Paper name, size and margins of the chosen printer and paper.
    void Set_values_From_Printer();
    void Refresh_Preview();
    // Lowers rows and columns that do not fit the printable area (or spreads
    // the gaps when auto-centred) and sets the total of one sheet without
    // a data source.
    void Check_Max_Cell_Value();
    // Starts a print preview (true) or prints (false) on the chosen printer.
    void Execute_Printing(bool preview);
    // Sends the job to `printer` as it is set up and says how it ended: no
    // word when every card was drawn with its pictures and the job went.
    void printWith(QPrinter& printer);
    // Prints the job into a PDF file at `path`; false when it could not be
    // written (the reason shown).
    bool printToPdf(const QString& path);
    // The cards of the last job printed or saved as PDF, and those of them
    // drawn without a picture they name.
    const MissingPictures& jobPictures() const { return m_jobPictures; }
    void Verify_Card_Count();

    const Choices& choices() const { return m_choices; }
    // The sheet as the controls lay it out, after the fitting rule.
    const SheetLayout& sheetLayout() const { return m_layout; }
    // The cells of the job the controls ask for now (the typed total; the
    // records when printing with series or spreadsheet values).
    SheetPagination pagination() const;
    // The print preview dialog of the last preview (null before one).
    QPrintPreviewWidget* previewWidget() const { return m_previewWidget; }
    QPrinter& printInfo() { return *m_printer; }
    // The paper of this print: the chosen printer's default, or the one
    // chosen in the page setup.
    const PaperChoice& paperChoice() const { return m_paper; }
    Picture front_image;
    Picture back_image;
    // The side choice of the window ("F", "B" or "BOTH"); the cells the last
    // job was to fill and the cells it consumed.
    QString card_side_str = QStringLiteral("F");
    int Total_Label_Real = 1;
    int barcode_counter = 0;

    // setModalRun() replaces the modal runs (the window's own and the print
    // preview's) in tests: the function gets the dialog and returns its result.

    // ---- controls (names as the window's description has them) ----
    QButtonGroup* matrix_card_side = nullptr;   // ids: 0 both sides, 1 front, 2 back
    QComboBox* print_alignment = nullptr;
    QCheckBox* Auto_Center_chk_bx = nullptr;
    QCheckBox* Show_Margins = nullptr;
    QCheckBox* print_with_batch_chk = nullptr;
    QCheckBox* print_with_excel_chk = nullptr;
    QSpinBox* Total_Text = nullptr;
    QDoubleSpinBox* width_Text = nullptr;   // mm
    QDoubleSpinBox* height_Text = nullptr;   // mm
    QSpinBox* Row_Text = nullptr;
    QSpinBox* Col_Text = nullptr;
    QDoubleSpinBox* horz_mar_Text = nullptr;   // mm
    QDoubleSpinBox* vert_mar_Text = nullptr;   // mm
    QSpinBox* Copies_Text = nullptr;
    QGroupBox* align_Gp_Bx = nullptr;
    QToolButton* alignButtons[9] = {};
    QComboBox* Printer_ComboBox = nullptr;
    QComboBox* Orient_ComboBox = nullptr;
    QLabel* Paper_id = nullptr;
    QLabel* Size_id = nullptr;
    QLabel* l_mar_id = nullptr;
    QLabel* r_mar_id = nullptr;
    QLabel* t_mar_id = nullptr;
    QLabel* b_mar_id = nullptr;
    QScrollArea* Print_sclview = nullptr;
    Sample_Preview* PrintView = nullptr;
    QLabel* test_image_view = nullptr;
    QPushButton* pagesetup_btn = nullptr;
    QPushButton* preview_btn = nullptr;
    QPushButton* print_btn = nullptr;
    QPushButton* pdf_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

    // Paper size and the four unprintable margins, in points.
    QSizeF paperSize() const;
    double Left_Mar = 0, Rite_Mar = 0, Top_Mar = 0, Bot_Mar = 0;

private:
    void buildWindow();
    void connectControls();
    void card_side_CellClick();
    void alignmentClicked(int position);
    void Set_Reset_Alignemnt_Image();
    void Auto_Center_Checked();
    void Print_With_Data_Changed();
    void printerChanged();
    // The paper of this print onto the printer the window and the job use.
    void applyPaper();
    void orientationChanged();
    void pagesetup();
    // The controls' values into m_choices (cell size and gaps in points).
    void readControls();
    // The layout of the controls and the paper, before the fitting rule.
    SheetLayout layoutFromControls() const;
    void setTotal(int total);
    // Cards from a series or spreadsheet in this job.
    bool dataPrinting() const;
    // Asks about cells bigger than the paper, refuses a total of 0; false
    // when no job may start.
    bool jobMayStart();
    // A batch with more cards than a series or column has values asks
    // first (`action` ends the question); false when it may not start.
    bool recordsMayStart(const QString& action);
    // Draws the live preview of one sheet.
    void paintSheetPreview(QPainter& painter);
    // How far a job got when Stop ended it.
    struct StoppedJob
    {
        bool stopped = false;
        int drawn = 0;          // pages drawn before the stop
        int pages = 0;          // pages of the job
        bool cancelled = false; // the printer dropped the pages drawn
    };
    // Sends every page of the job to `printer` (a preview shows at most
    // `pageCap` pages); false when the job could not be sent or was stopped,
    // and then how far it got in `stop` when given.
    bool runJob(QPrinter& printer, int pageCap, StoppedJob* stop = nullptr);
    // What the job's cards are drawn from: the card's sides, and the
    // records bound into copies of them when `withRecords`.
    SheetPainter::SideSource jobSource(bool withRecords) const;
    void showPrintPreview();

    PrintWindowHost* m_controller = nullptr;
    const PrinterCatalog& m_catalog;
    std::unique_ptr<QPrinter> m_printer;
    PaperChoice m_paper;
    Choices m_choices;
    SheetLayout m_layout;
    QPrintPreviewWidget* m_previewWidget = nullptr;
    MissingPictures m_jobPictures;
    bool loading = false;
};
