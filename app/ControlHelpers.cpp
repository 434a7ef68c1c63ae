#include "app/ControlHelpers.h"

#include <QWidget>

void SetObjEnabled(QWidget* control, bool enabled)
{
    if (control)
        control->setEnabled(enabled);
}
