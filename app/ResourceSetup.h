#pragma once

#include <QString>

// Sets up the resource folder at start: makes it (filled with the shipped
// files it lacks) and points `Resource_Path` at it and `Data_Folder_Path` at
// its "DataSet" folder. Returns false when the folder cannot be made; the
// caller then tells the user and ends the program.
bool setUpResourceFolder(QString* error = nullptr);
