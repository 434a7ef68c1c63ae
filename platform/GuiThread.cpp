#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool isGuiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void runOnGuiThreadAndWait(const std::function<void()>& work)
{
    if (isGuiThread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&work] { work(); },
                              Qt::BlockingQueuedConnection);
}
