#pragma once

// Deleting series from the series manager's list. The selected series are
// gone through in list order; a series bound to a card object is kept, and
// the run stops there (after the user is told) unless the apply-to-all
// answer is set. That answer (`Msg_Apply_All_Chk`) is cleared when a run
// starts, so a box ticked earlier for another question never lets a later
// deletion pass series in use without a word.
// The choice reads the card's objects, so it is made on the GUI thread; the
// files go under the series folder's lock, which may have to be waited for,
// so the window runs that part on a worker.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SeriesDeletion
{
public:
    using InUse = std::function<bool(const QString& name)>;

    // Which of the selected series go.
    struct Choice
    {
        // their positions in the selected list
        QList<int> chosen;
        // a selected series was in use
        bool anyInUse = false;
        // the run stopped at a series in use: the user is told
        bool stopped = false;
    };
    static Choice choose(const QStringList& names, const InUse& inUse);

    struct Outcome
    {
        // the positions (in the given list) of the series whose files went
        QList<int> deleted;
        // a selected series was in use
        bool anyInUse = false;
        // why no file went: the folder's lock was not taken ("" when it was)
        QString error;
    };
    // Deletes the files of the chosen series of `names` in `folder`.
    static Outcome remove(const QString& folder, const QStringList& names, const Choice& choice);
};
