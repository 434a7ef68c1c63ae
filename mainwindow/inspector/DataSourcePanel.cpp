#include "mainwindow/inspector/DataSourcePanel.h"

#include "app/MessageBoxes.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/DataSourcePanelHost.h"
#include "model/SKTGraphic.h"
#include "ui_DrawWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <exception>

DataSourcePanel::DataSourcePanel(DataSourcePanelHost& host) : m_host(host)
{
    Ui::DrawWindow& ui = host.window()->ui();
    QWidget* page = ui.datasource_tab;
    QVBoxLayout* layout = ui.datasource_tab_layout;
    int at = layout->count() - 1;   // before the spacer

    m_title = new QLabel(tr("Text Source"), page);
    m_title->setObjectName(QStringLiteral("data_source_title"));
    layout->insertWidget(at++, m_title);

    m_sourceType = new QComboBox(page);
    m_sourceType->setObjectName(QStringLiteral("Data_source_type"));
    m_sourceType->addItems({manualItem, seriesItem, excelItem});
    layout->insertWidget(at++, m_sourceType);

    m_batchSeries = new QComboBox(page);
    m_batchSeries->setObjectName(QStringLiteral("Batch_Series"));
    m_batchSeries->setEnabled(false);
    layout->insertWidget(at++, m_batchSeries);

    m_viewSeries = new QPushButton(tr("View series..."), page);
    m_viewSeries->setObjectName(QStringLiteral("view_series_btn"));
    m_viewSeries->setEnabled(false);
    auto* help = new QPushButton(QStringLiteral("?"), page);
    help->setObjectName(QStringLiteral("data_source_help_btn"));
    help->setToolTip(tr("Data source help"));
    help->setMaximumWidth(40);
    connect(help, &QPushButton::clicked, this, [this] { m_host.Data_Source_Help_Button(); });
    auto* viewRow = new QHBoxLayout;
    viewRow->addWidget(m_viewSeries, 1);
    viewRow->addWidget(help);
    layout->insertLayout(at++, viewRow);

    m_browseBox = new QGroupBox(tr("Picture file"), page);
    m_browseBox->setObjectName(QStringLiteral("manual_brws_box"));
    auto* boxLayout = new QVBoxLayout(m_browseBox);
    m_path = new QPlainTextEdit(m_browseBox);
    m_path->setObjectName(QStringLiteral("Manual_image_path"));
    // The path comes from the choosers, which also load the picture.
    m_path->setReadOnly(true);
    m_path->setFixedHeight(48);
    boxLayout->addWidget(m_path);
    auto* buttons = new QHBoxLayout;
    m_browse = new QPushButton(tr("Browse..."), m_browseBox);
    m_browse->setObjectName(QStringLiteral("Manual_Image_Browse_Btn"));
    m_library = new QPushButton(tr("Library..."), m_browseBox);
    m_library->setObjectName(QStringLiteral("Manual_Library_Browse_Btn"));
    buttons->addWidget(m_browse);
    buttons->addWidget(m_library);
    boxLayout->addLayout(buttons);
    m_browseBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_browseBox->setVisible(false);
    layout->insertWidget(at++, m_browseBox);

    connect(m_sourceType, &QComboBox::activated, this, [this] { dataSourceTypeChanged(); });
    connect(m_batchSeries, &QComboBox::activated, this, [this] { batchSeriesChanged(); });
    connect(m_viewSeries, &QPushButton::clicked, this, [this] {
        if (m_lists.viewSeries)
            m_lists.viewSeries(m_batchSeries->currentText());
    });
}

bool DataSourcePanel::showsKind(const SKTGraphic& graphic) const
{
    const SKTGraphic::Kind kind = graphic.kind();
    return kind == SKTGraphic::Kind::Text || kind == SKTGraphic::Kind::Image || kind == SKTGraphic::Kind::Signature;
}

void DataSourcePanel::load(const SKTGraphic& graphic)
{
    if (graphic.kind() == SKTGraphic::Kind::Text) {
        m_title->setText(tr("Text Source"));
        m_browseBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_browseBox->setVisible(false);
    } else if (graphic.kind() == SKTGraphic::Kind::Image) {
        m_title->setText(tr("Image Source"));
        m_browseBox->setVisible(true);
        m_path->setPlainText(graphic._file_path);
    }
    const int source = graphic.data_source_type;
    {
        const QSignalBlocker blocker(m_sourceType);
        m_sourceType->setCurrentIndex(source >= 0 && source < m_sourceType->count() ? source : -1);
    }
    // The source steps run for every object loaded, so the controls never
    // keep the state of the object shown before.
    if (m_sourceType->currentIndex() >= 0)
        dataSourceTypeChanged();
    if (!graphic.batch_list_name.isEmpty())
        selectBatchItem(m_batchSeries->findText(graphic.batch_list_name));
}

GraphicPtr DataSourcePanel::selectedObject() const
{
    SKTGraphicView* view = m_host.commandCanvas();
    return view ? view->controller()._Selected_Graphic : GraphicPtr();
}

void DataSourcePanel::selectBatchItem(int index)
{
    if (index < 0 || index >= m_batchSeries->count())
        index = -1;
    if (index == m_batchSeries->currentIndex())
        return;
    {
        const QSignalBlocker blocker(m_batchSeries);
        m_batchSeries->setCurrentIndex(index);
    }
    if (index >= 0)
        batchSeriesChanged();
}

void DataSourcePanel::dataSourceTypeChanged()
{
    const QString source = m_sourceType->currentText();
    const GraphicPtr object = selectedObject();
    const bool manual = source == manualItem;
    m_viewSeries->setEnabled(!manual);
    m_batchSeries->setEnabled(!manual);
    setTextEditorEditable(manual);
    m_browseBox->setEnabled(manual);
    if (manual) {
        if (object)
            object->Set_Data_source_type(0);
        return;
    }
    {
        const QSignalBlocker blocker(m_batchSeries);
        m_batchSeries->clear();
    }
    if (source == seriesItem) {
        const QStringList names = m_lists.names();
        if (names.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please create batch processing series first."));
            return;
        }
        {
            const QSignalBlocker blocker(m_batchSeries);
            m_batchSeries->addItems(names);
            m_batchSeries->setCurrentIndex(-1);
        }
        if (object && !object->batch_list_name.isEmpty())
            selectBatchItem(m_batchSeries->findText(object->batch_list_name));
        if (object)
            object->Set_Data_source_type(1);
        return;
    }
    {
        const QSignalBlocker blocker(m_batchSeries);
        m_batchSeries->addItems(m_lists.columns());
        m_batchSeries->setCurrentIndex(-1);
    }
    if (object) {
        selectBatchItem(object->excel_col_indx);
        object->Set_Data_source_type(2);
    }
}

void DataSourcePanel::batchSeriesChanged()
{
    const QString source = m_sourceType->currentText();
    const QString name = m_batchSeries->currentText().trimmed();
    const int index = m_batchSeries->currentIndex();
    const GraphicPtr object = selectedObject();
    if (name.isEmpty() || !object)
        return;
    QString value;
    if (source == seriesItem) {
        object->Set_Data_source_type(1);
        object->Set_Batch_List_Name(name);
        object->Set_Batch_List_Index(index);
        value = m_lists.firstValueOf(name);
    } else if (source == excelItem) {
        object->Set_Data_source_type(2);
        object->Set_Excel_binding_Index(index);
        value = m_lists.firstValueOf(index);
    } else {
        return;
    }
    if (object->kind() == SKTGraphic::Kind::Text) {
        object->Text_contents()->setString(value);
        showInTextEditor(value);
    } else if (object->kind() == SKTGraphic::Kind::Image) {
        object->setFilePath(value);
        m_path->setPlainText(value);
        m_host.Update_Image_Graphics();
    }
    m_host.Refresh_Canvas();
    if (SKTGraphicView* view = m_host.commandCanvas()) {
        try {
            view->controller().startEditingGraphic(object);
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        }
        view->controller().invalidateHandlesOfGraphics({object});
    }
    m_host.Refresh_Canvas();
}

void DataSourcePanel::setTextEditorEditable(bool editable)
{
    QWidget* editor = m_host.window()->findChild<QWidget*>(QStringLiteral("Text_value_Edit"));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
        plain->setReadOnly(!editable);
    else if (auto* rich = qobject_cast<QTextEdit*>(editor))
        rich->setReadOnly(!editable);
}

void DataSourcePanel::showInTextEditor(const QString& value)
{
    QWidget* editor = m_host.window()->findChild<QWidget*>(QStringLiteral("Text_value_Edit"));
    const QSignalBlocker blocker(editor);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
        plain->setPlainText(value);
    else if (auto* rich = qobject_cast<QTextEdit*>(editor))
        rich->setPlainText(value);
}
