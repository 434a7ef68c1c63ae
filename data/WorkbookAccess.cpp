#include "data/WorkbookAccess.h"

WorkbookAccess& WorkbookAccess::installed()
{
    static WorkbookAccess access;
    return access;
}
