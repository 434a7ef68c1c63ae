#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Lets the user choose one existing file. Tests replace the handler to answer
// with a scripted path.
class OpenPanel
{
public:
    // The chosen path, or "" when the panel was cancelled. `extensions`
    // (without dots, matched in any letter case) limits what can be chosen.
    using Handler = std::function<QString(const QString& title, const QStringList& extensions)>;

    // `kind` names the files in the panel's type list ("Pictures" when not
    // given).
    static QString chooseFile(QWidget* parent, const QString& title, const QStringList& extensions,
                              const QString& kind = {});

    // Replaces the panel; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
