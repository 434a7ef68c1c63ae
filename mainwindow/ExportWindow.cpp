#include "mainwindow/ExportWindow.h"

#include "platform/OpenPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QImageWriter>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

ExportWindow::FolderChooser& folderChooser()
{
    static ExportWindow::FolderChooser chooser;
    return chooser;
}

}

ExportWindow::ExportWindow(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("ExportWindow"), tr("Export"), Modality::Application, Background::Plain)
{

    fileFormatPopup = new QComboBox(this);
    fileFormatPopup->setObjectName(QStringLiteral("fileFormatPopup"));
    fileFormatPopup->addItems(fileTypes());
    saveDPIText = new QComboBox(this);
    saveDPIText->setObjectName(QStringLiteral("saveDPIText"));
    saveDPIText->addItems({QStringLiteral("72"), QStringLiteral("150"), QStringLiteral("300")});
    connect(fileFormatPopup, &QComboBox::currentTextChanged, this,
            [this](const QString& title) { saveDPIText->setEnabled(title == QLatin1String("TIFF")); });

    auto* sides = new QGroupBox(tr("Card side"), this);
    auto* sidesLayout = new QVBoxLayout(sides);
    matrix_export_card_side = new QButtonGroup(this);
    const QStringList sideTitles {tr("Both sides"), tr("Front"), tr("Back")};
    for (int row = 0; row < sideTitles.size(); ++row) {
        auto* radio = new QRadioButton(sideTitles[row], sides);
        radio->setObjectName(QStringLiteral("matrix_export_card_side_%1").arg(row));
        matrix_export_card_side->addButton(radio, row);
        sidesLayout->addWidget(radio);
    }
    connect(matrix_export_card_side, &QButtonGroup::idClicked, this, [this](int row) {
        if (sideChosen)
            sideChosen(row);
    });

    export_combined_image_chk = new QCheckBox(tr("Front and back in one picture"), this);
    export_combined_image_chk->setObjectName(QStringLiteral("export_combined_image_chk"));
    Export_with_batch_chk = new QCheckBox(tr("One card per record of the batch series"), this);
    Export_with_batch_chk->setObjectName(QStringLiteral("Export_with_batch_chk"));
    Export_with_excel_chk = new QCheckBox(tr("One card per record of the spreadsheet"), this);
    Export_with_excel_chk->setObjectName(QStringLiteral("Export_with_excel_chk"));

    auto* form = new QFormLayout;
    form->addRow(tr("File type:"), fileFormatPopup);
    form->addRow(tr("Resolution (dpi):"), saveDPIText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(1); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sides);
    layout->addWidget(export_combined_image_chk);
    layout->addWidget(Export_with_batch_chk);
    layout->addWidget(Export_with_excel_chk);
    layout->addWidget(buttons);
}

QStringList ExportWindow::fileTypes()
{
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    QStringList types;
    for (const char* type : {"TIFF", "PNG", "JPEG", "BMP"}) {
        if (writable.contains(QByteArray(type).toLower()))
            types << QString::fromLatin1(type);
    }
    return types;
}

QString ExportWindow::chooseFolder(QWidget* parent)
{
    if (folderChooser())
        return folderChooser()(parent);
    return OpenPanel::chooseFolder(parent, tr("Choose the folder to export into"));
}

void ExportWindow::setFolderChooser(FolderChooser chooser)
{
    folderChooser() = std::move(chooser);
}

double ExportWindow::chosenDpi() const
{
    return saveDPIText->currentText().toDouble();
}

void ExportWindow::selectSideRow(int row)
{
    if (QAbstractButton* button = matrix_export_card_side->button(row))
        button->setChecked(true);
    if (sideChosen)
        sideChosen(row);
}

int ExportWindow::sideRow() const
{
    return matrix_export_card_side->checkedId();
}
