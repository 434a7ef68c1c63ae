#include "mainwindow/TemplateStore.h"

#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "app/StringHelpers.h"
#include "mainwindow/PictureFolders.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {
bool existsOrIsLink(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}

QString TemplateStore::builtInFolder()
{
    return QDir(Resource_Path).filePath(QStringLiteral("Templates"));
}

QString TemplateStore::userFolder()
{
    return QDir(builtInFolder()).filePath(QStringLiteral("User"));
}

TemplateStore::TemplateStore(QString folder) : m_folder(QDir::cleanPath(std::move(folder))) {}

QString TemplateStore::cleanName(const QString& typed)
{
    return Remove_Reserve_Char_In_File_Name(Trim_Str(typed));
}

bool TemplateStore::isSafeName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QString TemplateStore::designPathFor(const QString& picturePath)
{
    return pathWithoutExtension(picturePath) + QLatin1Char('.') + design_file_EXT;
}

QString TemplateStore::designPath(const QString& name) const
{
    return m_folder + QLatin1Char('/') + name + QLatin1Char('.') + design_file_EXT;
}

QString TemplateStore::picturePath(const QString& name) const
{
    return m_folder + QStringLiteral("/") + name + QStringLiteral(".png");
}

bool TemplateStore::exists(const QString& name) const
{
    if (!isSafeName(name))
        return false;
    if (QFileInfo::exists(designPath(name)))
        return true;
    // An export of the name replaces its picture and removes any other
    // picture of the name ("jpg", "PNG"), so a picture alone counts too.
    const QDir dir(m_folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (PictureFolders::isListedPicture(file) && pathWithoutExtension(file) == name)
            return true;
    }
    return false;
}

QStringList TemplateStore::Fill_Templates() const
{
    QStringList pictures;
    const QDir dir(m_folder);
    for (const QString& name : PictureFolders::pictureFiles(m_folder))
        pictures.append(dir.filePath(name));
    return pictures;
}

bool TemplateStore::holds(const QString& path) const
{
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    const QFileInfo info(QDir::cleanPath(path));
    return QDir::cleanPath(info.absolutePath()) == m_folder && isSafeName(info.fileName());
}

QString TemplateStore::Create_New_File_Path(const QString& picturePath)
{
    const QFileInfo info(picturePath);
    const QString base = pathWithoutExtension(info.fileName());
    const QString extension = info.suffix();
    const QDir dir = info.dir();
    for (int n = 1;; ++n) {
        const QString candidate = dir.filePath(QStringLiteral("%1 (copy %2).%3").arg(base).arg(n).arg(extension));
        if (!existsOrIsLink(candidate) && !existsOrIsLink(designPathFor(candidate)))
            return candidate;
    }
}

void TemplateStore::removePair(const QString& name) const
{
    if (!isSafeName(name))
        return;
    // The picture may be a "png" or a "jpg" of any case.
    const QDir dir(m_folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (PictureFolders::isListedPicture(file) && pathWithoutExtension(file) == name)
            Delete_File(dir.filePath(file));
    }
    const QString design = designPath(name);
    if (existsOrIsLink(design) && !QFileInfo(design).isDir())
        Delete_File(design);
}

bool TemplateStore::placePair(const QString& name, const QString& writtenDesign, const QString& writtenPicture,
                              QString* error) const
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!isSafeName(name))
        return fail(QStringLiteral("The name %1 cannot be used.").arg(name));
    const QString picture = picturePath(name);
    // Each new file is a copy of the written one, made whole beside the
    // file it replaces before either takes its place.
    AtomicFile designFile(designPath(name));
    AtomicFile pictureFile(picture);
    const std::pair<const QString&, AtomicFile&> pairs[] = {{writtenDesign, designFile}, {writtenPicture, pictureFile}};
    for (const auto& [from, to] : pairs) {
        QFile source(from);
        if (!source.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
        if (!to.open())
            return fail(to.errorString());
        QByteArray block;
        while (!(block = source.read(1 << 20)).isEmpty()) {
            if (to.write(block) != block.size())
                return fail(to.errorString());
        }
        if (source.error() != QFileDevice::NoError)
            return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
    }
    if (!designFile.commit())
        return fail(designFile.errorString());
    if (!pictureFile.commit())
        return fail(pictureFile.errorString());
    // An older picture of the name in another kind ("jpg", "PNG") would
    // stand beside the new one.
    const QDir dir(m_folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (PictureFolders::isListedPicture(file) && pathWithoutExtension(file) == name
            && dir.filePath(file) != picture)
            Delete_File(dir.filePath(file));
    }
    return true;
}

bool TemplateStore::deleteTemplate(const QString& picturePath) const
{
    if (!holds(picturePath))
        return false;
    Delete_File(picturePath);
    const QString design = designPathFor(picturePath);
    if (!QFileInfo(design).isDir())
        Delete_File(design);
    return !existsOrIsLink(picturePath);
}

QString TemplateStore::copyTemplate(const QString& picturePath) const
{
    if (!holds(picturePath) || !QFileInfo::exists(picturePath))
        return QString();
    const QString copy = Create_New_File_Path(picturePath);
    if (!QFile::copy(picturePath, copy))
        return QString();
    // A template without its design file is copied as a picture alone, as
    // the picker offers it.
    const QString design = designPathFor(picturePath);
    if (QFileInfo::exists(design) && !QFile::copy(design, designPathFor(copy))) {
        QFile::remove(copy);
        return QString();
    }
    return copy;
}

bool TemplateStore::renameTemplate(const QString& picturePath, const QString& newName, QString* newPicturePath) const
{
    if (!holds(picturePath) || !isSafeName(newName))
        return false;
    const QString target = m_folder + QLatin1Char('/') + newName + QLatin1Char('.') + QFileInfo(picturePath).suffix();
    if (newPicturePath)
        *newPicturePath = target;
    if (target == QDir::cleanPath(picturePath))
        return true;
    const QString oldDesign = designPathFor(picturePath);
    const QString newDesign = designPathFor(target);
    const bool pictureCopied = QFile::copy(picturePath, target);
    const bool designCopied = pictureCopied && QFile::copy(oldDesign, newDesign);
    if (!pictureCopied || !designCopied) {
        // The old template stays whole; what was copied of it goes again.
        if (pictureCopied)
            QFile::remove(target);
        if (newPicturePath)
            *newPicturePath = picturePath;
        return false;
    }
    Delete_File(picturePath);
    Delete_File(oldDesign);
    return true;
}

TemplateStore::NameCheck TemplateStore::checkName(const QString& typed, const QString& passed) const
{
    NameCheck check;
    check.name = cleanName(typed);
    if (check.name.isEmpty()) {
        check.text = emptyNameMessage;
        return check;
    }
    // A name with a path in it would reach outside the folder.
    if (!isSafeName(check.name)) {
        check.text = unsafeNameMessage;
        return check;
    }
    const QString present = Trim_Str(passed);
    if (present.isEmpty()) {
        if (exists(check.name)) {
            check.kind = NameCheck::Kind::AskReplace;
            check.text = replaceQuestion;
            return check;
        }
    } else if (check.name != present && exists(check.name)) {
        check.text = existsMessage;
        return check;
    }
    check.kind = NameCheck::Kind::Accept;
    return check;
}
