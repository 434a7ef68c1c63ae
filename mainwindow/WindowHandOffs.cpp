#include "mainwindow/WindowHandOffs.h"

#include "app/MessageBoxes.h"

#include <exception>

void WindowHandOffs::set(HandOff which, std::function<void()> call)
{
    m_calls[size_t(which)] = std::move(call);
}

bool WindowHandOffs::has(HandOff which) const
{
    return bool(m_calls[size_t(which)]);
}

bool WindowHandOffs::run(HandOff which) const
{
    // A copy: the call may replace itself while it runs.
    const std::function<void()> call = m_calls[size_t(which)];
    if (!call)
        return false;
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("A window of the toolbar failed."));
    }
    return false;
}
