#include "mainwindow/barcode/SteppingSpinBox.h"

void SteppingSpinBox::stepBy(int steps)
{
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before)
        emit stepped();
}
