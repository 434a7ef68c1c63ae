#pragma once

// Runs file work on a worker thread while a please-wait window is shown on
// the window that asked for it; the GUI thread keeps handling events (the
// window repaints, and message boxes the work asks for through the message
// helpers are shown). The work must touch no widget and no live card
// object.

#include <functional>

class PleaseWait_Modeless;

class PleaseWaitRun
{
public:
    // Shows `sheet` (when given), runs `work` on a worker thread, waits for
    // it with the event loop running, then takes the sheet off the screen.
    static void run(PleaseWait_Modeless* sheet, const std::function<void()>& work);
};
