#pragma once

// Runs file work on a worker thread while the GUI thread keeps handling
// events: windows repaint and answer, and message boxes the work asks for
// through the message helpers are shown. The work must touch no widget and
// no live card object; what it writes is seen by the caller once it returns
// (the GUI thread waits for the worker's end and touches none of it
// meanwhile).

#include <functional>

class PleaseWait_Modeless;

class PleaseWaitRun
{
public:
    // Shows `sheet` (when given) over its window, held open, runs `work` and
    // waits for it, then takes the sheet off the screen. Without a sheet,
    // input is held back until the work ends.
    static void run(PleaseWait_Modeless* sheet, const std::function<void()>& work);
    // Runs `work` on a worker thread and waits for it with the event loop
    // running; input goes on, so the caller shows a modal window (a held
    // please-wait sheet) that keeps it from its own window. What `work`
    // throws is thrown again here.
    static void wait(const std::function<void()>& work);
};
