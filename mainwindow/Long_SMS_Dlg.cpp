#include "mainwindow/Long_SMS_Dlg.h"

#include "app/Globals.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Long_SMS_Dlg::Long_SMS_Dlg(QWidget* parent) : FramedDialog(parent, QStringLiteral("Long_SMS_Dlg"), tr("Message"))
{
    _Msg_Title = new QLabel(this);
    _Msg_Title->setObjectName(QStringLiteral("_Msg_Title"));
    QFont titleFont = _Msg_Title->font();
    titleFont.setBold(true);
    _Msg_Title->setFont(titleFont);
    _Msg_Title->setWordWrap(true);

    // Help texts can be long: the text scrolls, and can be selected and copied.
    _Msg_Val = new QPlainTextEdit(this);
    _Msg_Val->setObjectName(QStringLiteral("_Msg_Val"));
    _Msg_Val->setReadOnly(true);
    _Msg_Val->setFrameShape(QFrame::NoFrame);
    _Msg_Val->viewport()->setAutoFillBackground(false);
    _Msg_Val->setMinimumHeight(110);

    apply_chk = new QCheckBox(tr("Apply to all"), this);
    apply_chk->setObjectName(QStringLiteral("apply_chk"));

    auto* buttons = new QDialogButtonBox(this);
    yes_button = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    no_button = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    yes_button->setObjectName(QStringLiteral("yes_button"));
    no_button->setObjectName(QStringLiteral("no_button"));
    yes_button->setDefault(true);
    connect(yes_button, &QPushButton::clicked, this, &Long_SMS_Dlg::OKPressed);
    connect(no_button, &QPushButton::clicked, this, &Long_SMS_Dlg::CancelPressed);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(apply_chk);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_Msg_Title);
    layout->addWidget(_Msg_Val, 1);
    layout->addLayout(bottom);
    resize(420, 220);
}

int Long_SMS_Dlg::Open_Long_sms_Dialog()
{
    const bool question = !title_val.isNull();
    _Msg_Title->setText(question ? title_val : Cutom_Msg_Title);
    _Msg_Val->setPlainText(question ? msg_val_str : Cutom_Msg_Val);
    no_button->setHidden(!question);
    apply_chk->setHidden(!apply_chk_show);

    const int result = runModal();

    title_val = QString();
    msg_val_str = QString();
    apply_chk_show = false;
    return result;
}

void Long_SMS_Dlg::OKPressed()
{
    // A box that was not shown has not been answered: a tick left over from
    // an earlier question must not decide the next ones.
    if (!apply_chk->isHidden())
        setMsgApplyAllChk(apply_chk->isChecked());
    done(1);
}

void Long_SMS_Dlg::CancelPressed()
{
    done(0);
}

void Long_SMS_Dlg::reject()
{
    CancelPressed();
}
