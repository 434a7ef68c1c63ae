#pragma once

#include <QString>

// Shows the program's message boxes. The program talks to the one presenter
// that is installed; when none is, to the default presenter, which the
// program sets to an AlertMessagePresenter at start (a program without a
// window gets one that writes the texts to the log and answers No, or leaves
// the question unanswered). Tests install a ScriptedMessagePresenter that
// records the texts and answers from a script. Presenters are called on the GUI thread only (the message helpers
// hand calls from other threads over to it).
class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;

    // Shows `text` as it is, with the single button "OK", and returns when the
    // box is closed.
    virtual void showMessage(const QString& text) = 0;

    // Shows `text` with an informative text under it and the single button
    // "OK". A presenter without such a place shows the two texts one after
    // the other, a blank line between them.
    virtual void showAlert(const QString& text, const QString& informative)
    {
        showMessage(informative.isEmpty() ? text : text + QStringLiteral("\n\n") + informative);
    }

    // Asks `text` with the buttons "Yes" (the default) and "No"; true when the
    // answer is Yes.
    virtual bool askYesNo(const QString& text) = 0;

    // The answer to a question that may be left unanswered.
    enum class Answer { Yes, No, Cancelled };

    // Asks `text` with the buttons "Yes" (the default) and "No", as
    // askYesNo() does, but Escape or closing the box answers Cancelled:
    // neither Yes nor No.
    virtual Answer askYesNoOrCancel(const QString& text) = 0;

    // The installed presenter.
    static MessagePresenter& current();

    // Installs `presenter` (not owned; it must outlive its use). nullptr
    // brings back the default presenter.
    static void install(MessagePresenter* presenter);

    // Sets the presenter used while none is installed (not owned; it must
    // outlive its use). nullptr brings back the log.
    static void setDefault(MessagePresenter* presenter);
};
