#include "mainwindow/PresetListModel.h"

#include <gtest/gtest.h>

namespace {

TEST(PresetListModel, RowsAreTrimmedAndEmptyTextsSkipped)
{
    PresetListModel list;
    list.Create_List("  CR80-Credit Card Size ");
    list.Create_List(" \n ");
    list.Create_List("");
    list.Create_List("CR79");
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.Get_Item_Text(0), "CR80-Credit Card Size");
    EXPECT_EQ(list.Get_Item_Text(1), "CR79");
    EXPECT_EQ(list.ListData().at(1).value("Extension").toString(), "CR79");
    EXPECT_EQ(list.data(list.index(0, 0)).toString(), "CR80-Credit Card Size");
}

TEST(PresetListModel, RowsOutsideTheListGiveNothingAndChangeNothing)
{
    PresetListModel list;
    list.Create_List("A");
    EXPECT_EQ(list.Get_Item_Text(1), "");
    EXPECT_EQ(list.Get_Item_Text(-1), "");
    EXPECT_FALSE(list.setData(list.index(1, 0), "B"));
    EXPECT_TRUE(list.setData(list.index(0, 0), "C"));
    EXPECT_EQ(list.Get_Item_Text(0), "C");
    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.Get_Item_Text(0), "");
}

}
