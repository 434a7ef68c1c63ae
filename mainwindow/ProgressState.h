#pragma once

// What the progress sheet shows for the batch counters: the bar's range and
// value and the two counter texts. Window-free, so the rule is checked
// without the sheet.

#include "app/BatchDialogs.h"

#include <QString>

struct ProgressState
{
    int maximum = 1;       // the bar runs from 0 to this
    int value = 0;
    QString totalText;     // the total count; null: left as it is
    QString currentText;   // the current and total count

    // The sheet as a batch of `total` steps opens: bar at 0, total "%d",
    // current "%d / %d" for mail or "%d / %d Card" for an export, both at 0.
    static ProgressState opening(BatchDialogs::Batch batch, int total);

    // Each timer tick: the bar at the step in progress and "%d / %d " (with
    // the trailing blank) of its whole part and the total.
    static ProgressState tick(double current, int total);
};
