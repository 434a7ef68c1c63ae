#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// File and folder helpers.

// Removes the file, or the folder with everything in it, at `path` when it can
// be removed (its folder is writable). Refuses empty, relative and root paths.
// A symbolic link is removed itself, never what it points to. Failures are
// ignored.
void Delete_File(const QString& path);

// Whether Delete_File may act on `path` at all: an absolute path that is not
// the root folder (after resolving "." and "..").
bool isPathSafeToDelete(const QString& path);

// Opens "Help.pdf" of the resource folder with the user's default
// application; shows "Help file does not exist!" when it is missing.
void Open_Help_File();

// Creates the data folders under the resource folder that nothing occupies
// yet: the data folder ("DataSet"), "Background", "Fill_Style_Image",
// "LibraryImage", "Templates" and "Templates/User". Existing paths (files
// included) are left alone; folders get the process's usual permissions;
// failures are ignored.
void Check_Path_And_Create_Files();

// The names, without extension, of the plain files directly in `folder`
// (hidden ones included), sorted by name; empty when `folder` is not a folder.
QStringList Get_Files_Array_At_Path(const QString& folder);

// The local path of a file URL (the path of any other URL).
QString Convert_Path_From_URL(const QUrl& url);

// Trims `path`; returns false (valid) when something exists there, otherwise
// shows "Please select valid file path." and returns true.
bool Check_And_Validate_File_Path(const QString& path);

// The last path component's extension removed: "a.b.txt" -> "a.b", while a
// name that only starts with a dot (".hidden") keeps it. Folders in front stay.
QString pathWithoutExtension(const QString& path);
