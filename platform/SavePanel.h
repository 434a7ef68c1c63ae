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

    static QString chooseFile(QWidget* parent, const QString& title, const QString& extension);

    // Replaces the panel; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
