// The guards that pause undo registration and set the quiet-update flag:
// what they leave behind on every way out.

#include "model/Globals.h"
#include "model/QuietUpdate.h"
#include "model/SKTDocument.h"
#include "model/UndoRegistrationPause.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

TEST(QuietUpdateTest, FlagAfterTheGuardByExitKindAndEarlierValue)
{
    const struct {
        QuietUpdate::OnExit onExit;
        bool before, throws, after;
    } rows[] = {
        {QuietUpdate::OnExit::Clear, false, false, false},   {QuietUpdate::OnExit::Clear, true, false, false},
        {QuietUpdate::OnExit::Clear, true, true, false},     {QuietUpdate::OnExit::Restore, false, false, false},
        {QuietUpdate::OnExit::Restore, true, false, true},   {QuietUpdate::OnExit::Restore, true, true, true},
        {QuietUpdate::OnExit::Restore, false, true, false},
    };
    for (const auto& r : rows) {
        Not_Draw_Only_Prop_Change = r.before;
        try {
            const QuietUpdate quiet(r.onExit);
            EXPECT_TRUE(Not_Draw_Only_Prop_Change);
            if (r.throws)
                throw std::runtime_error("fill failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(Not_Draw_Only_Prop_Change, r.after) << int(r.onExit) << r.before << r.throws;
    }
    Not_Draw_Only_Prop_Change = false;
}

TEST(UndoRegistrationPauseTest, NestedPausesEndWithRegistrationOnAndSurviveTheDocument)
{
    auto document = std::make_unique<SKTDocument>();
    {
        const UndoRegistrationPause outer(document.get());
        {
            const UndoRegistrationPause inner(document.get());
        }
        EXPECT_FALSE(document->undoManager()->isUndoRegistrationEnabled());
    }
    EXPECT_TRUE(document->undoManager()->isUndoRegistrationEnabled());

    // A document that goes while paused is not touched afterwards.
    const UndoRegistrationPause pause(document.get());
    document.reset();
    const UndoRegistrationPause none(nullptr);
}
