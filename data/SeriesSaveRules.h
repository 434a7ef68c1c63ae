#pragma once

// Saving the series manager's open series under the name in its name field.
// The rules: the opened series is its file as listed, so saving it under the
// name it was opened under replaces that very file, without asking. Any
// other name is cleaned (reserved characters at its ends removed) and must
// be a plain file name; when a file already has that name (the name differs
// from the one the series was opened under, compared as typed), the user is
// asked before it is replaced, and the opened file stays; a series saved
// under a new, free name moves there and its opened file goes. The file is
// replaced atomically, and the old file is removed only after the new file
// is complete.
// A save that replaces or removes the opened file does so only while that
// file still holds what was read when the series was opened, checked under
// the lock of the write itself: a file changed since (another window or
// program appended to it) is replaced only after the user said Yes to
// replacing it, and is checked again for the write that follows, so a change
// made while the question was on screen is asked about too. A file that is
// gone is saved as a new series after the user was told.

#include "platform/FileStamp.h"

#include <QString>
#include <QStringList>

#include <functional>

class SeriesSaveRules
{
public:
    enum class Result {
        Saved,
        // the user answered No to replacing another series
        Declined,
        // the opened file changed since it was read and the user answered
        // No to replacing it: nothing was written
        KeptChanged,
        // the name is empty after cleaning, or "." or "..", or holds a path
        // separator or NUL
        BadName,
        // the file could not be written; nothing on disk changed
        WriteFailed,
    };

    // What saving under a name will do, decided before anything is written.
    struct Plan
    {
        // the name the file takes
        QString name;
        // "" when the name is no usable file name
        QString path;
        // a file is there and the name is not the opened one (as typed):
        // ask before replacing it
        bool replacesOther = false;
        // the name the series was opened under when its file goes after
        // the new file is complete ("" when none goes)
        QString movedFrom;
    };
    static Plan plan(const QString& folder, const QString& name, const QString& openedAs);

    // What a save asks and tells, and how it runs its writes.
    struct Questions
    {
        // whether another series' file may be replaced; true for Yes
        std::function<bool()> askReplace;
        // whether the opened series `name`, changed since it was opened, may
        // be replaced; true for Yes
        std::function<bool(const QString& name)> askChanged;
        // tells that the opened series `name` is gone
        std::function<void(const QString& name)> tellGone;
        // runs a write (under the folder's lock); unset: at once
        std::function<void(const std::function<void()>& write)> run;
    };

    // Plans and carries out the saving of `values` (trimmed; an empty one
    // stays an empty line, so each record keeps its place) as the series
    // `name` in `folder`. `openedAs` is the name the series was opened under
    // ("" for a new series) and `opened` the stamp of the bytes read then.
    // A write that fails gives WriteFailed with the reason in `error`.
    static Result save(const QString& folder, const QString& name, const QString& openedAs, const FileStamp& opened,
                       const QStringList& values, const Questions& questions, QString* error = nullptr);

    static QString changedQuestion(const QString& name);
    static QString goneMessage(const QString& name);

    // The file name a series name gives after cleaning, or "" when the name
    // cannot be a file name of the data folder.
    static QString cleanedName(const QString& name);

    // The path of the series `name` in `folder` (the name used as it stands).
    static QString seriesPath(const QString& folder, const QString& name);
};
