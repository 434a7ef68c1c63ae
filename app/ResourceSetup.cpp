#include "app/ResourceSetup.h"

#include "app/Globals.h"
#include "platform/ResourceFolder.h"

bool setUpResourceFolder(QString* error)
{
    const QString folder = ResourceFolder::location();
    if (!ResourceFolder::prepare(folder, error))
        return false;
    Resource_Path = folder;
    Data_Folder_Path = folder + QStringLiteral("/DataSet");
    return true;
}
