#include "mainwindow/Open_Export_Log.h"

#include "app/MessageBoxes.h"
#include "output/Globals.h"
#include "platform/FileOpener.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Open_Export_Log::Open_Export_Log(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Open_Export_Files"), tr("Export"))
{
    _open_log_message = new QLabel(this);
    _open_log_message->setObjectName(QStringLiteral("_open_log_message"));
    _open_log_message->setWordWrap(true);
    QFont messageFont = _open_log_message->font();
    messageFont.setBold(true);
    _open_log_message->setFont(messageFont);

    _open_log_path = new QLabel(this);
    _open_log_path->setObjectName(QStringLiteral("_open_log_path"));
    _open_log_path->setWordWrap(true);
    _open_log_path->setTextFormat(Qt::PlainText);
    _open_log_path->setTextInteractionFlags(Qt::TextSelectableByMouse);

    _open_log_chk = new QCheckBox(this);
    _open_log_chk->setObjectName(QStringLiteral("_open_log_chk"));
    _open_log_chk->setChecked(true);

    auto* buttons = okCancelBox({ok_button, QStringLiteral("ok_button"), [this] { OKPressed(); }},
                                {cancel_button, QStringLiteral("cancel_button"), [this] { CancelPressed(); }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_open_log_message);
    layout->addWidget(_open_log_path);
    layout->addSpacing(6);
    layout->addWidget(_open_log_chk);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(400);
}

int Open_Export_Log::Open_Export_File_Box()
{
    _open_log_chk->setText(QFileInfo(Export_File_Path).isDir() ? QStringLiteral("Open containing folder.")
                                                                 : QStringLiteral("Open exported file."));
    _open_log_path->setText(Export_File_Path);
    _open_log_message->setText(Export_File_Message);

    return runModal();
}

void Open_Export_Log::OKPressed()
{
    if (_open_log_chk->isChecked() && !Export_File_Path.isEmpty() && !FileOpener::openFile(Export_File_Path))
        Show_NSLog_Message(QStringLiteral("Could not open %1").arg(Export_File_Path));
    _open_log_chk->setChecked(true);
    done(1);
}

void Open_Export_Log::CancelPressed()
{
    _open_log_chk->setChecked(true);
    done(0);
}

void Open_Export_Log::reject()
{
    CancelPressed();
}
