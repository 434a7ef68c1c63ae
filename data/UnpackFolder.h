#pragma once

#include <QString>

// The folder "ziptmp" into which workbooks are unpacked and in which they are
// put together before packing. It lies in a private folder of this user in
// the temporary folder ("brightfold-<uid>", mode 0700), so that no other user
// can read the unpacked parts, plant links in them or race them, and in a
// folder of this process inside that ("<pid>"), so that two copies of the
// program (or test programs running side by side) never unpack into each
// other's parts. Folders of processes that are gone are cleared away.
class UnpackFolder
{
public:
    // The path of "ziptmp", both folders created as needed; empty when the
    // private folder cannot be made, or when what stands at its path is a
    // link, not a folder, or belongs to another user.
    static QString path();
    // Removes everything inside "ziptmp" (the folder itself stays); false
    // when the folder cannot be had or something could not be removed.
    static bool empty();
    // Removes this process's folder with "ziptmp" and its content; failures
    // are ignored.
    static void remove();
};
