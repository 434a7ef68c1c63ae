#pragma once

#include "mainwindow/inspector/DataSourceLists.h"
#include "mainwindow/inspector/InspectorPanel.h"
#include "model/SKTGraphic.h"

#include <QObject>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class DataSourcePanelHost;

// The data-source page of texts ("Text Source") and pictures ("Image
// Source"): where the object's value comes from (typed, a data series or a
// spreadsheet column), which series or column it is bound to, and, for
// pictures, the picture's path with its two choosers.
class DataSourcePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    // The source items, in the order of `data_source_type`.
    static inline const QString manualItem = QStringLiteral("Manual");
    static inline const QString seriesItem = QStringLiteral("Series");
    static inline const QString excelItem = QStringLiteral("Excel");

    explicit DataSourcePanel(DataSourcePanelHost& host);

    bool showsKind(const SKTGraphic& graphic) const override;
    // The page's title and chooser group for the kind, then the object's
    // source chosen, which runs the source steps (they may bind the object
    // to the first value of its series or column again).
    void load(const SKTGraphic& graphic) override;

    void setLists(const DataSourceLists& lists) { m_lists = lists; }
    const DataSourceLists& lists() const { return m_lists; }

    // A source was chosen in `Data_source_type`: the controls for it, the
    // series or column list refilled, and the object's source written.
    void dataSourceTypeChanged();
    // A series or column was chosen in `Batch_Series`: the object is bound
    // to it and takes its first value (a text as its text, a picture as its
    // path).
    void batchSeriesChanged();

    // The picture path shown on the page.
    QPlainTextEdit* pathView() const { return m_path; }

private:
    // The object the steps act on: the edited object of the current side.
    GraphicPtr selectedObject() const;
    // Selects `index` in Batch_Series; the binding steps run when that
    // changed the selection.
    void selectBatchItem(int index);
    // The text panel's editor, when there is one: editable or not, and
    // showing a value.
    void setTextEditorEditable(bool editable);
    void showInTextEditor(const QString& value);

    DataSourcePanelHost& m_host;
    DataSourceLists m_lists;
    QLabel* m_title = nullptr;
    QComboBox* m_sourceType = nullptr;
    QComboBox* m_batchSeries = nullptr;
    QPushButton* m_viewSeries = nullptr;
    QGroupBox* m_browseBox = nullptr;
    QPlainTextEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_library = nullptr;

    friend class PicturePanel;
};
