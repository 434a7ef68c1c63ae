#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Lets the event loop finish the current turn, as it does after every event.
void endEventTurn()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A value with an undoable setter, the way model objects use the manager.
struct Value {
    UndoManager& undo;
    int value = 0;
    std::vector<std::string> log;

    void set(int v)
    {
        const int old = value;
        undo.registerUndo([this, old] { set(old); });
        value = v;
        log.push_back(std::to_string(v));
    }
};

struct UndoManagerTest : ::testing::Test {
    void SetUp() override
    {
        QObject::connect(&undo, &UndoManager::checkpoint, [this] { ++checkpoints; });
    }
    UndoManager undo;
    Value v {undo, 0, {}};
    int checkpoints = 0;
};
}

TEST_F(UndoManagerTest, OneGroupPerEventTurn)
{
    v.set(1);
    v.set(2);
    EXPECT_EQ(undo.groupingLevel(), 1);
    endEventTurn();
    EXPECT_EQ(undo.groupingLevel(), 0);
    v.set(3);
    endEventTurn();

    undo.undo();
    EXPECT_EQ(v.value, 2);
    undo.undo();
    EXPECT_EQ(v.value, 0);   // both changes of the first turn at once
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(UndoManagerTest, UndoClosesTheGroupOfTheCurrentEvent)
{
    v.set(1);
    v.set(2);
    ASSERT_TRUE(undo.canUndo());   // an open group with actions can be undone
    undo.undo();
    EXPECT_EQ(v.value, 0);
    EXPECT_EQ(undo.groupingLevel(), 0);
    EXPECT_TRUE(undo.canRedo());
}

TEST_F(UndoManagerTest, ExplicitGroupsNestAndSpanEventTurns)
{
    undo.beginUndoGrouping();         // mouse press
    v.set(1);
    endEventTurn();                   // drag events
    v.set(2);
    undo.beginUndoGrouping();
    v.set(3);
    undo.endUndoGrouping();
    endEventTurn();
    EXPECT_EQ(undo.groupingLevel(), 1);
    v.set(4);
    undo.endUndoGrouping();           // mouse release
    EXPECT_EQ(undo.groupingLevel(), 0);

    undo.undo();
    EXPECT_EQ(v.value, 0);
    EXPECT_EQ(v.log.back(), "0");
    EXPECT_FALSE(undo.canUndo());
    undo.redo();
    EXPECT_EQ(v.value, 4);
}

TEST_F(UndoManagerTest, EventGroupWaitsForAnExplicitGroupInside)
{
    v.set(1);                         // opens the event's group
    undo.beginUndoGrouping();
    v.set(2);
    endEventTurn();                   // must not close anything
    EXPECT_EQ(undo.groupingLevel(), 2);
    undo.endUndoGrouping();
    EXPECT_EQ(undo.groupingLevel(), 1);
    endEventTurn();
    EXPECT_EQ(undo.groupingLevel(), 0);
    undo.undo();
    EXPECT_EQ(v.value, 0);
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(UndoManagerTest, UndoIsRefusedInsideAnExplicitGroup)
{
    v.set(1);
    endEventTurn();
    undo.beginUndoGrouping();
    v.set(2);
    undo.undo();
    EXPECT_EQ(v.value, 2);
    undo.endUndoGrouping();
    undo.undo();
    EXPECT_EQ(v.value, 1);
}

TEST_F(UndoManagerTest, DisablingIsCounted)
{
    undo.disableUndoRegistration();
    undo.disableUndoRegistration();
    v.set(1);
    undo.enableUndoRegistration();
    EXPECT_FALSE(undo.isUndoRegistrationEnabled());
    v.set(2);
    undo.enableUndoRegistration();
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
    EXPECT_FALSE(undo.canUndo());

    // One enable too many does not make the count negative.
    undo.enableUndoRegistration();
    undo.disableUndoRegistration();
    EXPECT_FALSE(undo.isUndoRegistrationEnabled());
    undo.enableUndoRegistration();

    v.set(3);
    undo.undo();
    EXPECT_EQ(v.value, 2);
}

TEST_F(UndoManagerTest, UndoWithRegistrationOffLeavesNothingToRedo)
{
    undo.beginUndoGrouping();
    v.set(5);
    undo.endUndoGrouping();
    undo.disableUndoRegistration();
    undo.undo();
    undo.enableUndoRegistration();
    EXPECT_EQ(v.value, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
}

TEST_F(UndoManagerTest, RedoRunsWhatUndoRegisteredAndNewWorkDropsIt)
{
    v.set(1);
    endEventTurn();
    v.set(2);
    endEventTurn();
    undo.undo();
    undo.undo();
    EXPECT_EQ(v.value, 0);
    undo.redo();
    EXPECT_EQ(v.value, 1);
    EXPECT_TRUE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(v.value, 0);
    undo.redo();
    undo.redo();
    EXPECT_EQ(v.value, 2);
    EXPECT_FALSE(undo.canRedo());

    undo.undo();
    v.set(7);                         // a new step
    EXPECT_FALSE(undo.canRedo());
    endEventTurn();
    undo.undo();
    EXPECT_EQ(v.value, 1);
}

TEST_F(UndoManagerTest, ActionNamesFollowTheGroups)
{
    v.set(1);
    undo.setActionName(QStringLiteral("First"));
    EXPECT_EQ(undo.undoActionName(), QStringLiteral("First"));
    endEventTurn();
    v.set(2);
    endEventTurn();
    undo.setActionName(QStringLiteral("Second"));   // names the last closed group
    EXPECT_EQ(undo.undoActionName(), QStringLiteral("Second"));

    undo.undo();
    EXPECT_EQ(undo.undoActionName(), QStringLiteral("First"));
    EXPECT_EQ(undo.redoActionName(), QStringLiteral("Second"));
    undo.redo();
    EXPECT_EQ(undo.undoActionName(), QStringLiteral("Second"));
    EXPECT_EQ(undo.redoActionName(), QString());
}

TEST_F(UndoManagerTest, CheckpointsComeAtClosingAndWhenAsked)
{
    v.set(1);                         // opening the outermost group: none
    EXPECT_EQ(checkpoints, 0);
    undo.beginUndoGrouping();         // a nested group: one
    EXPECT_EQ(checkpoints, 1);
    undo.endUndoGrouping();           // closing: one
    EXPECT_EQ(checkpoints, 2);
    endEventTurn();                   // closing the event's group: one
    EXPECT_EQ(checkpoints, 3);
    undo.canUndo();
    EXPECT_EQ(checkpoints, 4);
    undo.canRedo();
    EXPECT_EQ(checkpoints, 5);
}

TEST_F(UndoManagerTest, RemovingAllActionsEmptiesAndSwitchesRegistrationOn)
{
    v.set(1);
    endEventTurn();
    undo.undo();
    v.set(2);
    undo.disableUndoRegistration();
    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(undo.groupingLevel(), 0);
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
    v.set(3);
    EXPECT_TRUE(undo.canUndo());
}

TEST_F(UndoManagerTest, WithoutGroupingByEventRegistrationNeedsAGroup)
{
    undo.setGroupsByEvent(false);
    v.set(1);
    EXPECT_FALSE(undo.canUndo());
    undo.beginUndoGrouping();
    v.set(2);
    undo.endUndoGrouping();
    undo.undo();
    EXPECT_EQ(v.value, 1);
}
