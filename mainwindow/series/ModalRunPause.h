#pragma once

// The one-second pause the series windows make after loading and before
// their modal run, so the loaded list is on the screen before the run
// starts. The event loop keeps running during the pause. Tests switch it
// off.

class ModalRunPause
{
public:
    // Waits one second (nothing when switched off).
    static void pause();
    static void setEnabled(bool enabled);
    static bool enabled();
};
