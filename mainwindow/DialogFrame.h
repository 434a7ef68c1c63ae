#pragma once

// The frame the program's small windows share. `DialogFrame` names the
// window (tests find it by its object name), titles it, sets its modality
// and the window background, builds the button rows and guards an opening
// against failures. `DefaultInstance` keeps the window made last of a class
// (`defaultInstance()`), `ModalRunSeam` the class's modal run that tests
// replace (`setModalRun()`), and `FramedDialog` puts the three together for
// a window that needs nothing else.

#include <QDialog>

#include <functional>
#include <initializer_list>

class QDialogButtonBox;
class QHBoxLayout;
class QPushButton;

class DialogFrame : public QDialog
{
    Q_OBJECT

public:
    // Application: modal to the whole program (the usual); Window: modal to
    // its parent window only; None: modal only while `exec()` runs.
    enum class Modality { Application, Window, None };
    // Without a background the window keeps the style's own colour.
    enum class Background { Window, Plain };

    // An empty name or title leaves that one unset.
    DialogFrame(QWidget* parent, const QString& objectName, const QString& title,
                Modality modality = Modality::Application, Background background = Background::Window);

    // A button of a row: where the row stores it, its object name, and what
    // a click does (nothing when empty).
    struct Button
    {
        QPushButton*& button;
        QString objectName;
        std::function<void()> pressed;
    };

    // A push button of the window with its object name.
    QPushButton* namedButton(const QString& text, const QString& objectName);
    // OK and Cancel (the style's buttons, icons included) in a button box,
    // in the platform's order.
    QDialogButtonBox* okCancelBox(const Button& ok, const Button& cancel);
    // OK alone in a button box.
    QDialogButtonBox* okBox(const Button& ok);
    // "Cancel" and "OK" (the default button) at the right end of a row, after
    // `leading` at its left end.
    QHBoxLayout* okCancelRow(const Button& ok, const Button& cancel, std::initializer_list<QWidget*> leading = {});
    // `leading` at the left end of a row, `trailing` at its right end.
    static QHBoxLayout* buttonRow(std::initializer_list<QWidget*> leading, std::initializer_list<QWidget*> trailing);

    // Runs `open` (filling the window and its modal run) and answers its
    // result. When it fails, the reason (or `failure` for a failure without
    // one) goes to the log, the window leaves the screen and the answer is 0.
    int runGuarded(const std::function<int()>& open, const QString& failure = QStringLiteral("The window failed."));

private:
    void wire(QPushButton* button, const Button& spec);
};

// The window of class `Dialog` made last: it is the default instance from
// its construction until it is gone (a later one takes over; destroying an
// older one changes nothing).
template <class Dialog>
class DefaultInstance
{
public:
    static Dialog* defaultInstance() { return s_instance ? static_cast<Dialog*>(s_instance) : nullptr; }

protected:
    DefaultInstance() { s_instance = this; }
    ~DefaultInstance()
    {
        if (s_instance == this)
            s_instance = nullptr;
    }
    DefaultInstance(const DefaultInstance&) = delete;
    DefaultInstance& operator=(const DefaultInstance&) = delete;

private:
    static inline DefaultInstance* s_instance = nullptr;
};

// The modal run of the windows of class `Owner`: `exec()`, or the function
// a test installs, which gets the window (as a `Target`) and answers for it.
template <class Owner, class Target = Owner>
class ModalRunSeam
{
public:
    using ModalRun = std::function<int(Target&)>;
    // An empty function brings back the real run.
    static void setModalRun(ModalRun run) { s_run = std::move(run); }

protected:
    // Whether a test answers instead of a person.
    static bool modalRunReplaced() { return bool(s_run); }
    static int runModalOf(Target& dialog)
    {
        if (!s_run)
            return dialog.exec();
        // a copy: the function may replace itself while it runs
        const ModalRun run = s_run;
        return run(dialog);
    }
    // The run, and the window taken off the screen afterwards.
    static int runAndHide(Target& dialog)
    {
        const int result = runModalOf(dialog);
        dialog.hide();
        return result;
    }

private:
    static inline ModalRun s_run;
};

// A framed window with a default instance and a replaceable modal run.
template <class Dialog>
class FramedDialog : public DialogFrame, public DefaultInstance<Dialog>, public ModalRunSeam<Dialog>
{
public:
    using DialogFrame::DialogFrame;

    // Runs the window modally and takes it off the screen; answers the run's
    // result.
    int runModal() { return ModalRunSeam<Dialog>::runAndHide(static_cast<Dialog&>(*this)); }
};
