#include "platform/OpenPanel.h"

#include "platform/PanelFolder.h"

#include <QFileDialog>

namespace {
OpenPanel::Handler& handler()
{
    static OpenPanel::Handler h;
    return h;
}

// "*.jpg *.JPG ..." for the panel's filter.
QString patternsFor(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& ext : extensions) {
        patterns << QStringLiteral("*.") + ext.toLower();
        if (ext.toUpper() != ext.toLower())
            patterns << QStringLiteral("*.") + ext.toUpper();
    }
    return patterns.join(QLatin1Char(' '));
}

// Runs `dialog`; its first choice, remembered for the next panel, or "".
QString run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    PanelFolder::remember(chosen);
    return chosen;
}
}

QString OpenPanel::nameFilter(const QStringList& extensions, const QString& kind)
{
    const QString name = kind.isEmpty() ? QObject::tr("Pictures") : kind;
    return extensions.isEmpty() ? QString() : QStringLiteral("%1 (%2)").arg(name, patternsFor(extensions));
}

QString OpenPanel::chooseFile(QWidget* parent, const QString& title, const QStringList& extensions,
                              const QString& kind)
{
    if (handler())
        return handler()(title, extensions);
    QFileDialog dialog(parent, title, PanelFolder::startFolder());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString filter = nameFilter(extensions, kind);
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    return run(dialog);
}

QString OpenPanel::chooseFolder(QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent, title, PanelFolder::startFolder());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    return run(dialog);
}

void OpenPanel::setHandler(Handler h)
{
    handler() = std::move(h);
}
