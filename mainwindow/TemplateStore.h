#pragma once

// The templates of one folder without any window: each template is a picture
// ("png" or "jpg", any case) and a design file of the same base name with the
// design extension. The user's folder allows copies, renames and deletes;
// every path these operations touch lies directly in the store's folder.

#include <QString>
#include <QStringList>

class TemplateStore
{
public:
    // Resource_Path/"Templates" (built-in) and Resource_Path/"Templates"/"User".
    static QString builtInFolder();
    static QString userFolder();

    explicit TemplateStore(QString folder);
    const QString& folder() const { return m_folder; }

    // A typed name as it is saved: blanks and control characters trimmed,
    // then the reserved file-name characters at both ends.
    static QString cleanName(const QString& typed);
    // A cleaned name that stays a single file name in the folder: not
    // empty, not "." or "..", without "/", "\" or NUL.
    static bool isSafeName(const QString& name);

    // The same path with the design extension in place of the picture's.
    static QString designPathFor(const QString& picturePath);

    // The pair of a template name in this folder.
    QString designPath(const QString& name) const;
    QString picturePath(const QString& name) const;
    // A template of that name exists: its design file, or a picture of the
    // name (which an export of the name would replace or remove).
    bool exists(const QString& name) const;

    // Full paths of the pictures of the folder, in listing order (by name);
    // empty when the folder is missing.
    QStringList Fill_Templates() const;

    // Whether `path` names a file directly in this folder.
    bool holds(const QString& path) const;

    // "<base> (copy n).<ext>" beside `picturePath`, n counting from 1 until
    // neither that picture nor its design file exists.
    static QString Create_New_File_Path(const QString& picturePath);

    // Deletes the picture and the design file of a name (missing ones are no
    // error).
    void removePair(const QString& name) const;
    // Puts a design file and a picture written elsewhere in place of the
    // pair of `name` (each replaced in one step, as any replaced file: links
    // followed, permissions kept), then deletes the name's pictures of other
    // kinds. False, with the reason in `error`, when either cannot be put in
    // place; both are written whole before either replaces its old file.
    bool placePair(const QString& name, const QString& writtenDesign, const QString& writtenPicture,
                   QString* error = nullptr) const;
    // Deletes the template of a picture of this folder; false for a path
    // outside it.
    bool deleteTemplate(const QString& picturePath) const;
    // Copies the template of a picture to the free copy name; the new
    // picture's path, or "" when nothing was copied (a half-made copy is
    // removed again).
    QString copyTemplate(const QString& picturePath) const;
    // Gives the template of a picture the name `newName` (a safe, cleaned
    // name). Both files are copied first and the old pair deleted only when
    // both copies are there; otherwise the old pair stays and false comes
    // back. Renaming to the present name changes nothing and succeeds.
    bool renameTemplate(const QString& picturePath, const QString& newName, QString* newPicturePath = nullptr) const;

    // The name dialog's check of a typed name. `passed` is the present name
    // of a template being renamed, "" for a new template.
    struct NameCheck {
        enum class Kind { Refuse, AskReplace, Accept } kind = Kind::Refuse;
        QString text;   // the message or the question
        QString name;   // the cleaned name
    };
    NameCheck checkName(const QString& typed, const QString& passed) const;

    static inline const QString emptyNameMessage = QStringLiteral("Please enter template name.");
    static inline const QString unsafeNameMessage =
        QStringLiteral("A template name cannot contain \"/\" or \"\\\", nor be \".\" or \"..\".");
    static inline const QString replaceQuestion =
        QStringLiteral("Template with this name already exists, Do you want to replace the existing template?");
    static inline const QString existsMessage = QStringLiteral("Template with this name already exists.");

private:
    QString m_folder;
};
