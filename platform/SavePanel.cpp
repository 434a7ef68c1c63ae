#include "platform/SavePanel.h"

#include <QFileDialog>

namespace {
SavePanel::Handler& handler()
{
    static SavePanel::Handler h;
    return h;
}
}

QString SavePanel::chooseFile(QWidget* parent, const QString& title, const QString& extension)
{
    if (handler())
        return handler()(title, extension);
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The type list below the file name is the panel's extension choice:
    // it holds the one extension, selected.
    dialog.setNameFilter(QObject::tr("Design files (*.%1)").arg(extension));
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void SavePanel::setHandler(Handler h)
{
    handler() = std::move(h);
}
