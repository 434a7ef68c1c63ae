#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The picture folders of the resource folder and the rules of listing them:
// "Background" holds the card backgrounds directly, "LibraryImage" one
// sub-folder per category of library pictures.
class PictureFolders
{
public:
    struct Category
    {
        QString name;   // shown: the folder name capitalised
        QString path;   // the folder itself
    };

    // `Resource_Path`/"Background" and `Resource_Path`/"LibraryImage".
    static QString backgroundFolder();
    static QString libraryFolder();

    // True for a file name whose extension, in lower case, is "png" or "jpg"
    // ("JPG" counts, "jpeg" and "gif" do not).
    static bool isListedPicture(const QString& fileName);
    // The names of the listed pictures directly in `folder`, in the order of
    // the folder listing (by name); empty when it is not a folder. Hidden
    // files ("._card.png" left by other systems) are no pictures.
    static QStringList pictureFiles(const QString& folder);

    // First letter of each word (words are parted by white space) in upper
    // case, the rest in lower case: "party cards" -> "Party Cards",
    // "new-year" -> "New-year".
    static QString capitalised(const QString& name);
    // The sub-folders of `library` in listing order (hidden ones left out),
    // each with its shown name.
    static QList<Category> categories(const QString& library);
    // The sub-folder of `library` whose name equals `shownName` regardless of
    // upper and lower case (an exact match first); empty when there is none.
    static QString categoryFolder(const QString& library, const QString& shownName);
};
