#pragma once

#include <QString>

// The per-user, writable folder that holds the program's resources: the files
// shipped with the program (copied in from the compiled-in resources) and
// what the user adds (series, templates, pictures).
class ResourceFolder
{
public:
    // $XDG_DATA_HOME/brightfold, or ~/.local/share/brightfold when
    // XDG_DATA_HOME is not set (or not an absolute path).
    static QString location();

    // Makes `folder` (with the folders above it) when it is missing and
    // copies into it every shipped file under `shippedRoot` that it does not
    // hold yet; files already there are never overwritten. Returns false,
    // with a reason in `error`, when the folder cannot be made or is not a
    // writable folder. A shipped file that cannot be copied is logged and
    // skipped.
    static bool prepare(const QString& folder, QString* error = nullptr,
                        const QString& shippedRoot = QStringLiteral(":/resources"));

    // Copies the files under `from` that are missing under `to`; returns how
    // many were copied.
    static int copyMissing(const QString& from, const QString& to);
};
