#include "mainwindow/series/ModalRunPause.h"

#include <QEventLoop>
#include <QTimer>

namespace {
bool s_enabled = true;
}

void ModalRunPause::pause()
{
    if (!s_enabled)
        return;
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}

void ModalRunPause::setEnabled(bool enabled)
{
    s_enabled = enabled;
}

bool ModalRunPause::enabled()
{
    return s_enabled;
}
