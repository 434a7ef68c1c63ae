#pragma once

#include <QString>

// The folder a file panel opens in: the folder of the last file or folder
// chosen in any panel, or else the user's home folder; never the folder the
// program happens to run in.
class PanelFolder
{
public:
    static QString startFolder();
    // Remembers where `chosen` lies: a folder itself, or a file's folder.
    static void remember(const QString& chosen);
    // Forgets the last choice: panels open in the home folder again.
    static void forget();
};
