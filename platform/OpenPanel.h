#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Lets the user choose one existing file or folder. Tests replace the
// handler to answer with a scripted path. The panel opens where the last
// panel's choice lay, else in the home folder.
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
    // One existing folder (new ones may be made in the panel); "" when the
    // panel was cancelled.
    static QString chooseFolder(QWidget* parent, const QString& title);

    // The panel's type list entry for `extensions`: "Pictures (*.png *.PNG)";
    // empty for any file.
    static QString nameFilter(const QStringList& extensions, const QString& kind = {});

    // Replaces the file panel; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
