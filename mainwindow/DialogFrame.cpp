#include "mainwindow/DialogFrame.h"

#include "app/MessageBoxes.h"
#include "mainwindow/WindowBackground.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <exception>

DialogFrame::DialogFrame(QWidget* parent, const QString& objectName, const QString& title, Modality modality,
                         Background background)
    : QDialog(parent)
{
    if (!objectName.isEmpty())
        setObjectName(objectName);
    if (!title.isEmpty())
        setWindowTitle(title);
    switch (modality) {
    case Modality::Application:
        setModal(true);
        break;
    case Modality::Window:
        setWindowModality(Qt::WindowModal);
        break;
    case Modality::None:
        break;
    }
    if (background == Background::Window)
        WindowBackground::apply(*this);
}

void DialogFrame::wire(QPushButton* button, const Button& spec)
{
    spec.button = button;
    if (!spec.objectName.isEmpty())
        button->setObjectName(spec.objectName);
    if (spec.pressed)
        connect(button, &QPushButton::clicked, this, spec.pressed);
}

QPushButton* DialogFrame::namedButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    return button;
}

QDialogButtonBox* DialogFrame::okCancelBox(const Button& ok, const Button& cancel)
{
    auto* box = okBox(ok);
    wire(box->addButton(QDialogButtonBox::Cancel), cancel);
    return box;
}

QDialogButtonBox* DialogFrame::okBox(const Button& ok)
{
    auto* box = new QDialogButtonBox(this);
    wire(box->addButton(QDialogButtonBox::Ok), ok);
    return box;
}

QHBoxLayout* DialogFrame::okCancelRow(const Button& ok, const Button& cancel, std::initializer_list<QWidget*> leading)
{
    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setDefault(true);
    wire(okButton, ok);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    wire(cancelButton, cancel);
    return buttonRow(leading, {cancelButton, okButton});
}

QHBoxLayout* DialogFrame::buttonRow(std::initializer_list<QWidget*> leading, std::initializer_list<QWidget*> trailing)
{
    auto* row = new QHBoxLayout;
    for (QWidget* button : leading)
        row->addWidget(button);
    row->addStretch(1);
    for (QWidget* button : trailing)
        row->addWidget(button);
    return row;
}

int DialogFrame::runGuarded(const std::function<int()>& open, const QString& failure)
{
    try {
        return open();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Show_NSLog_Message(failure);
    }
    hide();
    return 0;
}
