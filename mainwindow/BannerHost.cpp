#include "mainwindow/BannerHost.h"

namespace {
const BannerHost* s_current = nullptr;
}

BannerHost::BannerHost()
{
    s_current = this;
}

BannerHost::~BannerHost()
{
    if (s_current == this)
        s_current = nullptr;
}

const BannerHost* BannerHost::current()
{
    return s_current;
}
