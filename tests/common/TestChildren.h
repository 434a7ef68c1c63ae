#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>
#include <vector>

// Copies of the running test program that run one of its tests as children
// of the test that starts them (the test tells by its environment that it
// is a child). Each child gets `environment` and, under `numberVariable`,
// its number from 1; its standard error is passed on. A child still running
// when the test stops early is killed and waited for as the list goes.
std::vector<std::unique_ptr<QProcess>> startTestChildren(const QString& test, int count,
                                                         const QProcessEnvironment& environment,
                                                         const QString& numberVariable);
