#pragma once

#include "platform/MessagePresenter.h"

#include <QString>

// Message boxes for the user and the log. The boxes are application-modal and
// shown through the installed MessagePresenter.

// Shows "\n" + text with the button "OK" on the GUI thread and waits until it
// is closed; callable from any thread.
void Show_MessageBox(const QString& text);

// Asks `text` with the buttons "Yes" (default) and "No" on the GUI thread and
// waits; callable from any thread. Returns 1 for Yes, 0 for No. The answer is
// returned by the call itself, so concurrent callers never see each other's
// answer; it is also left in `yes_no_msg_val`.
int Show_YES_NO_MessageBox(const QString& text);

// What the two helpers above run on the GUI thread: shows `text` unchanged
// with "OK"; asks `text` with "Yes"/"No", setting `yes_no_msg_val` to 0
// before and to 1 when Yes ends it. Called from another thread they hand
// over to the GUI thread as well.
void Main_Thread_Messgae(const QString& text);
int Main_Thread_Messgae_Yes_No(const QString& text);

// The same box as Show_MessageBox ("\n" + text, "OK"), meant to run on the
// calling thread; windows exist on the GUI thread only, so a call from
// another thread is handed over to it.
void Show_MessageBox_No_Thread(const QString& text);

// Asks `text` with "Yes" (default) and "No" as Show_YES_NO_MessageBox does,
// but Escape or closing the box answers Cancelled, distinct from No, for
// questions where leaving the box means going back to what was being done.
// Callable from any thread; `yes_no_msg_val` is left as it is.
MessagePresenter::Answer askYesNoOrCancel(const QString& text);

// A box with `text` unchanged and "OK"; returns 1 (the code of its one button).
int show_msg(const QString& text);

// Writes `text` to the log as one message; nothing for an empty text.
void Show_NSLog_Message(const QString& text);
