// The data-source page: choosing where a text's or picture's value comes
// from, and binding it to a series or a spreadsheet column.

#include "WindowControllerFixture.h"

#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/inspector/DataSourceLists.h"
#include "mainwindow/inspector/DataSourcePanel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

class DataSourcePanelTest : public WindowControllerFixture
{
protected:
    CanvasController& canvas() const { return controller->graphicView(0)->controller(); }
    GraphicPtr make(const char* tool)
    {
        control<QAbstractButton>(tool)->click();
        return canvas()._Selected_Graphic;
    }
    // The user choosing an item of a list.
    void choose(const char* list, const QString& item)
    {
        auto* combo = control<QComboBox>(list);
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void load(const SKTGraphic& graphic)
    {
        Not_Draw_Only_Prop_Change = true;
        controller->dataSourcePanel()->load(graphic);
        Not_Draw_Only_Prop_Change = false;
    }
    // Two series and two columns, each answering its first value.
    void scriptLists(bool withSeries)
    {
        DataSourceLists lists;
        lists.seriesNames = [withSeries] { return withSeries ? QStringList{"Guests", "Staff"} : QStringList(); };
        lists.firstSeriesValue = [](const QString& name) { return name == "Staff" ? "Bo" : "Ada"; };
        lists.columnTitles = [] { return QStringList{"Name", "Town"}; };
        lists.firstColumnValue = [](int column) { return column == 1 ? QString("Paris") : QString("Cy"); };
        controller->setDataSourceLists(lists);
        // a spreadsheet table is in use: "Excel" is offered
        SKTWindowController::Add_Excel_Col_Name_In_Combo(control<QComboBox>("Data_source_type"));
    }
};

TEST_F(DataSourcePanelTest, SourceAndBindingStepsForTexts)
{
    const GraphicPtr text = make("Text_Tool_btn");
    ASSERT_TRUE(text && text->kind() == SKTGraphic::Kind::Text);
    load(*text);
    EXPECT_EQ(control<QLabel>("data_source_title")->text(), "Text Source");
    EXPECT_TRUE(control<QGroupBox>("manual_brws_box")->isHidden());
    const QString typed = text->Text_contents()->string();

    // no series: the message, and the text keeps its source and text
    scriptLists(false);
    choose("Data_source_type", "Series");
    EXPECT_EQ(presenter.texts(), QStringList({"\nPlease create batch processing series first."}));
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_TRUE(control<QComboBox>("Batch_Series")->isEnabled());

    const struct {
        const char* source;
        const char* item;
        int sourceType;
        QString afterSource;   // a column is chosen with its source, a series is not
        QString value;
    } rows[] = {
        {"Series", "Staff", 1, typed, "Bo"},
        {"Excel", "Town", 2, "Cy", "Paris"},
    };
    scriptLists(true);
    for (const auto& row : rows) {
        choose("Data_source_type", row.source);
        EXPECT_EQ(text->data_source_type, row.sourceType) << row.source;
        EXPECT_EQ(text->Text_contents()->string(), row.afterSource) << row.source;
        choose("Batch_Series", row.item);
        EXPECT_EQ(text->Text_contents()->string(), row.value) << row.source;
    }
    EXPECT_EQ(text->batch_list_name, "Staff");
    EXPECT_EQ(text->batch_list_index, 1);
    EXPECT_EQ(text->excel_col_indx, 1);

    // loading a series-bound text binds it again to its series' first value
    text->Set_Data_source_type(1);
    text->Text_contents()->setString("old");
    load(*text);
    EXPECT_EQ(control<QComboBox>("Batch_Series")->currentText(), "Staff");
    EXPECT_EQ(text->Text_contents()->string(), "Bo");

    // back to Manual: the lists off, the source written
    choose("Data_source_type", "Manual");
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_FALSE(control<QComboBox>("Batch_Series")->isEnabled());
    EXPECT_FALSE(control<QAbstractButton>("view_series_btn")->isEnabled());
}

TEST_F(DataSourcePanelTest, SeriesValueBecomesAPicturesPath)
{
    OpenPanel::setHandler([](const QString&, const QStringList&) { return QString("/nowhere/a.png"); });
    const GraphicPtr picture = make("Image_Tool_btn");
    ASSERT_TRUE(picture && picture->kind() == SKTGraphic::Kind::Image);
    load(*picture);
    EXPECT_EQ(control<QLabel>("data_source_title")->text(), "Image Source");
    EXPECT_FALSE(control<QGroupBox>("manual_brws_box")->isHidden());
    scriptLists(true);
    choose("Data_source_type", "Series");
    EXPECT_FALSE(control<QGroupBox>("manual_brws_box")->isEnabled());
    choose("Batch_Series", "Guests");
    EXPECT_EQ(picture->_file_path, "Ada");
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path")->toPlainText(), "Ada");
}

}
