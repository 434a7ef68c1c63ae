#include "mainwindow/ProgressState.h"

#include <algorithm>
#include <cmath>

namespace {

// A count below 0 means nothing to do. The bar keeps a range of at least
// one step: a bar from 0 to 0 would turn into a busy indicator.
int barMaximum(int total)
{
    return std::max(total, 1);
}

// The whole part of the step in progress, within 0 and the total (a counter
// read while the batch is being set up may briefly lie outside).
int wholeStep(double current, int total)
{
    if (!std::isfinite(current) || current <= 0 || total <= 0)
        return 0;
    return current >= total ? total : int(std::floor(current));
}

}

ProgressState ProgressState::opening(BatchDialogs::Batch batch, int total)
{
    total = std::max(total, 0);
    ProgressState state;
    state.maximum = barMaximum(total);
    state.value = 0;
    state.totalText = QString::number(total);
    state.currentText = batch == BatchDialogs::Batch::Export
                            ? QStringLiteral("%1 / %2 Card").arg(0).arg(total)
                            : QStringLiteral("%1 / %2").arg(0).arg(total);
    return state;
}

ProgressState ProgressState::tick(double current, int total)
{
    total = std::max(total, 0);
    ProgressState state;
    state.maximum = barMaximum(total);
    state.value = wholeStep(current, total);
    state.currentText = QStringLiteral("%1 / %2 ").arg(state.value).arg(total);
    return state;
}
