#pragma once

#include <QString>

// Maps the PostScript names that archived fonts carry ("TimesNewRomanPSMT")
// to the family names that fonts are drawn with ("Times New Roman"), and
// back for fonts chosen here. Installed fonts are asked first (through
// fontconfig), then a short table of common desktop fonts, then the name's
// own shape: the style part after "-" and the "PS"/"MT" suffixes dropped and
// the words split where a capital follows a small letter.
class PostScriptNames
{
public:
    static QString familyFor(const QString& postScriptName);
    // The PostScript name of the family's regular face.
    static QString postScriptNameFor(const QString& family);

private:
    static QString installedFamily(const QString& postScriptName);
    static QString installedPostScriptName(const QString& family);
    static QString familyFromShape(const QString& postScriptName);
};
