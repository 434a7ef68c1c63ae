#include "data/SeriesStore.h"
#include "data/SpreadsheetImport.h"

#include <gtest/gtest.h>

namespace {

using Rows = SpreadsheetImport::Rows;

QList<SpreadsheetImport::ColumnChoice> ticks(const QStringList& titles, const QList<bool>& state)
{
    QList<SpreadsheetImport::ColumnChoice> choices = SpreadsheetImport::choicesFromTitles(titles);
    for (int i = 0; i < state.size(); ++i)
        choices[i].State = state[i];
    return choices;
}

}   // namespace

// The imported table: columns numbered among the ticked ones, titles from
// row 0 (trimmed, even without a header row), short rows padded with "".
TEST(SpreadsheetImport, TableFromRows)
{
    const Rows sheet {{" Name ", "", "Phone"}, {"Ada", "x", " 555 "}, {"Bob"}, {}};
    struct Case {
        QList<bool> state;
        bool header;
        QStringList titles;
        QList<DesignFileRow> rows;
    } cases[] = {
        {{true, true, true}, true, {"No.", "Name", "", "Phone"},
         {{{"Extension", "1"}, {"Column1", "Ada"}, {"Column2", "x"}, {"Column3", "555"}},
          {{"Extension", "2"}, {"Column1", "Bob"}, {"Column2", ""}, {"Column3", ""}}}},
        {{true, false, true}, true, {"No.", "Name", "Phone"},
         {{{"Extension", "1"}, {"Column1", "Ada"}, {"Column2", "555"}},
          {{"Extension", "2"}, {"Column1", "Bob"}, {"Column2", ""}}}},
        {{false, false, true}, false, {"No.", "Phone"},
         {{{"Extension", "1"}, {"Column1", "Phone"}}, {{"Extension", "2"}, {"Column1", "555"}},
          {{"Extension", "3"}, {"Column1", ""}}}},
    };
    for (const Case& c : cases) {
        const SpreadsheetImport::Table table =
            SpreadsheetImport::tableFromRows(sheet, ticks(sheet.first(), c.state), c.header, "No.");
        EXPECT_EQ(table.titles, c.titles);
        EXPECT_EQ(table.rows, c.rows);
    }
    QList<DesignFileRow> rows;
    EXPECT_FALSE(SpreadsheetImport::appendTableRow(rows, {"a"}, 2));
    EXPECT_TRUE(rows.isEmpty());
}

// Series from the ticked columns: per column with names from the header
// cells, or all into one list row after row.
TEST(SpreadsheetImport, SeriesValues)
{
    const Rows sheet {{" A ", "B", "C"}, {"a1", "b1", "c1"}, {"a2", "", "c2"}, {"a3", "b3"}};
    const auto choices = ticks(sheet.first(), {true, true, false});
    const auto perColumn = SpreadsheetImport::seriesPerColumn(sheet, choices, true);
    ASSERT_EQ(perColumn.size(), 2);
    EXPECT_EQ(perColumn[0].name, "A");
    EXPECT_EQ(perColumn[0].values, (QStringList {"a1", "a2", "a3"}));
    EXPECT_EQ(perColumn[1].values, (QStringList {"b1", "", "b3"}));
    EXPECT_EQ(SpreadsheetImport::seriesPerColumn(sheet, choices, false)[0].values.first(), "A");
    EXPECT_EQ(SpreadsheetImport::valuesOfTickedColumns(sheet, choices, true),
              (QStringList {"a1", "b1", "a2", "", "a3", "b3"}));
    EXPECT_EQ(SeriesStore::oneLine("two\r\nlines\nhere"), "two lines here");
}

// Names from header cells are untrusted: whatever would leave the data
// folder or name no file is refused; plain names pass unchanged.
TEST(SpreadsheetImport, SeriesNamesFromHeaders)
{
    const struct {
        QString header;
        QString name;
        bool accepted;
    } cases[] = {
        {"Guests", "Guests", true},       {" ../x ", "../x", false}, {"a/b", "a/b", false},
        {"..", "..", false},              {"/", "", false},          {"a\\b", "a\\b", false},
        {QString("a") + QChar(0) + "b", QString("a") + QChar(0) + "b", false},
        {"Ünïcode name", "Ünïcode name", true},
    };
    for (const auto& c : cases) {
        const Rows sheet {{c.header}, {"v"}};
        const auto series = SpreadsheetImport::seriesPerColumn(sheet, ticks(sheet.first(), {true}), true);
        ASSERT_EQ(series.size(), 1);
        EXPECT_EQ(series[0].name, c.name);
        EXPECT_EQ(SeriesStore::validSeriesName(series[0].name).isEmpty(), !c.accepted) << c.header.toStdString();
    }
}
