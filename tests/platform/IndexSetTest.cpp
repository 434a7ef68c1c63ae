#include "platform/IndexSet.h"

#include <gtest/gtest.h>

TEST(IndexSet, KeepsDistinctIndexesInOrder)
{
    IndexSet s {5, 1, 3, 1, -2};
    EXPECT_EQ(s.toList(), QList<int>({1, 3, 5}));
    EXPECT_EQ(s.firstIndex(), 1);
    EXPECT_EQ(s.lastIndex(), 5);
    s.remove(3);
    s.remove(4);
    s.add(0);
    EXPECT_EQ(s.toList(), QList<int>({0, 1, 5}));
    EXPECT_TRUE(s.contains(5));
    EXPECT_FALSE(s.contains(3));
    EXPECT_EQ(IndexSet::range(2, 3).toList(), QList<int>({2, 3, 4}));
    EXPECT_TRUE(IndexSet::range(4, 0).isEmpty());
    EXPECT_EQ(IndexSet().firstIndex(), -1);
}
