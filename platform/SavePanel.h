#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Lets the user choose where to save a file of one extension. Tests replace
// the handler to answer with a scripted path.
class SavePanel
{
public:
    // The chosen path, or "" when the panel was cancelled. `extension`
    // (without the dot) is the only one offered; a name typed without it
    // gets it.
    using Handler = std::function<QString(const QString& title, const QString& extension)>;

    // The files a writer really writes for a chosen name, where they are
    // not just that name: another extension put on, a second file beside it.
    using WrittenFiles = std::function<QStringList(const QString& chosen)>;

    // `kind` names the files in the panel's type list ("<EXTENSION> files"
    // when not given). The panel opens where the last panel's choice lay,
    // else in the home folder. The panel asks before it names a file that
    // exists; with `written`, the question concerns the files really
    // written: those that exist (other than the chosen name, which the
    // panel asked about) are asked about, and No opens the panel again.
    static QString chooseFile(QWidget* parent, const QString& title, const QString& extension, const QString& kind = {},
                              const WrittenFiles& written = {});

    // Asks whether the existing files `paths` may be replaced.
    static QString replaceQuestion(const QStringList& paths);

    // The panel's type list entry: "PDF files (*.pdf)".
    static QString nameFilter(const QString& extension, const QString& kind = {});

    // Replaces the panel; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
