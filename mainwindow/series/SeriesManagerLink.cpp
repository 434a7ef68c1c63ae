#include "mainwindow/series/SeriesManagerLink.h"

SeriesManagerLink& SeriesManagerLink::installed()
{
    static SeriesManagerLink link;
    return link;
}
