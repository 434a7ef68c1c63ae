#include "data/SeriesDeletion.h"

#include "app/Globals.h"
#include "data/SeriesFileWriter.h"
#include "data/SeriesSaveRules.h"
#include "platform/FolderLock.h"

#include <QFileInfo>

SeriesDeletion::Outcome SeriesDeletion::run(const QString& folder, const QStringList& names,
                                            const InUse& inUse, const TellInUse& tellInUse)
{
    setMsgApplyAllChk(false);
    Outcome outcome;
    for (int i = 0; i < names.size(); ++i) {
        // the name as the folder lists it, so that the very file listed goes
        // (not another whose name differs only by blanks at its ends)
        const QString& name = names.at(i);
        if (inUse && inUse(name)) {
            outcome.anyInUse = true;
            if (!Msg_Apply_All_Chk) {
                if (tellInUse)
                    tellInUse();
                break;
            }
            continue;
        }
        // a name that cannot be a file name of the folder has no file to go
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..")
            || name == QLatin1String("."))
            continue;
        // under the lock of the folder's series writes, so that an append
        // under way does not bring the series back
        const FolderLock lock(folder);
        const QString path = SeriesSaveRules::seriesPath(folder, name);
        if (QFileInfo(path).isFile() && SeriesFileWriter::removeFile(path))
            outcome.deleted.append(i);
    }
    return outcome;
}
