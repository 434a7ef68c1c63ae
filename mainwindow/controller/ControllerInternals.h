#pragma once

// Small helpers shared by the window controller's source files.

#include <QString>

#include <exception>

namespace {

QString reasonOf(const std::exception& e)
{
    return QString::fromLocal8Bit(e.what());
}

}
