#include "platform/GuiThread.h"

#include "platform/ThreadHandOff.h"

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
    ThreadHandOff::release(&work);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&work] {
            ThreadHandOff::acquire(&work);
            work();
            ThreadHandOff::release(&work);
        },
        Qt::BlockingQueuedConnection);
    ThreadHandOff::acquire(&work);
}
