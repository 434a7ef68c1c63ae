#include "platform/SavePanel.h"

#include "platform/PanelFolder.h"

#include <QFileDialog>

namespace {
SavePanel::Handler& handler()
{
    static SavePanel::Handler h;
    return h;
}
}

QString SavePanel::nameFilter(const QString& extension, const QString& kind)
{
    const QString name = kind.isEmpty() ? QObject::tr("%1 files").arg(extension.toUpper()) : kind;
    return QStringLiteral("%1 (*.%2)").arg(name, extension);
}

QString SavePanel::chooseFile(QWidget* parent, const QString& title, const QString& extension, const QString& kind)
{
    if (handler())
        return handler()(title, extension);
    QFileDialog dialog(parent, title, PanelFolder::startFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The type list below the file name is the panel's extension choice:
    // it holds the one extension, selected.
    dialog.setNameFilter(nameFilter(extension, kind));
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    PanelFolder::remember(chosen);
    return chosen;
}

void SavePanel::setHandler(Handler h)
{
    handler() = std::move(h);
}
