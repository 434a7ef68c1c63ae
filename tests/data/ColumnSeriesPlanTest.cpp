// The per-column import decided before anything is written: a chosen
// column whose series the open design uses stops the whole import, and the
// message names each such series once.

#include "data/ColumnSeriesPlan.h"

#include <gtest/gtest.h>

namespace {

using Step = ColumnSeriesPlan::Step;
using Column = ColumnSeriesPlan::Column;

} // namespace

TEST(ColumnSeriesPlan, EveryColumnCheckedFirst)
{
    // stored: Name, Company, Number, Photo; the design uses the first three
    const QStringList stored {"Name", "Company", "Number", "Photo"};
    const QStringList used {"Name", "Company", "Number"};
    const struct
    {
        const char* what;
        QStringList names;
        QList<Column> columns;
        QStringList inUse;
    } cases[] = {
        {"one in use stops the others",
         {"Photo", "Name", "Guest"},
         {{"Photo", Step::AskReplace}, {"Name", Step::AskReplace}, {"Guest", Step::Write}},
         {"Name"}},
        {"every series in use named, in column order",
         {"Number", "Name", "Company", "Photo"},
         {{"Number", Step::AskReplace},
          {"Name", Step::AskReplace},
          {"Company", Step::AskReplace},
          {"Photo", Step::AskReplace}},
         {"Number", "Name", "Company"}},
        {"none in use", {"Photo", "Guest"}, {{"Photo", Step::AskReplace}, {"Guest", Step::Write}}, {}},
        {"a name that leaves the folder is left out",
         {"../evil", "", "Guest"},
         {{"", Step::BadName}, {"", Step::BadName}, {"Guest", Step::Write}},
         {}},
        {"a second column of one name asks, its series named once",
         {"Guest", "Guest", "Name", "Name"},
         {{"Guest", Step::Write}, {"Guest", Step::AskReplace}, {"Name", Step::AskReplace}, {"Name", Step::AskReplace}},
         {"Name"}},
        // names are cleaned as a typed series name is
        {"cleaned name", {"?Name "}, {{"Name", Step::AskReplace}}, {"Name"}},
    };
    for (const auto& c : cases) {
        const ColumnSeriesPlan plan = ColumnSeriesPlan::make(
            c.names, [&](const QString& name) { return stored.contains(name); },
            [&](const QString& name) { return used.contains(name); });
        EXPECT_EQ(plan.columns, c.columns) << c.what;
        EXPECT_EQ(plan.inUse, c.inUse) << c.what;
        EXPECT_EQ(plan.refused(), !c.inUse.isEmpty()) << c.what;
    }
}
