#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Helpers shared by the keyed-archive tests: the Python cross-check tool and
// temporary files.
namespace ArchiveTestSupport {

// Runs tests/common/keyed_archive_tool.py with `command` on `path` and
// returns its JSON answer; an empty object when it fails (the failure is
// recorded as a test failure).
QJsonObject runTool(const QString& command, const QString& path);

// Writes the bytes to a new file in a temporary folder that lives as long as
// the test program and returns its path.
QString writeTemporary(const QByteArray& bytes, const QString& name);

// The folder of hand-built archives that the tool makes (made once).
QString fixtureFolder();
QByteArray fixture(const QString& name);

} // namespace ArchiveTestSupport
