#pragma once

// The creation tool number of the window and `Library_Selected_Image`
// (the picture the next picture object shows) kept for as long as the guard
// lives and given back on every way out, an exception included. Code that
// creates objects by setting the tool and the picture meanwhile leaves the
// user's choice of tool as it was.

#include <QString>

class ProfilePlacementHost;

class CreationToolRestore
{
public:
    explicit CreationToolRestore(ProfilePlacementHost& host);
    ~CreationToolRestore();
    CreationToolRestore(const CreationToolRestore&) = delete;
    CreationToolRestore& operator=(const CreationToolRestore&) = delete;

private:
    ProfilePlacementHost& m_host;
    int m_tool;
    QString m_picture;
};
