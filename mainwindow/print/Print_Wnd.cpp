#include "mainwindow/print/Print_Wnd.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/UnitConversions.h"
#include "canvas/SKTRenderingView.h"
#include "data/Globals.h"
#include "mainwindow/Globals.h"
#include "mainwindow/ControlsScrollArea.h"
#include "mainwindow/print/PrintWindowHost.h"
#include "mainwindow/print/Sample_Preview.h"
#include "model/Globals.h"
#include "output/BatchOutcome.h"
#include "output/PrinterCatalog.h"
#include "output/Printing_View.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"
#include "platform/AtomicFile.h"
#include "platform/SavePanel.h"
#include "platform/WaitingEvents.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Fits out a job's progress window, which shows once the job has run half a
// second: modal to the whole program, it takes its Stop while the job draws,
// and no other window takes input meanwhile.
WaitingEvents::InputWindow takesStop(QProgressDialog& progress)
{
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    return WaitingEvents::InputWindow([&progress] { return progress.windowHandle(); });
}

// The picture of a block position button (1..9, row by row), plain or
// selected, from the resource folder; drawn here when the folder lacks it.
QIcon alignmentIcon(int position, bool selected)
{
    static const char* const plain[] = {"top_left",    "top_center",    "top_right",
                                        "middle_left", "middle_center", "middle_right",
                                        "bootom_left", "bootom_center", "boottom_right"};
    static const char* const chosen[] = {"top_left - sel",    "top_center - sel",  "top_right - sel",
                                         "middle_left - sel", "middle_center_sel", "middle_right - sel",
                                         "bootom_left - sel", "bootom_center - sel", "boottom_right - sel"};
    const int at = std::clamp(position, 1, 9) - 1;
    const QString name = QLatin1String(selected ? chosen[at] : plain[at]) + QStringLiteral(".png");
    if (!Resource_Path.isEmpty()) {
        const QPixmap picture(QDir(Resource_Path).filePath(name));
        if (!picture.isNull())
            return QIcon(picture);
    }
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(2.5, 2.5, 19, 19));
    const int column = at % 3;
    const int row = at / 3;
    painter.setPen(Qt::NoPen);
    painter.setBrush(selected ? QColor(0, 110, 220) : QColor(150, 150, 150));
    painter.drawRect(QRectF(4 + column * 6, 4 + row * 6, 4, 4));
    return QIcon(pixmap);
}

QDoubleSpinBox* millimetreBox(double minimum)
{
    auto* box = new QDoubleSpinBox;
    box->setRange(minimum, 2000);
    box->setDecimals(2);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QSpinBox* countBox(int minimum, int maximum)
{
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    return box;
}

template <class Box, class Value>
void setQuietly(Box* box, Value value)
{
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

} // namespace

Print_Wnd::Print_Wnd(QWidget* parent, PrintWindowHost* controller, const PrinterCatalog& catalog)
    : DialogFrame(parent, QString(), tr("Print"), Modality::None)
    , m_controller(controller)
    , m_catalog(catalog)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    Print_Var = this;
    buildWindow();
    connectControls();
}

Print_Wnd::~Print_Wnd()
{
    if (Print_Var == this)
        Print_Var = nullptr;
}

void Print_Wnd::buildWindow()
{
    // sides
    auto* sideBox = new QGroupBox(tr("Sides"));
    matrix_card_side = new QButtonGroup(this);
    auto* sideLayout = new QVBoxLayout(sideBox);
    const QString sideNames[] = {tr("Both sides"), tr("Front side"), tr("Back side")};
    for (int id = 0; id < 3; ++id) {
        auto* button = new QRadioButton(sideNames[id]);
        matrix_card_side->addButton(button, id);
        sideLayout->addWidget(button);
    }
    print_alignment = new QComboBox;
    print_alignment->addItems({tr("Front above back"), tr("Front left of back")});
    sideLayout->addWidget(print_alignment);

    // cells
    auto* cellBox = new QGroupBox(tr("Cards on a sheet"));
    auto* cellForm = new QFormLayout(cellBox);
    width_Text = millimetreBox(1);
    height_Text = millimetreBox(1);
    Row_Text = countBox(1, 999);
    Col_Text = countBox(1, 999);
    horz_mar_Text = millimetreBox(0);
    vert_mar_Text = millimetreBox(0);
    Total_Text = countBox(0, 999999);
    Copies_Text = countBox(1, 999);
    cellForm->addRow(tr("Width:"), width_Text);
    cellForm->addRow(tr("Height:"), height_Text);
    cellForm->addRow(tr("Rows:"), Row_Text);
    cellForm->addRow(tr("Columns:"), Col_Text);
    cellForm->addRow(tr("Horizontal gap:"), horz_mar_Text);
    cellForm->addRow(tr("Vertical gap:"), vert_mar_Text);
    cellForm->addRow(tr("Total cards:"), Total_Text);
    cellForm->addRow(tr("Copies:"), Copies_Text);
    Auto_Center_chk_bx = new QCheckBox(tr("Centre automatically"));
    Show_Margins = new QCheckBox(tr("Show outlines"));
    print_with_batch_chk = new QCheckBox(tr("Print with series values"));
    print_with_excel_chk = new QCheckBox(tr("Print with spreadsheet values"));
    for (QCheckBox* box : {Auto_Center_chk_bx, Show_Margins, print_with_batch_chk, print_with_excel_chk})
        cellForm->addRow(box);

    // block position
    align_Gp_Bx = new QGroupBox(tr("Position on the sheet"));
    auto* alignLayout = new QGridLayout(align_Gp_Bx);
    auto* alignGroup = new QButtonGroup(this);
    alignGroup->setExclusive(true);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QToolButton;
        button->setCheckable(true);
        button->setIconSize(QSize(24, 24));
        alignButtons[i] = button;
        alignGroup->addButton(button, i + 1);
        alignLayout->addWidget(button, i / 3, i % 3);
    }
    connect(alignGroup, &QButtonGroup::idClicked, this, &Print_Wnd::alignmentClicked);

    // printer and paper
    auto* paperBox = new QGroupBox(tr("Printer and paper"));
    auto* paperForm = new QFormLayout(paperBox);
    Printer_ComboBox = new QComboBox;
    Orient_ComboBox = new QComboBox;
    Orient_ComboBox->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    Paper_id = new QLabel;
    Size_id = new QLabel;
    l_mar_id = new QLabel;
    r_mar_id = new QLabel;
    t_mar_id = new QLabel;
    b_mar_id = new QLabel;
    pagesetup_btn = new QPushButton(tr("Page Setup…"));
    paperForm->addRow(tr("Printer:"), Printer_ComboBox);
    paperForm->addRow(tr("Orientation:"), Orient_ComboBox);
    paperForm->addRow(tr("Paper:"), Paper_id);
    paperForm->addRow(tr("Size (mm):"), Size_id);
    paperForm->addRow(tr("Left margin:"), l_mar_id);
    paperForm->addRow(tr("Right margin:"), r_mar_id);
    paperForm->addRow(tr("Top margin:"), t_mar_id);
    paperForm->addRow(tr("Bottom margin:"), b_mar_id);
    paperForm->addRow(pagesetup_btn);

    // live preview
    PrintView = new Sample_Preview;
    PrintView->setPainter([this](QPainter& painter) { paintSheetPreview(painter); });
    // a snapshot of the live preview, kept up to date with it
    test_image_view = new QLabel(this);
    test_image_view->setObjectName(QStringLiteral("test_image_view"));
    test_image_view->hide();
    Print_sclview = new QScrollArea;
    Print_sclview->setWidget(PrintView);
    // on a low screen the sheet scrolls rather than the window growing
    Print_sclview->setMinimumSize(360, 200);
    Print_sclview->setBackgroundRole(QPalette::Button);

    // buttons
    preview_btn = new QPushButton(tr("Preview"));
    print_btn = new QPushButton(tr("Print"));
    pdf_btn = new QPushButton(tr("Save as PDF…"));
    cancel_btn = new QPushButton(tr("Cancel"));
    print_btn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {cancel_btn, pdf_btn, preview_btn, print_btn})
        buttons->addWidget(button);

    auto* left = new QVBoxLayout;
    left->addWidget(sideBox);
    left->addWidget(cellBox);
    left->addWidget(align_Gp_Bx);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(paperBox);
    middle->addStretch();
    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addLayout(left);
    controls->addLayout(middle);
    auto* columns = new QHBoxLayout;
    columns->addLayout(controls);
    columns->addWidget(Print_sclview, 1);
    // the controls scroll on a screen lower than they are tall
    ControlsScrollArea::wrap(*columns, 0);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns, 1);
    top->addLayout(buttons);
}

void Print_Wnd::connectControls()
{
    connect(matrix_card_side, &QButtonGroup::idClicked, this, [this] { card_side_CellClick(); });
    connect(print_alignment, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_choices.Print_Card_Algn = index == 0 ? QStringLiteral("U") : QStringLiteral("L");
        Check_Max_Cell_Value();
    });
    for (QDoubleSpinBox* box : {width_Text, height_Text, horz_mar_Text, vert_mar_Text})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Check_Max_Cell_Value(); });
    for (QSpinBox* box : {Row_Text, Col_Text})
        connect(box, &QSpinBox::valueChanged, this, [this] { Check_Max_Cell_Value(); });
    connect(Total_Text, &QSpinBox::valueChanged, this, [this](int value) { m_choices.Total_Label = value; });
    connect(Copies_Text, &QSpinBox::valueChanged, this, [this](int value) { m_choices.copies = value; });
    connect(Auto_Center_chk_bx, &QCheckBox::clicked, this, [this] { Auto_Center_Checked(); });
    connect(Show_Margins, &QCheckBox::clicked, this, [this] {
        m_choices.Show_margin_rect = Show_Margins->isChecked();
        Refresh_Preview();
    });
    connect(print_with_batch_chk, &QCheckBox::clicked, this, [this] { Print_With_Data_Changed(); });
    connect(print_with_excel_chk, &QCheckBox::clicked, this, [this] { Print_With_Data_Changed(); });
    connect(Printer_ComboBox, &QComboBox::currentIndexChanged, this, [this] { printerChanged(); });
    connect(Orient_ComboBox, &QComboBox::currentIndexChanged, this, [this] { orientationChanged(); });
    connect(pagesetup_btn, &QPushButton::clicked, this, [this] { pagesetup(); });
    connect(preview_btn, &QPushButton::clicked, this, [this] { Execute_Printing(true); });
    connect(print_btn, &QPushButton::clicked, this, [this] { Execute_Printing(false); });
    connect(pdf_btn, &QPushButton::clicked, this, [this] {
        const QString path = SavePanel::chooseFile(this, tr("Save as PDF"), QStringLiteral("pdf"), tr("PDF files"));
        if (!path.isEmpty() && printToPdf(path))
            Show_MessageBox(BatchOutcome::finished(QStringLiteral("PDF has been saved successfully."),
                                                   QStringLiteral("PDF has been saved"), m_jobPictures));
    });
    connect(cancel_btn, &QPushButton::clicked, this, [this] { reject(); });
}

// ---- opening ----

void Print_Wnd::Open_Print_Wnd()
{
    try {
        resetForOpening();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
    runAndHide(*this);
}

void Print_Wnd::resetForOpening()
{
    loading = true;
    m_choices = Choices();

    // sides
    matrix_card_side->button(1)->setChecked(true);
    card_side_str = QStringLiteral("F");
    barcode_counter = 0;
    {
        const QSignalBlocker blocker(print_alignment);
        print_alignment->setCurrentIndex(0);
    }
    print_alignment->setEnabled(false);

    // auto-centre, outlines
    Auto_Center_chk_bx->setChecked(false);
    Show_Margins->setChecked(true);

    // both card pictures, each rendered with its own side as the editing side
    front_image = Picture();
    back_image = Picture();
    if (m_controller) {
        const int savedSide = Card_Front_Or_Back;
        setCardFrontOrBack(1);
        CanvasHost* host = m_controller->canvasHost();
        back_image = SKTRenderingView::image_From_Card_Graphics(host, m_controller->Get_Back_Controls_Array(), 1,
                                                                false);
        setCardFrontOrBack(0);
        front_image = SKTRenderingView::image_From_Card_Graphics(host, m_controller->Get_Front_Controls_Array(), 0,
                                                                 false);
        setCardFrontOrBack(savedSide);
    }

    // data boxes and total
    if (Use_Data_Sheet_Values || Use_Excel_Binding_Values) {
        if (Use_Data_Sheet_Values) {
            print_with_batch_chk->setEnabled(true);
            print_with_batch_chk->setChecked(true);
        }
        if (Use_Excel_Binding_Values) {
            print_with_excel_chk->setEnabled(true);
            print_with_excel_chk->setChecked(true);
        }
        const bool ticked = print_with_batch_chk->isChecked() || print_with_excel_chk->isChecked();
        const int total = ticked ? Total_Batch_Excel_Card : 1;
        Total_Text->setMaximum(std::max(total, 1));
        setTotal(total);
    } else {
        for (QCheckBox* box : {print_with_batch_chk, print_with_excel_chk}) {
            box->setChecked(false);
            box->setEnabled(false);
        }
        Total_Text->setMaximum(999999);
        setTotal(1);
    }
    m_choices.withSeries = print_with_batch_chk->isChecked();
    m_choices.withSpreadsheet = print_with_excel_chk->isChecked();

    // cell size: one card, in millimetres on the window
    const QSizeF card = front_image.isNull() ? QSizeF(243, 154) : front_image.size();
    setQuietly(width_Text, Points_to_MM_Convert(float(card.width())));
    setQuietly(height_Text, Points_to_MM_Convert(float(card.height())));
    setQuietly(Row_Text, 1);
    setQuietly(Col_Text, 1);
    setQuietly(horz_mar_Text, 0.0);
    setQuietly(vert_mar_Text, 0.0);
    setQuietly(Copies_Text, 1);
    horz_mar_Text->setEnabled(true);
    vert_mar_Text->setEnabled(true);
    align_Gp_Bx->setEnabled(true);
    m_choices.label_align_val = 1;
    Set_Reset_Alignemnt_Image();
    readControls();

    // printers, in the print system's order, the first one chosen; a new
    // print takes its paper from the printer until the page setup says else
    m_paper.startPrint();
    {
        const QSignalBlocker blocker(Printer_ComboBox);
        Printer_ComboBox->clear();
        Printer_ComboBox->addItems(m_catalog.printerNames());
        Printer_ComboBox->setCurrentIndex(Printer_ComboBox->count() > 0 ? 0 : -1);
    }
    printerChanged();

    m_layout = layoutFromControls();
    loading = false;
    Refresh_Preview();
}

// ---- paper ----

QSizeF Print_Wnd::paperSize() const
{
    return m_printer->pageLayout().fullRect(QPageLayout::Point).size();
}

void Print_Wnd::Set_values_From_Printer()
{
    QPageLayout layout = m_printer->pageLayout();
    Paper_id->setText(layout.pageSize().name());
    const QSizeF paper = paperSize();
    PrintView->setFixedSize(std::max(1, int(std::ceil(paper.width()))), std::max(1, int(std::ceil(paper.height()))));
    Size_id->setText(QString::asprintf("%.2f x %.2f", Points_to_MM_Convert(float(paper.width())),
                                       Points_to_MM_Convert(float(paper.height()))));
    {
        const QSignalBlocker blocker(Orient_ComboBox);
        Orient_ComboBox->setCurrentIndex(layout.orientation() == QPageLayout::Landscape ? 1 : 0);
    }
    // The margins come from the printer and the paper alone (the page
    // setup's own margins are not the sheet's).
    layout.setUnits(QPageLayout::Point);
    const QMarginsF margins = layout.minimumMargins();
    Left_Mar = margins.left();
    Rite_Mar = margins.right();
    Top_Mar = margins.top();
    Bot_Mar = margins.bottom();
    l_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(float(Left_Mar))));
    r_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(float(Rite_Mar))));
    t_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(float(Top_Mar))));
    b_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(float(Bot_Mar))));
    // the sheet takes the paper; the cells are fitted again only where the
    // caller asks for it
    m_layout.setPaper(layout.pageSize().size(QPageSize::Point));
    m_layout.setLandscape(layout.orientation() == QPageLayout::Landscape);
    m_layout.leftMargin = Left_Mar;
    m_layout.rightMargin = Rite_Mar;
    m_layout.topMargin = Top_Mar;
    m_layout.bottomMargin = Bot_Mar;
    Refresh_Preview();
}

void Print_Wnd::printerChanged()
{
    const QString name = Printer_ComboBox->currentText();
    if (!name.isEmpty()) {
        // keep the orientation chosen so far; the paper is the printer's own
        // unless the page setup of this print chose one
        const QPageLayout layout = m_printer->pageLayout();
        m_printer->setPrinterName(name);
        m_printer->setPageLayout(layout);
        m_paper.printerChosen(m_catalog.defaultPaper(name));
    }
    applyPaper();
    Set_values_From_Printer();
}

void Print_Wnd::applyPaper()
{
    const QPageSize paper = m_paper.paper();
    if (paper.isValid() && !paper.isEquivalentTo(m_printer->pageLayout().pageSize()))
        m_printer->setPageSize(paper);
}

void Print_Wnd::orientationChanged()
{
    const bool landscape = Orient_ComboBox->currentIndex() == 1;
    m_printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void Print_Wnd::pagesetup()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    if (runModalOf(dialog) == QDialog::Accepted) {
        m_paper.pageSetupChosen(m_printer->pageLayout().pageSize());
        Set_values_From_Printer();
        Check_Max_Cell_Value();
    }
}

// ---- the controls ----

void Print_Wnd::readControls()
{
    m_choices.Print_Row = Row_Text->value();
    m_choices.Print_Col = Col_Text->value();
    m_choices.label_width = MM_to_Points_Convert(float(width_Text->value()));
    m_choices.label_hight = MM_to_Points_Convert(float(height_Text->value()));
    m_choices.horizontalGap = MM_to_Points_Convert(float(horz_mar_Text->value()));
    m_choices.verticalGap = MM_to_Points_Convert(float(vert_mar_Text->value()));
    m_choices.Total_Label = Total_Text->value();
    m_choices.copies = Copies_Text->value();
    m_choices.auto_center_flag = Auto_Center_chk_bx->isChecked();
    m_choices.Show_margin_rect = Show_Margins->isChecked();
}

void Print_Wnd::setTotal(int total)
{
    setQuietly(Total_Text, total);
    m_choices.Total_Label = Total_Text->value();
}

bool Print_Wnd::dataPrinting() const
{
    return (m_choices.withSeries && Use_Data_Sheet_Values) || (m_choices.withSpreadsheet && Use_Excel_Binding_Values);
}

void Print_Wnd::card_side_CellClick()
{
    const int row = matrix_card_side->checkedId();
    card_side_str = row == 0 ? QStringLiteral("BOTH") : row == 1 ? QStringLiteral("F") : QStringLiteral("B");
    m_choices.Print_Card_Side = card_side_str;
    print_alignment->setEnabled(m_choices.Print_Card_Side == QLatin1String("BOTH"));
    Check_Max_Cell_Value();
}

void Print_Wnd::alignmentClicked(int position)
{
    m_choices.label_align_val = position;
    m_layout.position = position;
    Set_Reset_Alignemnt_Image();
    Refresh_Preview();
}

void Print_Wnd::Set_Reset_Alignemnt_Image()
{
    for (int i = 0; i < 9; ++i) {
        const bool selected = i + 1 == m_choices.label_align_val;
        alignButtons[i]->setChecked(selected);
        alignButtons[i]->setIcon(alignmentIcon(i + 1, selected));
    }
}

void Print_Wnd::Auto_Center_Checked()
{
    const bool on = Auto_Center_chk_bx->isChecked();
    m_choices.auto_center_flag = on;
    horz_mar_Text->setEnabled(!on);
    vert_mar_Text->setEnabled(!on);
    align_Gp_Bx->setEnabled(!on);
    Check_Max_Cell_Value();
}

void Print_Wnd::Verify_Card_Count()
{
    if (m_controller)
        m_controller->Check_Series_Or_Excel_Use_or_not();
    if (!print_with_batch_chk->isChecked())
        setUseDataSheetValues(false);
    if (!print_with_excel_chk->isChecked())
        setUseExcelBindingValues(false);
    if (m_controller)
        m_controller->Get_total_Card_count();
}

void Print_Wnd::Print_With_Data_Changed()
{
    Verify_Card_Count();
    m_choices.withSeries = print_with_batch_chk->isChecked();
    m_choices.withSpreadsheet = print_with_excel_chk->isChecked();
    setTotal(m_choices.withSeries || m_choices.withSpreadsheet ? Total_Batch_Excel_Card : 1);
}

// ---- the sheet ----

SheetLayout Print_Wnd::layoutFromControls() const
{
    SheetLayout layout;
    const QPageLayout page = m_printer->pageLayout();
    layout.setPaper(page.pageSize().size(QPageSize::Point));
    layout.setLandscape(page.orientation() == QPageLayout::Landscape);
    layout.leftMargin = Left_Mar;
    layout.rightMargin = Rite_Mar;
    layout.topMargin = Top_Mar;
    layout.bottomMargin = Bot_Mar;
    layout.setRows(Row_Text->value());
    layout.setColumns(Col_Text->value());
    layout.setCardSize(QSizeF(MM_to_Points_Convert(float(width_Text->value())),
                              MM_to_Points_Convert(float(height_Text->value()))));
    layout.horizontalGap = MM_to_Points_Convert(float(horz_mar_Text->value()));
    layout.verticalGap = MM_to_Points_Convert(float(vert_mar_Text->value()));
    layout.position = m_choices.label_align_val;
    layout.autoCenter = Auto_Center_chk_bx->isChecked();
    layout.setSide(m_choices.Print_Card_Side);
    layout.setArrangement(m_choices.Print_Card_Algn);
    return layout;
}

void Print_Wnd::Check_Max_Cell_Value()
{
    if (loading)
        return;
    readControls();
    m_layout = layoutFromControls().fitted();
    // the rule only lowers the counts; the gap fields keep the typed values
    if (m_layout.rows() != Row_Text->value())
        setQuietly(Row_Text, m_layout.rows());
    if (m_layout.columns() != Col_Text->value())
        setQuietly(Col_Text, m_layout.columns());
    m_choices.Print_Row = m_layout.rows();
    m_choices.Print_Col = m_layout.columns();
    if (!Use_Data_Sheet_Values && !Use_Excel_Binding_Values)
        setTotal(m_choices.Print_Row * m_choices.Print_Col);
    Refresh_Preview();
}

SheetPagination Print_Wnd::pagination() const
{
    return SheetPagination(m_layout.rows(), m_layout.columns(), Total_Text->value(),
                           dataPrinting() ? Total_Batch_Excel_Card : -1);
}

void Print_Wnd::Refresh_Preview()
{
    if (loading)
        return;
    if (QScrollBar* bar = Print_sclview->verticalScrollBar())
        bar->setValue(0);
    PrintView->update();
    test_image_view->setPixmap(QPixmap::fromImage(PrintView->imageRepresentation()));
}

void Print_Wnd::paintSheetPreview(QPainter& painter)
{
    const SheetLayout& layout = m_layout;
    const QSizeF picture = front_image.isNull() ? layout.cardSize() : front_image.size();
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSizeF(11);
    painter.setFont(font);
    const bool outlined = m_choices.Show_margin_rect;
    const int columns = layout.columns();
    for (int row = 1; row <= layout.rows(); ++row) {
        for (int column = 1; column <= columns; ++column) {
            const SheetLayout::Placement place = layout.placement(row, column, picture);
            if (front_image.isNull()) {
                Sample_Preview::Draw_Label_String(painter, SheetPainter::invalidDataCaption(), place.frontArea, row,
                                                  column, columns);
                Sample_Preview::Draw_Margin_rect(painter, place.frontArea, outlined);
                continue;
            }
            const QString name = layout.printsBackOnly() ? QStringLiteral("Back") : QStringLiteral("Card");
            Sample_Preview::Draw_Label_String(painter, name, place.frontArea, row, column, columns);
            Sample_Preview::Draw_Margin_rect(painter, place.frontArea, outlined);
            if (layout.printsBothSides()) {
                Sample_Preview::Draw_Label_String(painter, QStringLiteral("Back"), place.back, row, column, columns);
                Sample_Preview::Draw_Margin_rect(painter, place.back, outlined);
            }
        }
    }
}

// ---- jobs ----

bool Print_Wnd::jobMayStart()
{
    readControls();
    if (m_layout.cellExceedsPaper() && Show_YES_NO_MessageBox(SheetLayout::cellExceedsPaperQuestion()) != 1)
        return false;
    if (pagination().isEmpty()) {
        Show_MessageBox(SheetPagination::emptyJobMessage());
        return false;
    }
    barcode_counter = 0;
    Total_Label_Real = m_choices.Total_Label;
    return true;
}

bool Print_Wnd::recordsMayStart(const QString& action)
{
    const SheetPagination pages = pagination();
    if (!m_controller || !pages.printsRecords())
        return true;
    return m_controller->batchShortfall(pages.filledCells(), m_choices.Print_Card_Side).confirmed(action);
}

void Print_Wnd::Execute_Printing(bool preview)
{
    if (!jobMayStart())
        return;
    if (preview) {
        showPrintPreview();
        return;
    }
    const QString name = Printer_ComboBox->currentText();
    if (name.isEmpty() || !m_catalog.printerNames().contains(name)) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return;
    }
    // a queue set to refuse jobs would drop this one without a word
    if (!m_catalog.acceptsJobs(name)) {
        Show_MessageBox(
            QStringLiteral("The printer \"%1\" refused the job: it is not accepting jobs. Nothing was printed.")
                .arg(name));
        return;
    }
    if (!recordsMayStart(QStringLiteral("Print?")))
        return;
    // the job keeps the orientation and paper the window shows
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPrinterName(name);
    m_printer->setOutputFormat(QPrinter::NativeFormat);
    m_printer->setPageLayout(layout);
    applyPaper();
    printWith(*m_printer);
}

void Print_Wnd::printWith(QPrinter& printer)
{
    StoppedJob stop;
    if (!runJob(printer, 0, &stop))
        Show_MessageBox(
            BatchOutcome::withPictures(stop.stopped ? BatchOutcome::printStopped(stop.drawn, stop.pages, stop.cancelled)
                                                    : QStringLiteral("Unable to print."),
                                       m_jobPictures));
    else if (!m_jobPictures.isEmpty())
        Show_MessageBox(
            BatchOutcome::finished(QString(), QStringLiteral("The cards were sent to the printer"), m_jobPictures));
}

bool Print_Wnd::printToPdf(const QString& path)
{
    if (!jobMayStart() || !recordsMayStart(QStringLiteral("Save as PDF?")))
        return false;
    const SheetPagination pages = pagination();
    // long jobs keep the window answering, and may be stopped; the pages are
    // written by as many writers as there are cores, the file replaced only
    // when complete and whole
    QProgressDialog progress(tr("Printing…"), tr("Stop"), 0, pages.pageCount(), this);
    const WaitingEvents::InputWindow stopWindow = takesStop(progress);
    // the writers see the Stop at their next page, whatever the waiting
    // thread does meanwhile
    std::atomic<bool> stopped {false};
    connect(&progress, &QProgressDialog::canceled, this, [&stopped] { stopped = true; });
    int done = 0;
    SheetPdfJob::Options options;
    options.stop = &stopped;
    options.progress = [&](int written) {
        done = written;
        progress.setValue(written);
        return !progress.wasCanceled();
    };
    const SheetPdfJob::Result result = SheetPdfJob::print(m_layout, pages, jobSource(pages.printsRecords()), path,
                                                          windowTitle(), options);
    progress.setValue(pages.pageCount());
    m_jobPictures = result.pictures;
    barcode_counter = std::clamp(done * pages.rows() * pages.columns(), 0, pages.total());
    if (pages.printsRecords() && m_controller)
        m_controller->Select_first_row_value_for_design(true);
    if (!result.ok) {
        // a stopped job says how far it got and which cards drawn so far lack
        // their pictures; a failed one why
        if (result.stopped)
            Show_MessageBox(
                BatchOutcome::withPictures(BatchOutcome::pdfStopped(result.pages, pages.pageCount()), result.pictures));
        else
            Show_MessageBox(QStringLiteral("Unable to save PDF file.\n")
                            + AtomicFile::failureDetails(result.message, path));
        return false;
    }
    return true;
}

SheetPainter::SideSource Print_Wnd::jobSource(bool withRecords) const
{
    // the sides are taken from the card on this thread; records are bound
    // into copies of them on the painter's workers
    if (!m_controller)
        return [](int, int) { return std::shared_ptr<SideSnapshot>(); };
    const SideSnapshot front = m_controller->batchSideSnapshot(0);
    const SideSnapshot back = m_controller->batchSideSnapshot(1);
    SheetPainter::RecordBinder bind;
    if (withRecords) {
        PrintWindowHost* controller = m_controller;
        bind = [controller](SideSnapshot& snapshot, int record) {
            return controller->bindRecordIntoSnapshot(snapshot, record);
        };
    }
    return SheetPainter::snapshotSource(front, back, bind);
}

bool Print_Wnd::runJob(QPrinter& printer, int pageCap, StoppedJob* stop)
{
    m_jobPictures = {};
    const SheetPagination pages = pagination();
    const bool withRecords = pages.printsRecords();
    int last = pages.pageCount();
    if (pageCap > 0)
        last = std::min(last, pageCap);

    Printing_View sheets(SheetPainter(m_layout, pages, jobSource(withRecords)));

    printer.setFullPage(true);
    printer.setCopyCount(m_choices.copies);
    printer.setDocName(windowTitle());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.scale(printer.resolution() / 72.0, printer.resolution() / 72.0);
    // a card larger than its cell runs past it, but never off the sheet
    // (a preview would show it beside the paper)
    painter.setClipRect(QRectF(QPointF(0, 0), m_layout.sheetSize()));

    // long jobs keep the window answering, and may be stopped
    QProgressDialog progress(tr("Printing…"), tr("Stop"), 0, last, this);
    const WaitingEvents::InputWindow stopWindow = takesStop(progress);
    int page = 1;
    const bool done = sheets.paintPages(painter, 1, last, [&] {
        progress.setValue(page++);
        WaitingEvents::process();
        return !progress.wasCanceled() && printer.newPage();
    });
    // read before the dialog reaches its end, which resets it
    const bool stopped = !done && progress.wasCanceled();
    progress.setValue(last);
    barcode_counter = sheets.barcode_counter;
    m_jobPictures = sheets.sheets().missingPictures();
    if (stopped) {
        // A printer that cannot drop the pages drawn prints them at the end.
        const bool cancelled = printer.abort();
        if (stop)
            *stop = {true, page - 1, last, cancelled};
    }
    const bool ended = painter.end();
    if (withRecords && m_controller)
        m_controller->Select_first_row_value_for_design(true);
    return done && ended;
}

void Print_Wnd::showPrintPreview()
{
    const SheetPagination pages = pagination();
    if (pages.previewIsCut())
        Show_MessageBox(SheetPagination::previewLimitMessage());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(m_printer->pageLayout());
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Print Preview"));
    auto* widget = new QPrintPreviewWidget(&printer, &dialog);
    auto* close = new QPushButton(tr("Close"), &dialog);
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(widget, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    dialog.resize(720, 820);
    // every repaint draws the pages again from their numbers
    connect(widget, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* target) { runJob(*target, SheetPagination::previewPageLimit); });
    m_previewWidget = widget;
    widget->updatePreview();
    runModalOf(dialog);
    m_previewWidget = nullptr;
}
