#include "data/SeriesDeletion.h"

#include "app/Globals.h"
#include "data/SeriesStore.h"

SeriesDeletion::Choice SeriesDeletion::choose(const QStringList& names, const InUse& inUse)
{
    setMsgApplyAllChk(false);
    Choice choice;
    for (int i = 0; i < names.size(); ++i) {
        if (inUse && inUse(names.at(i))) {
            choice.anyInUse = true;
            if (!Msg_Apply_All_Chk) {
                choice.stopped = true;
                break;
            }
            continue;
        }
        choice.chosen.append(i);
    }
    return choice;
}

SeriesDeletion::Outcome SeriesDeletion::remove(const QString& folder, const QStringList& names, const Choice& choice)
{
    Outcome outcome;
    outcome.anyInUse = choice.anyInUse;
    // the names as the folder lists them, so that the very file listed goes
    // (not another whose name differs only by blanks at its ends)
    QStringList chosen;
    for (int i : choice.chosen)
        chosen.append(names.value(i));
    // under the lock of the folder's series writes, so that an append under
    // way does not bring a series back
    QList<int> removed;
    if (!SeriesStore(folder, batch_file_EXT).remove(chosen, &removed, &outcome.error))
        return outcome;
    for (int position : removed)
        outcome.deleted.append(choice.chosen.at(position));
    return outcome;
}
