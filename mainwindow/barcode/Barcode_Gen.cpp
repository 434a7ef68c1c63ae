#include "mainwindow/barcode/Barcode_Gen.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/Globals.h"
#include "barcodes/NKDBarcodeImage.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/ControlsScrollArea.h"
#include "mainwindow/Globals.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/barcode/BarcodeDesignerHost.h"
#include "mainwindow/barcode/BarcodeDesignerRules.h"
#include "mainwindow/barcode/SteppingSpinBox.h"
#include "mainwindow/inspector/FontChooser.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace {

DataSourceLists s_sources;
BarcodeDesignerHost* s_host = nullptr;

constexpr int resolutionTab = 3;

QString fontText(const FontSpec& font)
{
    return QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSize(), 0, 'f', 2);
}

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return false;
    return true;
}

QDoubleSpinBox* floatPair(const char* name, double minimum, double maximum, double step, int decimals)
{
    auto* spin = new QDoubleSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setDecimals(decimals);
    spin->setKeyboardTracking(true);
    return spin;
}

template <class Spin = QSpinBox>
Spin* intPair(const char* name, int minimum, int maximum)
{
    auto* spin = new Spin;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    return spin;
}

QComboBox* list(const char* name, const QStringList& entries)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    combo->addItems(entries);
    return combo;
}

QCheckBox* check(const char* name, const QString& title)
{
    auto* box = new QCheckBox(title);
    box->setObjectName(QLatin1String(name));
    return box;
}

QToolButton* helpButton(const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("?"));
    return button;
}

// One row of a form: the control and, when given, its help button.
QWidget* withHelp(QWidget* control, QToolButton* help)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 1);
    layout->addWidget(help);
    return row;
}

}   // namespace

Barcode_Gen::Barcode_Gen(QWidget* parent) : DialogFrame(parent, QStringLiteral("Barcode_Gen"), tr("Barcode"))
{
    Barcode_Gen_Var = this;
    buildWindow();
    connectControls();
    plz_wait_Window = new PleaseWait_Modeless(this);

    setMeasumentUnitIs(1);
    showValue();
    goButtonActionPerformed();
}

Barcode_Gen::~Barcode_Gen()
{
    if (Barcode_Gen_Var == this)
        Barcode_Gen_Var = nullptr;
}

Barcode_Gen* Barcode_Gen::defaultInstance()
{
    if (!Barcode_Gen_Var)
        new Barcode_Gen;
    return Barcode_Gen_Var;
}

void Barcode_Gen::setDataSources(const DataSourceLists& sources)
{
    s_sources = sources;
}

const DataSourceLists& Barcode_Gen::dataSources()
{
    return s_sources;
}

void Barcode_Gen::setHost(BarcodeDesignerHost* host)
{
    s_host = host;
}

BarcodeDesignerHost* Barcode_Gen::host()
{
    return s_host;
}

// ---- the window ----

void Barcode_Gen::buildWindow()
{
    barcodeTypePopup = list("barcodeTypePopup", BarcodeSettings::symbologyTitles());
    Data_source_type = list("Data_source_type", BarcodeDesignerRules::dataSourceTitles());
    Batch_Series = list("Batch_Series", {});
    view_series_btn = new QPushButton(tr("View"));
    view_series_btn->setObjectName(QStringLiteral("view_series_btn"));
    dataText = new QLineEdit;
    dataText->setObjectName(QStringLiteral("dataText"));
    dataText_2D = new QPlainTextEdit;
    dataText_2D->setObjectName(QStringLiteral("dataText_2D"));
    dataText_2D->setFixedHeight(70);
    HeaderText = new QLineEdit;
    HeaderText->setObjectName(QStringLiteral("HeaderText"));
    FooterText = new QLineEdit;
    FooterText->setObjectName(QStringLiteral("FooterText"));

    auto* source = new QWidget;
    auto* sourceRow = new QHBoxLayout(source);
    sourceRow->setContentsMargins(0, 0, 0, 0);
    sourceRow->addWidget(Data_source_type);
    sourceRow->addWidget(Batch_Series, 1);
    sourceRow->addWidget(view_series_btn);

    auto* form = new QFormLayout;
    form->addRow(tr("Barcode type :"), barcodeTypePopup);
    form->addRow(tr("Source :"), source);
    auto* valueBox = new QWidget;
    auto* valueLayout = new QVBoxLayout(valueBox);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(dataText);
    valueLayout->addWidget(dataText_2D);
    form->addRow(tr("Value :"), valueBox);
    form->addRow(tr("Header :"), HeaderText);
    form->addRow(tr("Footer :"), FooterText);

    sett_tab = new QTabWidget;
    sett_tab->setObjectName(QStringLiteral("sett_tab"));
    sett_tab->addTab(buildSizeTab(), tr("Size"));
    sett_tab->addTab(buildTextTab(), tr("Text"));
    sett_tab->addTab(buildMarginTab(), tr("Margins && Colours"));
    dpi_tab_item = buildResolutionTab();
    // The resolution tab belongs to the two-dimensional layout; while it is
    // out of the tab view the window keeps it.
    dpi_tab_item->setParent(this);
    dpi_tab_item->hide();

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(sett_tab, 1);

    barcodeImage = new QLabel;
    barcodeImage->setObjectName(QStringLiteral("barcodeImage"));
    barcodeImage->setAlignment(Qt::AlignCenter);
    barcodeImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    image_scroll = new QScrollArea;
    image_scroll->setObjectName(QStringLiteral("image_scroll"));
    image_scroll->setWidget(barcodeImage);
    image_scroll->setWidgetResizable(true);
    image_scroll->setMinimumSize(320, 200);
    barcode_error_label = new QLabel;
    barcode_error_label->setObjectName(QStringLiteral("barcode_error_label"));
    barcode_error_label->setStyleSheet(QStringLiteral("color: #b00000"));
    barcode_error_label->setWordWrap(true);
    barcode_error_label->hide();
    auto* encode = new QPushButton(tr("Encode"));
    encode->setObjectName(QStringLiteral("Encode_btn"));
    connect(encode, &QPushButton::clicked, this, &Barcode_Gen::Encode_btn);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("Preview :")));
    right->addWidget(image_scroll, 1);
    right->addWidget(barcode_error_label);
    right->addWidget(encode, 0, Qt::AlignRight);

    ok_button = new QPushButton(tr("OK"));
    ok_button->setObjectName(QStringLiteral("OK_Btn"));
    ok_button->setDefault(true);
    cancel_button = new QPushButton(tr("Cancel"));
    cancel_button->setObjectName(QStringLiteral("Cancel_Btn"));
    connect(ok_button, &QPushButton::clicked, this, &Barcode_Gen::OK_Btn_Clicked);
    connect(cancel_button, &QPushButton::clicked, this, &Barcode_Gen::Cancel_Btn_Clicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_button);
    buttons->addWidget(ok_button);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    // the settings scroll on a screen lower than they are tall
    ControlsScrollArea::wrap(*columns, 0);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addLayout(buttons);
}

QWidget* Barcode_Gen::buildSizeTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    linear_sett_box = new QGroupBox(tr("Linear barcode"));
    linear_sett_box->setObjectName(QStringLiteral("linear_sett_box"));
    barHeightLabel = new QLabel;
    barWidthLabel = new QLabel;
    HeightText = floatPair("HeightText", 0.1, 20.0, 0.1, 2);
    widthText = floatPair("widthText", 1.0, 200.0, 1.0, 1);
    auto* linear = new QFormLayout(linear_sett_box);
    linear->addRow(barHeightLabel, HeightText);
    linear->addRow(barWidthLabel, widthText);

    two_d_sett_box = new QGroupBox(tr("QR Code"));
    two_d_sett_box->setObjectName(QStringLiteral("two_d_sett_box"));
    HeightText_2D = intPair("HeightText_2D", 21, 2000);
    qr_enc_mode_ComboBox = list("qr_enc_mode_ComboBox", BarcodeDesignerRules::qrEncodingModeTitles());
    qr_version_ComboBox = list("qr_version_ComboBox", BarcodeSettings::qrVersionTitles());
    qr_ec_lvl_ComboBox = list("qr_ec_lvl_ComboBox", BarcodeSettings::qrLevelTitles());
    auto* qr = new QFormLayout(two_d_sett_box);
    qr->addRow(tr("Size :"), HeightText_2D);
    qr->addRow(tr("Encoding mode :"), qr_enc_mode_ComboBox);
    qr->addRow(tr("Version :"), withHelp(qr_version_ComboBox, helpButton("QR_Version_Help_Btn")));
    qr->addRow(tr("EC level :"), withHelp(qr_ec_lvl_ComboBox, helpButton("QR_EC_Lvl_Help_Btn")));

    pdf_2d_sett_box = new QGroupBox(tr("PDF417"));
    pdf_2d_sett_box->setObjectName(QStringLiteral("pdf_2d_sett_box"));
    pdf_row_Text = intPair("pdf_row_Text", 3, 90);
    pdf_col_Text = intPair("pdf_col_Text", 1, 30);
    pdf_ec_lvl_Text = intPair("pdf_ec_lvl_Text", 0, 8);
    pdf_HeightText_2D = intPair("pdf_HeightText_2D", 1, 1000);
    Pdf_widthText_2D = intPair("Pdf_widthText_2D", 10, 2000);
    auto* pdf = new QFormLayout(pdf_2d_sett_box);
    pdf->addRow(tr("Rows :"), withHelp(pdf_row_Text, helpButton("PDF_row_Help_btn")));
    pdf->addRow(tr("Columns :"), withHelp(pdf_col_Text, helpButton("PDF_col_Help_btn")));
    pdf->addRow(tr("EC level :"), withHelp(pdf_ec_lvl_Text, helpButton("PDF_ec_lvl_Help_btn")));
    pdf->addRow(tr("Height :"), pdf_HeightText_2D);
    pdf->addRow(tr("Width :"), Pdf_widthText_2D);

    dm_2d_sett_box = new QGroupBox(tr("DataMatrix"));
    dm_2d_sett_box->setObjectName(QStringLiteral("dm_2d_sett_box"));
    dm_HeightText_2D = intPair("dm_HeightText_2D", 0, 2000);
    dm_widthText_2D = intPair("dm_widthText_2D", 0, 2000);
    dm_moduleText_2D = intPair<SteppingSpinBox>("dm_moduleText_2D", 1, 50);
    dm_format_ComboBox = list("dm_format_ComboBox", BarcodeSettings::dmFormatTitles());
    dm_encoding_ComboBox = list("dm_encoding_ComboBox", BarcodeSettings::dmEncodingTitles());
    auto* dm = new QFormLayout(dm_2d_sett_box);
    dm->addRow(tr("Height :"), dm_HeightText_2D);
    dm->addRow(tr("Width :"), dm_widthText_2D);
    dm->addRow(tr("Module size :"), dm_moduleText_2D);
    dm->addRow(tr("Preferred format :"), withHelp(dm_format_ComboBox, helpButton("DM_format_Help_btn")));
    dm->addRow(tr("Encoding mode :"), withHelp(dm_encoding_ComboBox, helpButton("DM_Encoding_Help_btn")));

    layout->addWidget(linear_sett_box);
    layout->addWidget(two_d_sett_box);
    layout->addWidget(pdf_2d_sett_box);
    layout->addWidget(dm_2d_sett_box);
    layout->addStretch(1);
    return page;
}

QWidget* Barcode_Gen::buildTextTab()
{
    auto* page = new QWidget;
    captionCheckbox = check("captionCheckbox", tr("Hide value"));
    showinTopCheckbox = check("showinTopCheckbox", tr("Value on top"));
    hideHeaderCheckbox = check("hideHeaderCheckbox", tr("Hide header"));
    hideFooterCheckbox = check("hideFooterCheckbox", tr("Hide footer"));
    kerning_value_Checkbox = check("kerning_value_Checkbox", tr("Spread value over the bars"));
    align_hdr_combo = list("align_hdr_combo", BarcodeSettings::alignmentTitles());
    align_ftr_combo = list("align_ftr_combo", BarcodeSettings::alignmentTitles());

    val_font_label = new QLabel(tr("Value font :"));
    value_font_value = new QLabel;
    value_font_value->setObjectName(QStringLiteral("value_font_value"));
    val_font_btn = new QPushButton(tr("Font..."));
    val_font_btn->setObjectName(QStringLiteral("val_font_btn"));
    header_font_value = new QLabel;
    header_font_value->setObjectName(QStringLiteral("header_font_value"));
    auto* headerFont = new QPushButton(tr("Font..."));
    headerFont->setObjectName(QStringLiteral("hdr_font_btn"));
    footer_font_value = new QLabel;
    footer_font_value->setObjectName(QStringLiteral("footer_font_value"));
    auto* footerFont = new QPushButton(tr("Font..."));
    footerFont->setObjectName(QStringLiteral("ftr_font_btn"));
    connect(val_font_btn, &QPushButton::clicked, this, &Barcode_Gen::Value_Font_Changed);
    connect(headerFont, &QPushButton::clicked, this, &Barcode_Gen::Header_Font_Changed);
    connect(footerFont, &QPushButton::clicked, this, &Barcode_Gen::Footer_Font_Changed);

    auto* grid = new QGridLayout(page);
    grid->addWidget(captionCheckbox, 0, 0);
    grid->addWidget(showinTopCheckbox, 0, 1);
    grid->addWidget(hideHeaderCheckbox, 1, 0);
    grid->addWidget(hideFooterCheckbox, 1, 1);
    grid->addWidget(kerning_value_Checkbox, 2, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Header alignment :")), 3, 0);
    grid->addWidget(align_hdr_combo, 3, 1);
    grid->addWidget(new QLabel(tr("Footer alignment :")), 4, 0);
    grid->addWidget(align_ftr_combo, 4, 1);
    grid->addWidget(val_font_label, 5, 0);
    grid->addWidget(value_font_value, 5, 1);
    grid->addWidget(val_font_btn, 5, 2);
    grid->addWidget(new QLabel(tr("Header font :")), 6, 0);
    grid->addWidget(header_font_value, 6, 1);
    grid->addWidget(headerFont, 6, 2);
    grid->addWidget(new QLabel(tr("Footer font :")), 7, 0);
    grid->addWidget(footer_font_value, 7, 1);
    grid->addWidget(footerFont, 7, 2);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* Barcode_Gen::buildMarginTab()
{
    auto* page = new QWidget;
    margin_box = new QGroupBox;
    margin_box->setObjectName(QStringLiteral("margin_box"));
    val_mar_label = new QLabel(tr("Value :"));
    val_mar_Text = floatPair("val_mar_Text", 0.0, 5.0, 0.05, 2);
    hdr_mar_Text = floatPair("hdr_mar_Text", 0.0, 5.0, 0.05, 2);
    ftr_mar_Text = floatPair("ftr_mar_Text", 0.0, 5.0, 0.05, 2);
    TB_mar_Text = floatPair("TB_mar_Text", 0.0, 5.0, 0.05, 2);
    LR_mar_Text = floatPair("LR_mar_Text", 0.0, 5.0, 0.05, 2);
    auto* margins = new QFormLayout(margin_box);
    margins->addRow(val_mar_label, val_mar_Text);
    margins->addRow(tr("Header :"), hdr_mar_Text);
    margins->addRow(tr("Footer :"), ftr_mar_Text);
    margins->addRow(tr("Top and bottom :"), TB_mar_Text);
    margins->addRow(tr("Left and right :"), LR_mar_Text);

    auto* colours = new QGroupBox(tr("Colours"));
    const auto well = [](const char* name) {
        auto* w = new ColorWell;
        w->setObjectName(QLatin1String(name));
        return w;
    };
    barcode_clr = well("barcode_clr");
    bar_back_clr = well("bar_back_clr");
    bar_val_clr = well("bar_val_clr");
    bar_hdr_clr = well("bar_hdr_clr");
    bar_ftr_clr = well("bar_ftr_clr");
    bar_clr_label = new QLabel(tr("Bars :"));
    bar_bk_clr_label = new QLabel(tr("Background :"));
    val_clr_label = new QLabel(tr("Value :"));
    auto* colourGrid = new QGridLayout(colours);
    colourGrid->addWidget(bar_clr_label, 0, 0);
    colourGrid->addWidget(barcode_clr, 0, 1);
    colourGrid->addWidget(bar_bk_clr_label, 0, 2);
    colourGrid->addWidget(bar_back_clr, 0, 3);
    colourGrid->addWidget(val_clr_label, 1, 0);
    colourGrid->addWidget(bar_val_clr, 1, 1);
    colourGrid->addWidget(new QLabel(tr("Header :")), 1, 2);
    colourGrid->addWidget(bar_hdr_clr, 1, 3);
    colourGrid->addWidget(new QLabel(tr("Footer :")), 2, 0);
    colourGrid->addWidget(bar_ftr_clr, 2, 1);

    bar_align_combo = list("bar_align_combo", BarcodeDesignerRules::barAlignmentTitles());
    bar_orient_combo = list("bar_orient_combo", BarcodeDesignerRules::orientationTitles());
    auto* placement = new QFormLayout;
    placement->addRow(tr("Preview alignment :"), bar_align_combo);
    placement->addRow(tr("Orientation :"), bar_orient_combo);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(margin_box);
    layout->addWidget(colours);
    layout->addLayout(placement);
    layout->addStretch(1);
    return page;
}

QWidget* Barcode_Gen::buildResolutionTab()
{
    auto* page = new QWidget;
    DPI_ComboBox = list("DPI_ComboBox", BarcodeSettings::dpiTitles());
    dpi_Text = intPair("dpi_Text", BarcodeSettings::minimumDpi, BarcodeSettings::maximumDpi);
    dpi_Text->setValue(BarcodeSettings::autoDpi);
    dpi_Text->hide();
    auto* form = new QFormLayout(page);
    form->addRow(tr("DPI :"), withHelp(DPI_ComboBox, helpButton("DPI_Help_Label")));
    form->addRow(QString(), dpi_Text);
    return page;
}

void Barcode_Gen::connectControls()
{
    connect(barcodeTypePopup, &QComboBox::currentIndexChanged, this, &Barcode_Gen::barcodeTypeChanged);
    for (QComboBox* list : {Data_source_type, Batch_Series, DPI_ComboBox, qr_enc_mode_ComboBox, qr_version_ComboBox,
                            qr_ec_lvl_ComboBox, dm_format_ComboBox, dm_encoding_ComboBox, align_hdr_combo,
                            align_ftr_combo, bar_orient_combo, bar_align_combo})
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] { comboBoxSelectionDidChange(list); });
    connect(view_series_btn, &QPushButton::clicked, this, &Barcode_Gen::View_batch_Series_Button);

    // every keystroke in a value, header or footer field draws again
    for (QLineEdit* field : {dataText, HeaderText, FooterText}) {
        connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
        connect(field, &QLineEdit::editingFinished, this, [this, field] { textDidEndEditing(field); });
    }
    connect(dataText_2D, &QPlainTextEdit::textChanged, this, &Barcode_Gen::textDidChange);

    connect(HeightText, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::heightChanged);
    connect(HeightText_2D, &QSpinBox::valueChanged, this, &Barcode_Gen::heightChanged);
    connect(widthText, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::widthChanged);
    connect(Pdf_widthText_2D, &QSpinBox::valueChanged, this, &Barcode_Gen::widthChanged);
    connect(pdf_HeightText_2D, &QSpinBox::valueChanged, this, &Barcode_Gen::pdf_heightChanged);
    connect(pdf_row_Text, &QSpinBox::valueChanged, this, &Barcode_Gen::PDF_Row_Changed);
    connect(pdf_col_Text, &QSpinBox::valueChanged, this, &Barcode_Gen::PDF_Col_Changed);
    connect(pdf_ec_lvl_Text, &QSpinBox::valueChanged, this, &Barcode_Gen::PDF_EC_Lvl_Changed);
    connect(dm_widthText_2D, &QSpinBox::valueChanged, this, &Barcode_Gen::dm_widthChanged);
    connect(dm_HeightText_2D, &QSpinBox::valueChanged, this, &Barcode_Gen::dm_heightChanged);
    // A typed module size is told apart from a stepped one.
    connect(dm_moduleText_2D, &QSpinBox::valueChanged, this, [this] { dm_modulesizeChanged(false); });
    connect(dm_moduleText_2D, &SteppingSpinBox::stepped, this, [this] { dm_modulesizeChanged(true); });
    connect(val_mar_Text, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::Value_Margin_Changed);
    connect(hdr_mar_Text, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::Header_Margin_Changed);
    connect(ftr_mar_Text, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::Footer_Margin_Changed);
    connect(TB_mar_Text, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::TB_Margin_Changed);
    connect(LR_mar_Text, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::LR_Margin_Changed);
    connect(dpi_Text, &QSpinBox::valueChanged, this, &Barcode_Gen::DPI_Value_Changed);

    connect(captionCheckbox, &QCheckBox::toggled, this, &Barcode_Gen::captionChanged);
    connect(showinTopCheckbox, &QCheckBox::toggled, this, &Barcode_Gen::showinTopChanged);
    connect(hideHeaderCheckbox, &QCheckBox::toggled, this, &Barcode_Gen::hideHeaderChanged);
    connect(hideFooterCheckbox, &QCheckBox::toggled, this, &Barcode_Gen::hideFooterChanged);
    connect(kerning_value_Checkbox, &QCheckBox::toggled, this, &Barcode_Gen::kerningChanged);

    for (ColorWell* well : {barcode_clr, bar_back_clr, bar_val_clr})
        connect(well, &ColorWell::colourChosen, this, &Barcode_Gen::Set_Font_Clr);
    for (ColorWell* well : {bar_hdr_clr, bar_ftr_clr})
        connect(well, &ColorWell::colourChosen, this, &Barcode_Gen::Header_Color_Changed);

    const std::pair<const char*, void (Barcode_Gen::*)()> helps[] = {
        {"QR_Version_Help_Btn", &Barcode_Gen::QR_Version_Help_Btn},
        {"QR_EC_Lvl_Help_Btn", &Barcode_Gen::QR_EC_Lvl_Help_Btn},
        {"PDF_row_Help_btn", &Barcode_Gen::PDF_row_Help_btn},
        {"PDF_col_Help_btn", &Barcode_Gen::PDF_col_Help_btn},
        {"PDF_ec_lvl_Help_btn", &Barcode_Gen::PDF_ec_lvl_Help_btn},
        {"DM_format_Help_btn", &Barcode_Gen::DM_format_Help_btn},
        {"DM_Encoding_Help_btn", &Barcode_Gen::DM_Encoding_Help_btn},
        {"DPI_Help_Label", &Barcode_Gen::DPI_Help_Label},
    };
    for (const auto& [name, help] : helps) {
        if (QToolButton* button = findChild<QToolButton*>(QLatin1String(name)))
            connect(button, &QToolButton::clicked, this, help);
    }
}

// ---- loading ----

void Barcode_Gen::Set_Barcode_Prop_To_Control(const SKTGraphic& object)
{
    m_value = BarcodeSettings::fromObject(object);
    // the designer-wide switch stays as the user left it
    m_value.kerning_value_Checkbox = kerning_value_Checkbox->isChecked() ? 1 : 0;
    setMeasumentUnitIs(1);
    showValue();
}

void Barcode_Gen::showValue()
{
    showControls();
    if (m_value.isTwoDimensional())
        two_d_barcode_Opt_Select();
    else
        Liner_Barcode_Opt_Select();
}

void Barcode_Gen::showControls()
{
    // Only the controls are kept quiet: the tab view needs its page list's
    // signals to follow a page taken out.
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
            || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w))
            blockers.push_back(std::make_unique<QSignalBlocker>(w));
    }

    const BarcodeSettings& v = m_value;
    barcodeTypePopup->setCurrentIndex(v.barcode_font_index);
    dataText->setText(v.linear_font_val);
    dataText_2D->setPlainText(v.two_d_font_val);
    HeaderText->setText(v.header_val);
    FooterText->setText(v.footer_val);
    hideHeaderCheckbox->setChecked(v.show_hide_hdr == 1);
    hideFooterCheckbox->setChecked(v.show_hide_ftr == 1);
    captionCheckbox->setChecked(v.show_hide_val == 1);
    showinTopCheckbox->setChecked(v.show_val_on_top != 0);
    showinTopCheckbox->setEnabled(v.show_hide_val != 1);
    kerning_value_Checkbox->setChecked(v.kerning_value_Checkbox == 1);
    kerning_value_Checkbox->setEnabled(BarcodeDesignerRules::kerningAllowed(v.symbologyTitle()));
    align_hdr_combo->setCurrentIndex(v.align_hdr_index);
    align_ftr_combo->setCurrentIndex(v.align_ftr_index);

    HeightText->setValue(v.linear_height_val);
    widthText->setValue(v.linear_width_val);
    qr_version_ComboBox->setCurrentIndex(v.qr_version_index);
    HeightText_2D->setMinimum(BarcodeDesignerRules::qrMinimumSide(v.qr_version_index));
    HeightText_2D->setValue(v.qr_size_val);
    qr_ec_lvl_ComboBox->setCurrentIndex(v.qr_ec_index);
    pdf_HeightText_2D->setValue(v.pdf_hgt_val);
    Pdf_widthText_2D->setValue(v.pdf_wdt_val);
    pdf_ec_lvl_Text->setValue(v.pdf_ec_val);
    pdf_barcode.setErrorLevel(v.pdf_ec_val);
    dm_moduleText_2D->setValue(v.dm_module_val);
    dm_format_ComboBox->setCurrentIndex(v.dm_format_index);
    dm_encoding_ComboBox->setCurrentIndex(v.dm_encoding_index);

    hdr_mar_Text->setValue(v.hdr_margin_val);
    ftr_mar_Text->setValue(v.ftr_margin_val);
    val_mar_Text->setValue(v.val_margin_val);
    TB_mar_Text->setValue(v.TB_marging_val);
    LR_mar_Text->setValue(v.LR_margin_val);
    showFonts();

    bar_hdr_clr->setColour(v.barcode_hdr_clr_val);
    bar_ftr_clr->setColour(v.barcode_ftr_clr_val);
    bar_val_clr->setColour(v.barcode_val_clr_val);
    bar_back_clr->setColour(v.barcode_back_clr_val);
    barcode_clr->setColour(v.barcode_clr_val);

    DPI_ComboBox->setCurrentIndex(v.dpi_val_index);
    const bool custom = DPI_ComboBox->currentText() == QLatin1String("Custom");
    dpi_Text->setVisible(custom);
    dpi_Text->setValue(v.dpi());

    Data_source_type->setCurrentIndex(std::clamp(v.data_source_type, 0, 2));
    if (v.data_source_type != 0 && fillSourceList()) {
        if (v.data_source_type == 1) {
            const int at = Batch_Series->findText(v.batch_list_name);
            Batch_Series->setCurrentIndex(at);
            if (at >= 0)
                showBoundValue(dataSources().firstValueOf(v.batch_list_name));
        } else {
            Batch_Series->setCurrentIndex(v.excel_col_indx < Batch_Series->count() ? v.excel_col_indx : -1);
            if (Batch_Series->currentIndex() >= 0)
                showBoundValue(dataSources().firstValueOf(v.excel_col_indx));
        }
    }
    showSourceState();
}

void Barcode_Gen::showFonts()
{
    value_font_value->setText(fontText(m_value.value_font_val));
    header_font_value->setText(fontText(m_value.header_font_val));
    footer_font_value->setText(fontText(m_value.footer_font_val));
}

bool Barcode_Gen::fillSourceList()
{
    const QSignalBlocker quiet(Batch_Series);
    Batch_Series->clear();
    if (Data_source_type->currentText() == QLatin1String("Series")) {
        const QStringList names = dataSources().names();
        if (names.isEmpty())
            return false;
        Batch_Series->addItems(names);
    } else {
        Batch_Series->addItems(dataSources().columns());
    }
    Batch_Series->setCurrentIndex(-1);
    return true;
}

void Barcode_Gen::showSourceState()
{
    const bool bound = Data_source_type->currentIndex() > 0;
    view_series_btn->setEnabled(bound);
    Batch_Series->setEnabled(bound);
    dataText->setReadOnly(bound);
    dataText_2D->setReadOnly(bound);
}

void Barcode_Gen::showBoundValue(const QString& value)
{
    if (m_value.isTwoDimensional()) {
        m_value.two_d_font_val = value;
        const QSignalBlocker quiet(dataText_2D);
        dataText_2D->setPlainText(value);
    } else {
        m_value.linear_font_val = value;
        const QSignalBlocker quiet(dataText);
        dataText->setText(value);
    }
}

// ---- modal run ----

GraphicPtr Barcode_Gen::Open_Wnd(const GraphicPtr& object)
{
    if (!object)
        return {};
    // The object is the designer's only while it runs.
    pass_barcode_control = object;
    try {
        Set_Barcode_Prop_To_Control(*object);
        goButtonActionPerformed();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        pass_barcode_control.reset();
        return {};
    }
    const int code = runAndHide(*this);
    pass_barcode_control.reset();
    if (code != 1)
        return {};
    m_value.writeTo(*object);
    object->Set_Data_source_type(m_value.data_source_type);
    object->Set_Batch_List_Name(m_value.batch_list_name);
    object->Set_Batch_List_Index(m_value.batch_list_index);
    object->Set_Excel_binding_Index(m_value.excel_col_indx);
    return object;
}

void Barcode_Gen::OK_Btn_Clicked()
{
    goButtonActionPerformed();
    if (m_preview.isNull())
        return;
    setBarcodeOutputImage(m_preview);
    done(1);
}

void Barcode_Gen::Cancel_Btn_Clicked()
{
    done(0);
}

void Barcode_Gen::reject()
{
    Cancel_Btn_Clicked();
}

// ---- preview ----

bool Barcode_Gen::Check_And_Validat_Barcode()
{
    barcode_error_label->hide();
    const QString value = m_value.value();
    if (value.isEmpty()) {
        Set_Blank_Image(tr("Please enter barcode value"));
        return false;
    }
    if (!m_value.isTwoDimensional() && !isAscii(value)) {
        Set_Blank_Image(tr("A barcode value holds only ASCII characters."));
        return false;
    }
    return true;
}

void Barcode_Gen::goButtonActionPerformed()
{
    image_2d = Picture();
    if (!Check_And_Validat_Barcode())
        return;
    Generate_Barcode_Variable(true, m_value.value(), m_value.header_val, m_value.footer_val);
}

std::shared_ptr<const NKDBarcode> Barcode_Gen::Generate_Barcode_Variable(bool panel, const QString& Barcode_Value,
                                                                         const QString& Barcode_Header,
                                                                         const QString& Barcode_Footer)
{
    if (Barcode_Value.isEmpty())
        return nullptr;
    const BarcodeProducer::Result made =
        BarcodeProducer::render(m_value, Barcode_Value, Barcode_Header, Barcode_Footer);
    if (!panel) {
        testBarcode_EXP = made.barcode;
        return made.barcode;
    }
    testBarcode = made.barcode;
    image_2d = made.symbol;
    if (!made.ok()) {
        Set_Blank_Image(made.reason);
        return nullptr;
    }
    Set_Barcode_On_Panel(made.picture);
    return made.barcode;
}

void Barcode_Gen::Get_Image_From_Barcode(const std::shared_ptr<const NKDBarcode>& barcode)
{
    if (!Check_And_Validat_Barcode())
        return;
    if (!barcode) {
        Set_Blank_Image();
        return;
    }
    const Picture picture = NKDBarcodeImage::imageFromBarcode(*barcode, m_value.dpi());
    if (picture.isNull())
        Set_Blank_Image();
    else
        Set_Barcode_On_Panel(picture);
}

void Barcode_Gen::Get_Image_From_barcode_image(const Picture& image)
{
    if (image_2d.isNull() || image.isNull()) {
        Set_Blank_Image();
        return;
    }
    const Picture framed =
        BarcodeProducer::frameSymbol(m_value, image, m_value.value(), m_value.header_val, m_value.footer_val);
    if (framed.isNull()) {
        Set_Blank_Image(tr("The picture could not be framed"));
        return;
    }
    Set_Barcode_On_Panel(framed);
}

void Barcode_Gen::Get_2d_barcode_from_image()
{
    if (image_2d.isNull()) {
        Set_Blank_Image();
        return;
    }
    if (liner_or_2D_font == 1)
        Get_Image_From_barcode_image(image_2d);
}

void Barcode_Gen::refreshPreview(Refresh refresh)
{
    // A two-dimensional symbol whose header, footer, fonts, margins or
    // colours changed is framed again without being encoded again.
    if (refresh == Refresh::Reframe && m_value.isTwoDimensional() && !image_2d.isNull()) {
        Get_2d_barcode_from_image();
        return;
    }
    goButtonActionPerformed();
}

void Barcode_Gen::Set_Blank_Image(const QString& reason)
{
    m_preview = Picture();
    image_2d = Picture();
    m_previewError = reason.isEmpty() ? tr("No barcode can be made of this value.") : reason;
    barcodeImage->clear();
    barcode_error_label->setText(m_previewError);
    barcode_error_label->show();
}

void Barcode_Gen::Set_Barcode_On_Panel(const Picture& image)
{
    m_preview = image;
    m_previewError.clear();
    // shown at its size in points, sharp however many pixels it holds
    QPixmap pixmap = QPixmap::fromImage(image.image());
    const QSizeF points = image.size();
    if (points.width() > 0)
        pixmap.setDevicePixelRatio(image.image().width() / points.width());
    barcodeImage->setPixmap(pixmap);
    barcode_error_label->hide();
}

void Barcode_Gen::Show_Create_Modeless()
{
    plz_wait_Window->show();
    plz_wait_Window->raise();
}

void Barcode_Gen::Hide_Destroy_Modeless()
{
    plz_wait_Window->hide();
}

namespace {

void flipImage(QLabel* view, bool horizontally, bool vertically)
{
    if (!view)
        return;
    const QPixmap shown = view->pixmap();
    if (shown.isNull())
        return;
    QImage mirrored = shown.toImage().mirrored(horizontally, vertically);
    QPixmap copy = QPixmap::fromImage(mirrored);
    copy.setDevicePixelRatio(shown.devicePixelRatio());
    view->setPixmap(copy);
}

} // namespace

void Barcode_Gen::flipImageVertically(QLabel* view)
{
    flipImage(view, false, true);
}

void Barcode_Gen::flipImageHorizontally(QLabel* view)
{
    flipImage(view, true, false);
}

// ---- layouts ----

std::vector<QWidget*> Barcode_Gen::linearOnlyControls() const
{
    return {showinTopCheckbox, captionCheckbox, val_mar_Text,  val_mar_label, val_font_label,
            val_font_btn,      value_font_value, barcode_clr,  bar_back_clr,  bar_val_clr,
            val_clr_label,     bar_clr_label,   bar_bk_clr_label, linear_sett_box};
}

void Barcode_Gen::Liner_Barcode_Opt_Select()
{
    m_value.linear_or_2d = 0;
    liner_or_2D_font = 0;
    dataText->setEnabled(true);
    dataText->show();
    dataText_2D->hide();
    for (QWidget* w : linearOnlyControls())
        w->show();
    two_d_sett_box->hide();
    pdf_2d_sett_box->hide();
    dm_2d_sett_box->hide();
    if (sett_tab->count() == 4) {
        sett_tab->removeTab(resolutionTab);
        dpi_tab_item->setParent(this);
        dpi_tab_item->hide();
    }
    sett_tab->setCurrentIndex(0);
    _setLabels();
}

void Barcode_Gen::two_d_barcode_Opt_Select()
{
    m_value.linear_or_2d = 1;
    liner_or_2D_font = 1;
    dataText->setEnabled(false);
    dataText->hide();
    dataText_2D->show();
    for (QWidget* w : linearOnlyControls())
        w->hide();
    const QString title = barcodeTypePopup->currentText();
    two_d_sett_box->setVisible(title == QLatin1String("QR Code"));
    pdf_2d_sett_box->setVisible(title == QLatin1String("PDF417"));
    dm_2d_sett_box->setVisible(title == QLatin1String("DataMatrix"));
    if (sett_tab->count() == 3)
        sett_tab->insertTab(resolutionTab, dpi_tab_item, tr("Resolution"));
    _setLabels();
}

void Barcode_Gen::_setLabels()
{
    const auto labels = BarcodeDesignerRules::sizeLabels(m_value.linear_or_2d == 0, Measument_Unit_Is);
    barHeightLabel->setText(labels.barHeight);
    barWidthLabel->setText(labels.barWidth);
    if (!labels.margins.isEmpty())
        margin_box->setTitle(labels.margins);
}

// ---- handlers ----

void Barcode_Gen::barcodeTypeChanged()
{
    m_value.barcode_font_index = barcodeTypePopup->currentIndex();
    const QString title = m_value.symbologyTitle();
    if (m_value.isTwoDimensional()) {
        two_d_barcode_Opt_Select();
    } else {
        Liner_Barcode_Opt_Select();
        kerning_value_Checkbox->setEnabled(true);
    }
    // Linear and two-dimensional symbols keep values of their own; a bound
    // value follows the symbology into the field now shown.
    if (m_value.data_source_type == 1 && Batch_Series->currentIndex() >= 0)
        showBoundValue(dataSources().firstValueOf(Batch_Series->currentText()));
    else if (m_value.data_source_type == 2 && Batch_Series->currentIndex() >= 0)
        showBoundValue(dataSources().firstValueOf(Batch_Series->currentIndex()));
    if (m_value.value().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter barcode value"));
        Set_Blank_Image(tr("Please enter barcode value"));
        return;
    }
    if (!BarcodeDesignerRules::kerningAllowed(title))
        kerning_value_Checkbox->setEnabled(false);
    goButtonActionPerformed();
}

void Barcode_Gen::comboBoxSelectionDidChange(QComboBox* list)
{
    if (list == DPI_ComboBox) {
        // The new resolution applies from the next picture: no refresh.
        m_value.dpi_val_index = DPI_ComboBox->currentIndex();
        dpi_Text->setVisible(DPI_ComboBox->currentText() == QLatin1String("Custom"));
        setUsedDpiValue(m_value.dpi());
    } else if (list == Data_source_type) {
        dataSourceTypeChanged();
    } else if (list == Batch_Series) {
        batchSeriesChanged();
    } else if (list == qr_version_ComboBox) {
        qrVersionChanged();
    } else if (list == qr_ec_lvl_ComboBox) {
        m_value.qr_ec_index = qr_ec_lvl_ComboBox->currentIndex();
        setQrEcLevelVal(m_value.qr_ec_index);
        goButtonActionPerformed();
    } else if (list == dm_format_ComboBox) {
        m_value.dm_format_index = dm_format_ComboBox->currentIndex();
        data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    } else if (list == dm_encoding_ComboBox) {
        m_value.dm_encoding_index = dm_encoding_ComboBox->currentIndex();
        goButtonActionPerformed();
    } else if (list == qr_enc_mode_ComboBox || list == bar_orient_combo) {
        goButtonActionPerformed();
    } else if (list == align_hdr_combo || list == align_ftr_combo) {
        m_value.align_hdr_index = align_hdr_combo->currentIndex();
        m_value.align_ftr_index = align_ftr_combo->currentIndex();
        goButtonActionPerformed();
    } else if (list == bar_align_combo) {
        barAlignChanged();
    }
}

void Barcode_Gen::controlTextDidChange(QObject* field)
{
    if (field == dataText) {
        m_value.linear_font_val = dataText->text();
        goButtonActionPerformed();
    } else if (field == HeaderText || field == FooterText) {
        m_value.header_val = HeaderText->text();
        m_value.footer_val = FooterText->text();
        refreshPreview(Refresh::Reframe);
    }
}

void Barcode_Gen::textDidChange()
{
    m_value.two_d_font_val = dataText_2D->toPlainText();
    goButtonActionPerformed();
}

void Barcode_Gen::textDidEndEditing(QObject* field)
{
    // Every keystroke has drawn already; only a field changed without one
    // (pasted or set) draws again.
    if (field == dataText && m_value.linear_font_val != dataText->text())
        controlTextDidChange(field);
    else if ((field == HeaderText && m_value.header_val != HeaderText->text())
             || (field == FooterText && m_value.footer_val != FooterText->text()))
        controlTextDidChange(field);
}

void Barcode_Gen::dataSourceTypeChanged()
{
    const QString title = Data_source_type->currentText();
    if (title == QLatin1String("Manual")) {
        {
            const QSignalBlocker quiet(Batch_Series);
            Batch_Series->clear();
        }
        m_value.data_source_type = 0;
        showSourceState();
        goButtonActionPerformed();
        return;
    }
    view_series_btn->setEnabled(true);
    Batch_Series->setEnabled(true);
    dataText->setReadOnly(true);
    dataText_2D->setReadOnly(true);
    if (!fillSourceList()) {
        Show_MessageBox(QStringLiteral("Please create batch processing series first."));
        return;
    }
    if (title == QLatin1String("Series")) {
        m_value.data_source_type = 1;
        if (!m_value.batch_list_name.isEmpty())
            Batch_Series->setCurrentIndex(Batch_Series->findText(m_value.batch_list_name));
    } else {
        m_value.data_source_type = 2;
        if (m_value.excel_col_indx < Batch_Series->count())
            Batch_Series->setCurrentIndex(m_value.excel_col_indx);
    }
    goButtonActionPerformed();
}

void Barcode_Gen::batchSeriesChanged()
{
    const QString name = Trim_Str(Batch_Series->currentText());
    const int index = Batch_Series->currentIndex();
    if (name.isEmpty() || index < 0)
        return;
    const QString source = Data_source_type->currentText();
    if (source == QLatin1String("Manual"))
        return;
    if (source == QLatin1String("Series")) {
        m_value.batch_list_name = name;
        m_value.batch_list_index = index;
        showBoundValue(dataSources().firstValueOf(name));
    } else {
        m_value.excel_col_indx = index;
        showBoundValue(dataSources().firstValueOf(index));
    }
    goButtonActionPerformed();
    startEditingOnCanvas();
}

void Barcode_Gen::startEditingOnCanvas()
{
    BarcodeDesignerHost* host = s_host;
    if (!pass_barcode_control || !host)
        return;
    host->Refresh_Canvas();
    if (SKTGraphicView* view = host->commandCanvas()) {
        try {
            view->controller().startEditingGraphic(pass_barcode_control);
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        }
    }
    host->Refresh_Canvas();
}

void Barcode_Gen::View_batch_Series_Button()
{
    const QString name = Trim_Str(Batch_Series->currentText());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    if (dataSources().viewSeries)
        dataSources().viewSeries(name);
}

void Barcode_Gen::DPI_Value_Changed()
{
    m_value.dpi_custom_val = QString::number(dpi_Text->value());
    setUsedDpiValue(m_value.dpi());
    // the picture handed to the card is made at the resolution the object says
    goButtonActionPerformed();
}

void Barcode_Gen::qrVersionChanged()
{
    const int index = qr_version_ComboBox->currentIndex();
    m_value.qr_version_index = index;
    setQrVersionVal(index);
    Check_And_Set_QR_size_Acc_Version(index);
    goButtonActionPerformed();
}

void Barcode_Gen::Check_And_Set_QR_size_Acc_Version(int version)
{
    const QSignalBlocker quiet(HeightText_2D);
    HeightText_2D->setMinimum(BarcodeDesignerRules::qrMinimumSide(version));
    m_value.qr_size_val = HeightText_2D->value();
}

void Barcode_Gen::data_matrix_barcode_size_acc_format()
{
    const QSize size = BarcodeDesignerRules::dataMatrixSize(
        dm_format_ComboBox->currentText(), dm_moduleText_2D->value(),
        QSize(dm_widthText_2D->value(), dm_HeightText_2D->value()));
    const QSignalBlocker quietWidth(dm_widthText_2D);
    const QSignalBlocker quietHeight(dm_HeightText_2D);
    dm_widthText_2D->setValue(size.width());
    dm_HeightText_2D->setValue(size.height());
}

void Barcode_Gen::dm_modulesizeChanged(bool fromStepper)
{
    m_value.dm_module_val = dm_moduleText_2D->value();
    if (fromStepper)
        data_matrix_barcode_size_acc_format();
    goButtonActionPerformed();
}

void Barcode_Gen::dm_widthChanged()
{
    goButtonActionPerformed();
}

void Barcode_Gen::dm_heightChanged()
{
    goButtonActionPerformed();
}

void Barcode_Gen::heightChanged()
{
    m_value.linear_height_val = float(HeightText->value());
    m_value.qr_size_val = HeightText_2D->value();
    goButtonActionPerformed();
}

void Barcode_Gen::widthChanged()
{
    m_value.linear_width_val = float(widthText->value());
    m_value.pdf_wdt_val = Pdf_widthText_2D->value();
    goButtonActionPerformed();
}

void Barcode_Gen::pdf_heightChanged()
{
    m_value.pdf_hgt_val = pdf_HeightText_2D->value();
    goButtonActionPerformed();
}

// Rows and columns are the designer's own: the symbol takes the rows and
// columns its value needs.
void Barcode_Gen::PDF_Row_Changed()
{
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_Col_Changed()
{
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_EC_Lvl_Changed()
{
    pdf_barcode.setErrorLevel(pdf_ec_lvl_Text->value());
    m_value.pdf_ec_val = pdf_barcode.getErrorLevel();
    goButtonActionPerformed();
}

void Barcode_Gen::Value_Margin_Changed()
{
    m_value.val_margin_val = float(val_mar_Text->value());
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::Header_Margin_Changed()
{
    m_value.hdr_margin_val = float(hdr_mar_Text->value());
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::Footer_Margin_Changed()
{
    m_value.ftr_margin_val = float(ftr_mar_Text->value());
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::TB_Margin_Changed()
{
    m_value.TB_marging_val = float(TB_mar_Text->value());
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::LR_Margin_Changed()
{
    m_value.LR_margin_val = float(LR_mar_Text->value());
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::barAlignChanged()
{
    Qt::Alignment alignment;
    if (BarcodeDesignerRules::previewAlignment(bar_align_combo->currentText(), &alignment))
        barcodeImage->setAlignment(alignment);
}

void Barcode_Gen::captionChanged()
{
    m_value.show_hide_val = captionCheckbox->isChecked() ? 1 : 0;
    showinTopCheckbox->setEnabled(m_value.show_hide_val != 1);
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::showinTopChanged()
{
    m_value.show_val_on_top = showinTopCheckbox->isChecked() ? 1 : 0;
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::hideHeaderChanged()
{
    m_value.show_hide_hdr = hideHeaderCheckbox->isChecked() ? 1 : 0;
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::hideFooterChanged()
{
    m_value.show_hide_ftr = hideFooterCheckbox->isChecked() ? 1 : 0;
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::kerningChanged()
{
    m_value.kerning_value_Checkbox = kerning_value_Checkbox->isChecked() ? 1 : 0;
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::Header_Color_Changed()
{
    Set_Font_Clr();
}

void Barcode_Gen::Set_Font_Clr()
{
    m_value.barcode_clr_val = barcode_clr->colour();
    m_value.barcode_back_clr_val = bar_back_clr->colour();
    m_value.barcode_val_clr_val = bar_val_clr->colour();
    m_value.barcode_hdr_clr_val = bar_hdr_clr->colour();
    m_value.barcode_ftr_clr_val = bar_ftr_clr->colour();
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::Value_Font_Changed()
{
    chooseFont(&BarcodeSettings::value_font_val, &Barcode_Gen::changeFont);
}

void Barcode_Gen::Header_Font_Changed()
{
    chooseFont(&BarcodeSettings::header_font_val, &Barcode_Gen::header_changeFont);
}

void Barcode_Gen::Footer_Font_Changed()
{
    chooseFont(&BarcodeSettings::footer_font_val, &Barcode_Gen::footer_changeFont);
}

void Barcode_Gen::chooseFont(FontSpec BarcodeSettings::*font, void (Barcode_Gen::*apply)(const FontSpec&))
{
    const std::optional<FontSpec> chosen = FontChooser::chooseFont(this, m_value.*font);
    if (chosen)
        (this->*apply)(*chosen);
}

void Barcode_Gen::changeFont(const FontSpec& font)
{
    applyFont(&BarcodeSettings::value_font_val, value_font_value, font);
}

void Barcode_Gen::header_changeFont(const FontSpec& font)
{
    applyFont(&BarcodeSettings::header_font_val, header_font_value, font);
}

void Barcode_Gen::footer_changeFont(const FontSpec& font)
{
    applyFont(&BarcodeSettings::footer_font_val, footer_font_value, font);
}

void Barcode_Gen::applyFont(FontSpec BarcodeSettings::*font, QLabel* label, const FontSpec& chosen)
{
    m_value.*font = chosen;
    label->setText(fontText(chosen));
    refreshPreview(Refresh::Reframe);
}

void Barcode_Gen::QR_Version_Help_Btn()
{
    showHelp(int(BarcodeDesignerRules::Help::QrVersion));
}

void Barcode_Gen::QR_EC_Lvl_Help_Btn()
{
    showHelp(int(BarcodeDesignerRules::Help::QrErrorLevel));
}

void Barcode_Gen::PDF_row_Help_btn()
{
    showHelp(int(BarcodeDesignerRules::Help::PdfRows));
}

void Barcode_Gen::PDF_col_Help_btn()
{
    showHelp(int(BarcodeDesignerRules::Help::PdfColumns));
}

void Barcode_Gen::PDF_ec_lvl_Help_btn()
{
    showHelp(int(BarcodeDesignerRules::Help::PdfErrorLevel));
}

void Barcode_Gen::DM_format_Help_btn()
{
    showHelp(int(BarcodeDesignerRules::Help::DmFormat));
}

void Barcode_Gen::DM_Encoding_Help_btn()
{
    showHelp(int(BarcodeDesignerRules::Help::DmEncoding));
}

void Barcode_Gen::DPI_Help_Label()
{
    showHelp(int(BarcodeDesignerRules::Help::Resolution));
}

void Barcode_Gen::showHelp(int which)
{
    const auto text = BarcodeDesignerRules::help(BarcodeDesignerRules::Help(which));
    setCutomMessage(text.title, text.text);
    if (Long_SMS_Dlg* box = Long_SMS_Dlg::defaultInstance()) {
        box->Open_Long_sms_Dialog();
    } else {
        Long_SMS_Dlg own(this);
        own.Open_Long_sms_Dialog();
    }
}
