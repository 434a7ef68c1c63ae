#include "mainwindow/series/PleaseWaitRun.h"

#include "mainwindow/PleaseWait_Modeless.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

void PleaseWaitRun::run(PleaseWait_Modeless* sheet, const std::function<void()>& work)
{
    if (sheet)
        sheet->show();
    std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // the thread may have finished before the loop runs
    if (!worker->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    if (sheet)
        sheet->hide();
}
