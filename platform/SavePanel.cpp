#include "platform/SavePanel.h"

#include "platform/MessagePresenter.h"
#include "platform/PanelFolder.h"

#include <QFileDialog>
#include <QFileInfo>

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

QString SavePanel::replaceQuestion(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    if (names.size() == 1)
        return QStringLiteral("%1 already exists. Do you want to replace it?").arg(names.constFirst());
    const QString last = names.takeLast();
    return QStringLiteral("%1 and %2 already exist. Do you want to replace them?")
        .arg(names.join(QStringLiteral(", ")), last);
}

QString SavePanel::chooseFile(QWidget* parent, const QString& title, const QString& extension, const QString& kind,
                              const WrittenFiles& written)
{
    for (;;) {
        // The desktop's panel leaves its own question to the files really
        // written, which it does not know.
        const bool panelAsks = handler() || !written;
        QString chosen;
        if (handler()) {
            chosen = handler()(title, extension);
        } else {
            QFileDialog dialog(parent, title, PanelFolder::startFolder());
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setOption(QFileDialog::DontConfirmOverwrite, !panelAsks);
            // The type list below the file name is the panel's extension
            // choice: it holds the one extension, selected.
            dialog.setNameFilter(nameFilter(extension, kind));
            dialog.setDefaultSuffix(extension);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return QString();
            chosen = dialog.selectedFiles().constFirst();
            PanelFolder::remember(chosen);
        }
        if (chosen.isEmpty() || !written)
            return chosen;
        QStringList replaced;
        for (const QString& path : written(chosen)) {
            const QFileInfo info(path);
            if ((path != chosen || !panelAsks) && info.exists() && !info.isDir())
                replaced << path;
        }
        if (replaced.isEmpty() || MessagePresenter::current().askYesNo(replaceQuestion(replaced)))
            return chosen;
    }
}

void SavePanel::setHandler(Handler h)
{
    handler() = std::move(h);
}
