#include "platform/OpenPanel.h"

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
}

QString OpenPanel::chooseFile(QWidget* parent, const QString& title, const QStringList& extensions,
                              const QString& kind)
{
    if (handler())
        return handler()(title, extensions);
    const QString name = kind.isEmpty() ? QObject::tr("Pictures") : kind;
    const QString filter =
        extensions.isEmpty() ? QString() : QStringLiteral("%1 (%2)").arg(name, patternsFor(extensions));
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

void OpenPanel::setHandler(Handler h)
{
    handler() = std::move(h);
}
