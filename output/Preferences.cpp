#include "output/Preferences.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"

#include <QFile>
#include <QSaveFile>

#include <plist/plist.h>

const QString send_email_SenderEmailKey = QStringLiteral("SendEmailSender");
const QString send_email_PasswordKey = QStringLiteral("SendEmailPwd");
const QString send_email_SMTP_serverKey = QStringLiteral("SendEmailSMTP");
const QString send_email_PORT_numKey = QStringLiteral("SendEmailPORT");
const QString send_email_RecipientKey = QStringLiteral("SendEmailRecipient");
const QString send_email_Enable_SSLkey = QStringLiteral("SendEnableSSL");

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistFree>;

// Replaces the file at `path` with `contents` in one step; the file is
// readable and writable by its owner only, from the moment it exists.
bool writeOwnerOnlyFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The temporary file gets its permissions before anything is written.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The dictionary of string values in a property list (XML or binary);
// nothing when the data holds no dictionary. Values of other types are left
// out.
std::optional<QMap<QString, QString>> readDictionary(const QByteArray& data)
{
    if (data.isEmpty())
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_memory(data.constData(), static_cast<uint32_t>(data.size()), &raw);
    PlistPtr root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;

    QMap<QString, QString> dict;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(root.get(), &it);
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(root.get(), it, &key, &item);
        if (!key)
            break;
        if (item && plist_get_node_type(item) == PLIST_STRING) {
            char* text = nullptr;
            plist_get_string_val(item, &text);
            dict.insert(QString::fromUtf8(key), QString::fromUtf8(text ? text : ""));
            free(text);
        }
        free(key);
    }
    free(it);
    return dict;
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
    QFile file(mPreferencesPath);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.readAll();
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
    if (!writeOwnerOnlyFile(mPreferencesPath, QByteArray()))
        Show_NSLog_Message(QStringLiteral("The mail settings file could not be created: ") + mPreferencesPath);
}

bool Preferences::flush() const
{
    PlistPtr root(plist_new_dict());
    for (auto it = mDict.constBegin(); it != mDict.constEnd(); ++it)
        plist_dict_set_item(root.get(), it.key().toUtf8().constData(),
                            plist_new_string(it.value().toUtf8().constData()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (!xml)
        return false;
    const QByteArray contents(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return writeOwnerOnlyFile(mPreferencesPath, contents);
}
