// Bindings to spreadsheet columns after a newly read table replaced the one
// before, or after a paste: an object follows its column's title or a column
// renamed in place, never a column the design knew under another title.

#include "data/ColumnRebinding.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>

namespace {

// The table's titles and where its columns stood in a sheet whose first row
// is `sheet`, when it took the columns `taken` (from 1), or all of them.
std::pair<QStringList, SheetColumns> ticked(const QStringList& sheet, const QList<int>& taken = {})
{
    QStringList titles {"No."};
    SheetColumns columns {{0}, {""}};
    for (int c = 1; c <= sheet.size(); ++c) {
        columns.titles << sheet[c - 1].trimmed();
        if (taken.isEmpty() || taken.contains(c))
            titles << sheet[c - 1], columns.places << c;
    }
    return {titles, columns};
}

// Texts bound to `columns` ("-1 Title": none, carrying a title), rebound;
// "their columns and titles|the message".
std::string rebound(const QStringList& columns, const std::pair<QStringList, SheetColumns>& before,
                    const std::pair<QStringList, SheetColumns>& now)
{
    GraphicList graphics;
    for (const QString& column : columns) {
        auto text = std::make_shared<SKTText>();
        text->data_source_type = 2;
        text->excel_col_indx = column.section(' ', 0, 0).toInt();
        text->excel_col_title = column.contains(' ') ? std::optional(column.section(' ', 1)) : std::nullopt;
        graphics.append(text);
    }
    const QList<ColumnRebinding::Change> changes = ColumnRebinding::rebind(graphics, false, before.first, before.second,
                                                                           now.first, now.second, {});
    QStringList after;
    for (const GraphicPtr& g : graphics)
        after << QString::number(g->excel_col_indx) + (g->excel_col_title ? " " + *g->excel_col_title : "");
    return (after.join(',') + '|' + ColumnRebinding::message(changes)).toStdString();
}

std::pair<QStringList, SheetColumns> sheet(const char* firstRow, bool titles, const QList<int>& taken = {})
{
    auto table = ticked(QString(firstRow).split(','), taken);
    table.second.firstRowTitles = titles;
    return table;
}

} // namespace

TEST(ColumnRebinding, BindingsFollowATitleOrAColumnRenamedInPlace)
{
    using Why = ColumnRebinding::Why;
    const QStringList before {"No.", "Name", "Company", "Number", "", "Code", "Code"};
    const QStringList inserted {"No.", "Title", "Name", "Company", "Number", "", "Code", "Code"};
    struct Case
    {
        const char* what;
        QStringList after;
        int column;
        int expected;
        Why why;
        const char* carried = nullptr; // a pasted object's title: it follows that alone
    };
    const Case cases[] = {
        {"a column inserted before", inserted, 1, 2, Why::Followed},
        {"moved to the front, blanks around it", {"No.", " Number ", "Name"}, 3, 1, Why::Followed},
        {"the row number", inserted, 0, 0, Why::Followed},
        {"renamed, a column inserted before", {"No.", "Title", "Name", "Firm", "Number"}, 2, 3, Why::Renamed},
        {"deleted: its neighbour slides in", {"No.", "Name", "Number", "", "Code", "Code"}, 2, -1, Why::Gone},
        {"deleted beside a rename", {"No.", "Firm", "Number", "", "Code", "Code"}, 1, -1, Why::Gone},
        {"renamed beside a new column", {"No.", "Name", "Phone", "Firm", "Number"}, 2, -1, Why::Gone},
        {"its neighbours moved across it", {"No.", "Number", "Firm", "Name", "", "Code", "Code"}, 2, -1, Why::Gone},
        {"every title gone", {"No.", "First", "Last"}, 1, -1, Why::Gone},
        {"title twice now, one at its place", {"No.", "Name", "Company", "Name"}, 1, 1, Why::Kept},
        {"title twice before", {"No.", "Code"}, 6, -1, Why::Ambiguous},
        {"blank title at its place", inserted, 4, 5, Why::Kept},
        {"blank title given one", {"No.", "Name", "Company", "Number", "Fax", "Code", "Code"}, 4, 4, Why::Renamed},
        {"blank, a known title there", {"No.", "Name", "Company", "Number", "Code", "", ""}, 4, -1, Why::Untitled},
        {"place past the old table", inserted, 7, -1, Why::PastTable},
        {"pasted, twice there", {"No.", "Code", "X", "Code"}, 2, -1, Why::Ambiguous, "Code"},
        {"pasted, twice there, one at its place", {"No.", "Code", "X", "Code"}, 3, 3, Why::Followed, "Code"},
        {"pasted, untitled elsewhere", {"No.", "A", "B"}, 2, -1, Why::Untitled, ""},
    };
    for (const Case& c : cases) {
        const ColumnRebinding::Outcome outcome = c.carried
            ? ColumnRebinding::followTitle(c.carried, c.after, c.column)
            : ColumnRebinding::follow(before, ticked(before.mid(1)).second, c.after, ticked(c.after.mid(1)).second,
                                      c.column);
        EXPECT_EQ(outcome.column, c.expected) << c.what;
        EXPECT_EQ(int(outcome.why), int(c.why)) << c.what;
    }
}

// Objects rebound to a new table (or pasted) keep or carry their title, and
// one message names every object that takes the column at its place or none.
TEST(ColumnRebinding, RebindingKeepsTheTitleAndTheMessageSaysWhatEachObjectTakes)
{
    using Kind = SKTGraphic::Kind;
    struct Bound
    {
        Kind kind;
        int column;
        const char* carried = nullptr;
    };
    const QString atPlace = "These objects take the column now standing at their column's place:";
    const QString none = "These objects now take no column and show nothing:";
    const QStringList guests {"No.", "Name", "Company", "Number"};
    const std::string longTitle = "\U0001F600" + std::string(100, 'C');
    struct Row
    {
        const char* what;
        QList<Bound> objects;
        QStringList oldTitles;
        QStringList newTitles;
        QStringList after; // each object's column, and the title it carries
        QStringList lines; // the message
    };
    const Row rows[] = {
        {"renamed, and one past the old table",
         {{Kind::Text, 2}, {Kind::Barcode, 3}, {Kind::Image, 5}},
         guests,
         {"No.", "Name", "Firm", "Number"},
         {"2", "3", "-1"},
         {atPlace, "- text on the back side showing \"Bolt\": \"Company\" is now \"Firm\".", none,
          "- picture on the back side: the table had no column 5."}},
        {"deleted",
         {{Kind::Text, 2}, {Kind::Barcode, 3}},
         guests,
         {"No.", "Name", "Number"},
         {"-1 Company", "2"},
         {none, "- text on the back side: no column is titled \"Company\"."}},
        {"deleted, then a table with more columns: only its title brings it back",
         {{Kind::Text, -1, "Company"}, {Kind::Image, -1, "Photo"}},
         {"No.", "Name", "Number"},
         {"No.", "Name", "Number", "Company", "Fax"},
         {"3", "-1 Photo"},
         {}},
        {"blank and doubled titles at their place, titles renamed to and from blank",
         {{Kind::Barcode, 2}, {Kind::Text, 3}, {Kind::Text, 5}, {Kind::Text, 6}},
         {"No.", "A", "", "Code", "Code", "B", "Company"},
         {"No.", "New", "A", "", "Code", "Code", "Fax", ""},
         {"3", "4", "6", "-1 Company"},
         {atPlace, "- barcode on the back side showing \"c3\": its column has no title; it takes column 3.",
          "- text on the back side showing \"c4\": \"Code\" names more than one column; it takes the one at its place.",
          "- text on the back side showing \"c6\": \"B\" is now \"Fax\".", none,
          "- text on the back side: no column is titled \"Company\"."}},
        {"pasted into another design: by title, never by place",
         {{Kind::Text, 2, "Company"}, {Kind::Barcode, 3, "Number"}, {Kind::Image, 1, "Photo"}},
         {"No.", "Number", "Name", "Company"},
         {"No.", "Number", "Name", "Company"},
         {"3", "1", "-1 Photo"},
         {none, "- picture on the back side: no column is titled \"Photo\"."}},
        {"pasted into a design without a table", {{Kind::Text, 2, "Company"}}, {"No."}, {"No."}, {"-1 Company"}, {}},
        {"titles of any length are quoted shortened",
         {{Kind::Text, 1}, {Kind::Text, 2, longTitle.c_str()}},
         {"No.", QString(2000000, 'A'), "Company"},
         {"No.", QString(70, 'B'), "Name"},
         {"1", "-1 \U0001F600" + QString(100, 'C')},
         {atPlace,
          "- text on the back side showing \"c1\": \"" + QString(59, 'A') + "\u2026\" is now \"" + QString(59, 'B')
              + "\u2026\".",
          none, "- text on the back side: no column is titled \"\U0001F600" + QString(57, 'C') + "\u2026\"."}},
        {"pasted from a program that carries no title", {{Kind::Text, 2}}, guests, guests, {"2"}, {}},
    };
    for (const Row& row : rows) {
        GraphicList graphics;
        for (const Bound& b : row.objects) {
            GraphicPtr g = b.kind == Kind::Image ? GraphicPtr(std::make_shared<SKTImage>())
                : b.kind == Kind::Barcode        ? GraphicPtr(std::make_shared<SKTBarcode>())
                                                 : GraphicPtr(std::make_shared<SKTText>());
            g->data_source_type = 2;
            g->excel_col_indx = b.column;
            g->excel_col_title = b.carried ? std::optional<QString>(b.carried) : std::nullopt;
            graphics.append(g);
        }
        DesignFileRow first {{"Extension", "1"}};
        for (int c = 1; c < row.newTitles.size(); ++c)
            first.insert(QStringLiteral("Column%1").arg(c), QStringLiteral("c%1").arg(c));
        first["Column2"] = "Bolt";
        first.remove("Column7");
        const QList<ColumnRebinding::Change> changes = ColumnRebinding::rebind(
            graphics, true, row.oldTitles, ticked(row.oldTitles.mid(1)).second, row.newTitles,
            ticked(row.newTitles.mid(1)).second, {first});
        QStringList after;
        for (const GraphicPtr& g : graphics)
            after << QString::number(g->excel_col_indx) + (g->excel_col_title ? " " + *g->excel_col_title : "");
        EXPECT_EQ(after, row.after) << row.what;
        EXPECT_EQ(ColumnRebinding::message(changes).toStdString(), row.lines.join('\n').toStdString()) << row.what;
    }
}

// A place is a place among the sheet's columns, ticked or not: a badge list
// of Name, Badge, Email and City read without Email, then read again.
TEST(ColumnRebinding, APlaceIsAPlaceAmongTheSheetsColumns)
{
    using Why = ColumnRebinding::Why;
    const auto [titles, columns] = ticked({"Name", "Badge", "Email", "City"}, {1, 2, 4});
    struct Case
    {
        const char* what;
        const char* now;  // the sheet's first row now
        QList<int> taken; // the columns the new table takes
        int badge;        // where the Badge binding goes
        Why why;
        int city;
        bool oldDesign = false; // the design does not know its sheet columns
    };
    const Case cases[] = {
        {"Badge deleted beside the unticked Email", "Name,Email,City", {1, 3}, -1, Why::Gone, 2},
        {"Badge deleted, Email ticked now", "Name,Email,City", {1, 2, 3}, -1, Why::Gone, 3},
        {"Badge renamed beside the unticked Email", "Name,Badge No,Email,City", {1, 2, 4}, 2, Why::Renamed, 3},
        {"renamed, but not taken now", "Name,Badge No,Email,City", {1, 4}, -1, Why::Gone, 2},
        {"Badge unticked, Email ticked: no rename", "Name,Badge,Email,City", {1, 3, 4}, -1, Why::Gone, 3},
        {"a column inserted before, all taken", "Phone,Name,Badge,Email,City", {1, 2, 3, 4, 5}, 3, Why::Followed, 5},
        {"renamed, and the unticked neighbour deleted", "Name,Badge No,City", {1, 2, 3}, -1, Why::Gone, 3},
        {"renamed to the title of its unticked neighbour", "Name,Email,Mail,City", {1, 2, 4}, -1, Why::Gone, 3},
        {"an old design: the title gone", "Name,Email,City", {1, 2, 3}, -1, Why::Gone, 3, true},
        {"an old design: renamed", "Name,Badge No,Email,City", {1, 2, 4}, -1, Why::Gone, 3, true},
        {"an old design: the title moved", "Badge,Name,City", {1, 2, 3}, 1, Why::Followed, 3, true},
    };
    for (const Case& c : cases) {
        const auto [newTitles, newColumns] = ticked(QString(c.now).split(','), c.taken);
        const SheetColumns before = c.oldDesign ? SheetColumns() : columns;
        const ColumnRebinding::Outcome badge = ColumnRebinding::follow(titles, before, newTitles, newColumns, 2);
        EXPECT_EQ(badge.column, c.badge) << c.what;
        EXPECT_EQ(int(badge.why), int(c.why)) << c.what;
        EXPECT_EQ(ColumnRebinding::follow(titles, before, newTitles, newColumns, 3).column, c.city) << c.what;
    }
}

// Name, seat and table read without a title row, texts bound to 1, 2, 3 and
// one waiting for "Ann Lee": sorted, read again, narrowed, or an older design.
TEST(ColumnRebinding, AListWithoutATitleRowIsBoundBySheetPlaceAlone)
{
    const auto guests = sheet("Ann Lee,12,3", false);
    auto older = guests;
    older.second = {{}, {}, false};
    const std::string none = "These objects now take no column and show nothing:\n- text on the front side: ";
    using Sheet = std::pair<QStringList, SheetColumns>;
    const std::tuple<const char*, Sheet, Sheet, std::string> cases[] = {
        {"sorted: Bo Park first", guests, sheet("Bo Park,3,12", false), "1,2,3,-1 Ann Lee|"},
        {"read again, its first row taken as titles", guests, sheet("Bo Park,3,12", true), "1,2,3,-1 Ann Lee|"},
        {"a titled list read again without its title row", sheet("Name,Seat,Table", true),
         sheet("Seat,Name,Table", false), "1,2,3,-1 Ann Lee|"},
        {"an older design, sorted", older, sheet("Bo Park,3,12", false), "1,2,3,-1 Ann Lee|"},
        {"the seat left out now", guests, sheet("Ann Lee,12,3", false, {1, 3}),
         "1,-1,2,-1 Ann Lee|" + none + "column 2 of the sheet is not in the table now."},
        {"an older design, the sheet narrower", older, sheet("Bo Park,3", false),
         "1,2,-1,-1 Ann Lee|" + none + "column 3 of the sheet is not in the table now."},
    };
    for (const auto& [what, before, now, after] : cases)
        EXPECT_EQ(rebound({"1", "2", "3", "-1 Ann Lee"}, before, now), after) << what;
}

// Email deleted (Phone added) or its title cleared, the notes unticked: a
// blank title is never a rename, titled notes neither.
TEST(ColumnRebinding, ABlankTitleIsNeverARename)
{
    const char* const cases[][2] = {
        {"Name,Email,,City", "Name,,Phone,City"},
        {"Name,Email,Notes,City", "Name,Notes,Phone,City"},
        {"Name,Email,,City", "Name,,,City"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rebound({"2"}, sheet(c[0], true, {1, 2, 4}), sheet(c[1], true)),
                  "-1 Email|These objects now take no column and show nothing:\n"
                  "- text on the front side: no column is titled \"Email\".")
            << c[1];
}
