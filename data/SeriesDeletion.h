#pragma once

// Deleting series from the series manager's list. The selected series are
// gone through in list order; a series bound to a card object is kept, and
// the run stops there (after the user is told) unless the apply-to-all
// answer is set. That answer (`Msg_Apply_All_Chk`) is cleared when a run
// starts, so a box ticked earlier for another question never lets a later
// deletion pass series in use without a word.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SeriesDeletion
{
public:
    struct Outcome {
        // the positions (in the given list) of the series whose files went
        QList<int> deleted;
        // a selected series was in use
        bool anyInUse = false;
    };

    using InUse = std::function<bool(const QString& name)>;
    using TellInUse = std::function<void()>;

    // Deletes the files of the series `names` in `folder`, in order.
    static Outcome run(const QString& folder, const QStringList& names, const InUse& inUse,
                       const TellInUse& tellInUse);
};
