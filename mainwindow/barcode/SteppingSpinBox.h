#pragma once

// A spin box that tells a change made with its arrows (or the arrow keys)
// apart from a value typed into it: `stepped` follows only the former.

#include <QSpinBox>

class SteppingSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    using QSpinBox::QSpinBox;

    void stepBy(int steps) override;

signals:
    void stepped();
};
