#pragma once

#include <QString>
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

    // `kind` names the files in the panel's type list ("<EXTENSION> files"
    // when not given). The panel opens where the last panel's choice lay,
    // else in the home folder.
    static QString chooseFile(QWidget* parent, const QString& title, const QString& extension,
                              const QString& kind = {});

    // The panel's type list entry: "PDF files (*.pdf)".
    static QString nameFilter(const QString& extension, const QString& kind = {});

    // Replaces the panel; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
