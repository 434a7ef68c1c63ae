#include "mainwindow/CardSizeChooser.h"

#include "mainwindow/CardSizePresets.h"
#include "mainwindow/PresetListModel.h"
#include "mainwindow/WizardHost.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* millimetreStepper(const char* name, QWidget* parent)
{
    auto* stepper = new QDoubleSpinBox(parent);
    stepper->setObjectName(QLatin1String(name));
    stepper->setDecimals(3);
    stepper->setRange(10.0, 500.0);
    stepper->setSingleStep(1.0);
    stepper->setSuffix(QStringLiteral(" mm"));
    return stepper;
}
}

CardSizeChooser::CardSizeChooser(WizardHost* controller, QWidget* parent) : QWidget(parent), m_controller(controller)
{
    Preset_ComboBox = new QComboBox(this);
    Preset_ComboBox->setObjectName(QStringLiteral("Preset_ComboBox"));
    Preset_ComboBox->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    Category_ComboBox = new QComboBox(this);
    Category_ComboBox->setObjectName(QStringLiteral("Category_ComboBox"));
    Category_ComboBox->addItems({CardSizePresets::pvcCategory, QStringLiteral("Paper Badge")});
    ListData = new PresetListModel(this);
    ColList = new QTableView(this);
    ColList->setObjectName(QStringLiteral("ColList"));
    ColList->setModel(ListData);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->setSelectionMode(QAbstractItemView::SingleSelection);
    ColList->horizontalHeader()->setStretchLastSection(true);
    ColList->verticalHeader()->hide();
    width_Stepper = millimetreStepper("width_Stepper", this);
    height_Stepper = millimetreStepper("height_Stepper", this);

    connect(Preset_ComboBox, &QComboBox::currentIndexChanged, this,
            [this] { comboBoxSelectionDidChange(Preset_ComboBox); });
    connect(Category_ComboBox, &QComboBox::currentIndexChanged, this,
            [this] { comboBoxSelectionDidChange(Category_ComboBox); });
    connect(ColList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CardSizeChooser::tableViewSelectionDidChange);

    auto* form = new QFormLayout;
    form->addRow(tr("Category:"), Category_ComboBox);
    form->addRow(tr("Orientation:"), Preset_ComboBox);
    auto* sizes = new QFormLayout;
    sizes->addRow(tr("Width:"), width_Stepper);
    sizes->addRow(tr("Height:"), height_Stepper);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(ColList, 1);
    layout->addLayout(sizes);
}

void CardSizeChooser::reset()
{
    {
        const QSignalBlocker preset(Preset_ComboBox);
        const QSignalBlocker category(Category_ComboBox);
        Preset_ComboBox->setCurrentIndex(0);
        Category_ComboBox->setCurrentIndex(0);
    }
    comboBoxSelectionDidChange(Category_ComboBox);
}

void CardSizeChooser::comboBoxSelectionDidChange(QComboBox* comboBox)
{
    if (comboBox == Category_ComboBox) {
        ListData->clear();
        const QStringList names = Category_ComboBox->currentIndex() == 0 ? CardSizePresets::pvcCardNames()
                                                                          : CardSizePresets::paperCardNames();
        for (const QString& name : names)
            Create_List(name);
        Mark_List_New_Selection(0);
    }
    // Another orientation shows the chosen preset turned.
    tableViewSelectionDidChange();
}

void CardSizeChooser::tableViewSelectionDidChange()
{
    const QModelIndexList rows = ColList->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    const QString category = Category_ComboBox->currentText();
    const QString preset = Preset_ComboBox->currentText() == QLatin1String("Horizontal") ? QStringLiteral("H")
                                                                                           : QStringLiteral("V");
    const QSizeF size = m_controller ? m_controller->Get_My_card_Size(category, preset, row)
                                     : CardSizePresets::Get_My_card_Size(category, preset, row);
    width_Stepper->setValue(size.width());
    height_Stepper->setValue(size.height());
}

void CardSizeChooser::Create_List(const QString& text)
{
    ListData->Create_List(text);
}

void CardSizeChooser::Mark_List_New_Selection(int row)
{
    if (row < 0 || row >= ListData->rowCount()) {
        ColList->clearSelection();
        return;
    }
    ColList->selectionModel()->select(ListData->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QSizeF CardSizeChooser::millimetres() const
{
    return QSizeF(width_Stepper->value(), height_Stepper->value());
}
