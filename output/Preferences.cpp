#include "output/Preferences.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "platform/AtomicFile.h"
#include "platform/PlistValue.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

const QString send_email_SenderEmailKey = QStringLiteral("SendEmailSender");
const QString send_email_PasswordKey = QStringLiteral("SendEmailPwd");
const QString send_email_SMTP_serverKey = QStringLiteral("SendEmailSMTP");
const QString send_email_PORT_numKey = QStringLiteral("SendEmailPORT");
const QString send_email_RecipientKey = QStringLiteral("SendEmailRecipient");
const QString send_email_Enable_SSLkey = QStringLiteral("SendEnableSSL");

namespace {

// Replaces the file at `path` with `contents` in one step: the contents go
// to a new file, readable and writable by its owner alone from the moment it
// exists, which then takes the old file's place. A symbolic link at the path
// is followed to the file it names; when anything fails the old file stays.
bool writeOwnerOnlyFile(const QString& path, const QByteArray& contents, QString* error = nullptr)
{
    return AtomicFile::save(path, contents, error, AtomicFile::Access::OwnerOnly);
}

// The dictionary of string values in a property list (XML or binary);
// nothing when the data holds no dictionary, nests deeper than any settings
// file would, or holds a text with a NUL character (no text this program
// writes has one). Values of other types are left out.
std::optional<QMap<QString, QString>> readDictionary(const QByteArray& data)
{
    const PlistValue root = PlistValue::fromData(data);
    const PlistNode node = root.node();
    if (!node.isDictionary())
        return std::nullopt;

    QMap<QString, QString> dict;
    for (const QString& key : node.keys()) {
        const PlistNode item = node.value(key);
        if (!item.isString())
            continue;
        const QString text = item.toString();
        if (text.contains(QChar(0)))
            return std::nullopt;
        dict.insert(key, text);
    }
    return dict;
}

// A settings file that others may read (copied in, or left by an older
// version) is made the owner's alone as soon as it is opened: the owner's
// bits stay as they are (a read-only file stays read-only), the others' go. The open file itself is changed, never a
// name that may since point elsewhere; a file reached through a symbolic link is left as it is, since the link may lead
// to a file of some other use.
void makeOwnerOnly(const QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat named {};
    struct stat opened {};
    if (::fstat(file.handle(), &opened) != 0 || (opened.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return;
    if (::lstat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_dev != opened.st_dev
        || named.st_ino != opened.st_ino || opened.st_uid != ::geteuid())
        return;
    if (::fchmod(file.handle(), opened.st_mode & S_IRWXU) != 0)
        Show_NSLog_Message(QStringLiteral("The mail settings file could not be made private: ") + path);
}

}

std::unique_ptr<Preferences> Preferences::sharedInstance()
{
    return std::make_unique<Preferences>(settingsFilePath(Resource_Path));
}

QString Preferences::settingsFilePath(const QString& resourceFolder)
{
    return resourceFolder + QStringLiteral("/com.vesk.card.plist");
}

Preferences::Preferences(const QString& path) : mPreferencesPath(path)
{
    // Only a regular file is read: a FIFO or a device in its place would
    // hold up the start of the program.
    QFile file;
    QByteArray data;
    if (RegularFile::openForReading(file, mPreferencesPath)) {
        makeOwnerOnly(file, mPreferencesPath);
        data = file.readAll();
    }
    if (std::optional<QMap<QString, QString>> dict = readDictionary(data)) {
        mDict = *dict;
        return;
    }
    createEmptyFile();
    setDefaults();
}

void Preferences::setDefaults()
{
    setsend_email_Recipient(QString(""));
    setsend_email_SenderEmail(QString(""));
    setsend_email_Password(QString(""));
    setsend_email_SMTP_server(QString(""));
    setsend_email_PORT_num(QString(""));
}

std::optional<QString> Preferences::value(const QString& key) const
{
    const auto it = mDict.constFind(key);
    if (it == mDict.constEnd())
        return std::nullopt;
    return *it;
}

void Preferences::createEmptyFile() const
{
    // A link that leads to a file of no settings may lead to a file of some
    // other use: only saving the settings writes through it.
    if (QFileInfo(mPreferencesPath).isSymLink())
        return;
    if (!writeOwnerOnlyFile(mPreferencesPath, QByteArray()))
        Show_NSLog_Message(QStringLiteral("The mail settings file could not be created: ") + mPreferencesPath);
}

bool Preferences::flush(QString* error) const
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    PlistValue root = PlistValue::dictionary();
    for (auto it = mDict.constBegin(); it != mDict.constEnd(); ++it) {
        if (!root.insert(it.key(), PlistValue::string(it.value())))
            return fail(QStringLiteral("The setting %1 cannot be written.").arg(it.key()));
    }
    const QByteArray contents = root.toXml();
    if (contents.isEmpty())
        return fail(QStringLiteral("The settings cannot be written."));
    return writeOwnerOnlyFile(mPreferencesPath, contents, error);
}
