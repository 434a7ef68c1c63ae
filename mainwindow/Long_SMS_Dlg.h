#pragma once

// The long-message box: a title line, a text and OK. In its help form it
// shows `Cutom_Msg_Title` and `Cutom_Msg_Val`; when a caller sets
// `title_val` it asks a question instead, with a second button and, when
// `apply_chk_show` is set, the apply-to-all box whose answer goes to
// `Msg_Apply_All_Chk`. The caller's fields apply to one run only.

#include "mainwindow/DialogFrame.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class Long_SMS_Dlg : public FramedDialog<Long_SMS_Dlg>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Long_SMS_Dlg(QWidget* parent = nullptr);

    // Fills the box in the question or the help form, runs it modally,
    // takes it off the screen and clears the caller's fields; 1 for OK, 0
    // for the second button (or the window closed).
    int Open_Long_sms_Dialog();
    // OK: the apply-to-all answer, when the box was shown, then ends the run with 1.
    void OKPressed();
    // The second button: ends the run with 0; the apply-to-all answer stays.
    void CancelPressed();

    QLabel* _Msg_Title = nullptr;
    QPlainTextEdit* _Msg_Val = nullptr;
    QCheckBox* apply_chk = nullptr;
    QString title_val;
    QString msg_val_str;
    bool apply_chk_show = false;
    QPushButton* yes_button = nullptr;
    QPushButton* no_button = nullptr;

protected:
    // Escape and the window's close button answer as the second button.
    void reject() override;
};
