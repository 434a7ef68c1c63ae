#include "app/DeferredMessageBox.h"

#include "app/MessageBoxes.h"

#include <QCoreApplication>
#include <QMetaObject>

void showMessageBoxLater(const QString& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        Show_NSLog_Message(text);
        return;
    }
    QMetaObject::invokeMethod(app, [text] { Show_MessageBox(text); }, Qt::QueuedConnection);
}
