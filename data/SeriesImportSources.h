#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The sources of the series import turned into the values of a series,
// without the wizard's window: a text file (plain text, CSV or RTF), text
// typed into the wizard, or a folder of pictures. A source that gives no
// values says why with the wizard's own message; nothing here shows it.
class SeriesImportSources {
public:
    struct Result {
        QString message; // empty when the source was read
        QStringList values;

        bool ok() const { return message.isEmpty(); }
    };

    // Larger text files are refused: a series holds values for cards, and
    // reading gigabytes to find that out would stall the program.
    static constexpr qint64 maxTextFileBytes = 16 * 1024 * 1024;

    // The values of a text file. The extension decides how it is read (the
    // platform's rules, upper-cased): "RTF" through our RTF converter, "CSV"
    // as comma-separated values, anything else as lines of text. A file that
    // cannot be read gives unreadableFileMessage, one larger than
    // maxTextFileBytes tooLargeMessage(); one without text, or whose text
    // cannot be decoded, gives undecodableMessage. Only a regular file is
    // read (see RegularFile); anything else is a file that cannot be read.
    static Result valuesFromTextFile(const QString& path);
    // The same for bytes already read, with the file's extension.
    static Result valuesFromBytes(const QByteArray& bytes, const QString& extension);

    // Every line or field is one record of the list, for one card each, so
    // a blank line (or an empty CSV field) is an empty record in its place
    // and the values after it stay with their records; only the blank lines
    // at the very end are left out.
    // The values of lines of text (lines end at CR, LF or CR LF, as in a
    // series file) and of comma-separated values: every field or line
    // cleaned. A line break inside a quoted field becomes a space, since a
    // series file holds one value per line.
    static QStringList valuesFromLines(const QString& text);
    static QStringList valuesFromCsv(const QString& text);

    // Typed text: empty or blank gives emptyTypedTextMessage. Every line is
    // a value as it stands (blanks kept).
    static Result valuesFromTypedText(const QString& text);

    // The full paths of the pictures directly in `folder` (not in its
    // subfolders), sorted by name: entries that exist, are no folder and
    // have a picture extension. Empty when the folder cannot be listed. A
    // path that holds a line break cannot be one value of a series: it goes
    // to `leftOut` instead, when given.
    static QStringList valuesFromPictureFolder(const QString& folder, QStringList* leftOut = nullptr);
    // Names the pictures left out (at most ten, then how many more), each
    // line break of a path shown as U+21B5.
    static QString leftOutMessage(const QStringList& paths);
    // The files among `paths` that give no picture when a card reads them,
    // in their order; read side by side on the cores the process may use.
    static QStringList unreadablePictures(const QStringList& paths);
    // Names the files that are not readable pictures (at most ten, then how
    // many more): their values stay in the series, and their cards are
    // drawn without a picture.
    static QString unreadablePicturesMessage(const QStringList& paths);

    // The cleaning of an imported value: every "\", "{" and "}" removed,
    // then trimmed (Trim_Str).
    static QString chk_and_insert_validation(const QString& text);

    // The extension of a path's last component the way the platform finds
    // it: the text after its last ".", where a leading "." starts no
    // extension (".jpg" has none, "a.b.jpg" has "jpg").
    static QString pathExtension(const QString& path);

    static const QString unreadableFileMessage;
    // Says that the file is too large and what the limit is.
    static QString tooLargeMessage();
    static const QString undecodableMessage;
    static const QString emptyTypedTextMessage;
};
