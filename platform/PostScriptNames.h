#pragma once

#include <QString>

// Maps the PostScript names that archived fonts carry ("TimesNewRomanPSMT")
// to the family names that fonts are drawn with ("Times New Roman"), and
// back for fonts chosen here. Installed fonts are asked first (through
// fontconfig), then a short table of common desktop fonts, then the name's
// own shape: the style part after "-" and the "PS"/"MT" suffixes dropped and
// the words split where a capital follows a small letter. A name stands for
// one face of its family ("DejaVuSans-Bold"): the face is found the same way.
class PostScriptNames
{
public:
    // A face: weight on the 100..900 scale of QFont::Weight, italic or not.
    struct Face {
        int weight = 400;
        bool italic = false;
        bool operator==(const Face&) const = default;
    };

    static QString familyFor(const QString& postScriptName);
    static Face faceFor(const QString& postScriptName);
    // The PostScript name of the family's regular face, and of the face
    // nearest to the given one.
    static QString postScriptNameFor(const QString& family);
    static QString postScriptNameFor(const QString& family, int weight, bool italic);
    // The full name of the installed face of that PostScript name ("DejaVu
    // Sans Bold"); empty when none is installed.
    static QString installedFullName(const QString& postScriptName);
    // The words naming a face after its family: "Bold", "Italic", "Light
    // Italic"; empty for the regular face.
    static QString faceName(int weight, bool italic);

private:
    static QString installedFamily(const QString& postScriptName);
    static QString installedPostScriptName(const QString& family, const Face& face);
    static QString familyFromShape(const QString& postScriptName);
    static Face faceFromShape(const QString& postScriptName);
};
