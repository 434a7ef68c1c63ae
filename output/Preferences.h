#pragma once

// The stored mail settings: a property-list dictionary of strings in the file
// "com.vesk.card.plist" of the resource folder. Every store object reads the
// file when it is made and writes it only when flushed. The file holds the
// account password, so it is readable and writable by its owner alone. It is
// always replaced whole, never written through a symbolic link.

#include <QMap>
#include <QString>

#include <memory>
#include <optional>

// Keys of the settings file.
extern const QString send_email_SenderEmailKey;   // "SendEmailSender"
extern const QString send_email_PasswordKey;      // "SendEmailPwd"
extern const QString send_email_SMTP_serverKey;   // "SendEmailSMTP"
extern const QString send_email_PORT_numKey;      // "SendEmailPORT"
extern const QString send_email_RecipientKey;     // "SendEmailRecipient"
extern const QString send_email_Enable_SSLkey;    // "SendEnableSSL"

class Preferences
{
public:
    // A new store on every call, read afresh from the settings file of
    // `Resource_Path`; no store is shared between callers.
    static std::unique_ptr<Preferences> sharedInstance();

    // The settings file of a resource folder.
    static QString settingsFilePath(const QString& resourceFolder);

    // Reads the settings at `path`. When the file is missing, empty, no
    // regular file, or holds no dictionary that can be read safely (one
    // nested very deep, a text or key with a NUL character), an empty file
    // is put there (replacing what was there, but not what a link there
    // points to) and the store starts from the defaults: recipient, sender,
    // password, server and port "", the security flag absent. A file that
    // others may read or write is made private (0600) first, unless the
    // path is a symbolic link, whose target is not changed.
    explicit Preferences(const QString& path);

    QString path() const { return mPreferencesPath; }

    // The stored text of a key; nothing when the key was never stored (or
    // holds something other than text).
    std::optional<QString> send_email_SenderEmail() const { return value(send_email_SenderEmailKey); }
    std::optional<QString> send_email_Password() const { return value(send_email_PasswordKey); }
    std::optional<QString> send_email_SMTP_server() const { return value(send_email_SMTP_serverKey); }
    std::optional<QString> send_email_PORT_num() const { return value(send_email_PORT_numKey); }
    std::optional<QString> send_email_Recipient() const { return value(send_email_RecipientKey); }
    // "Y" for SSL, "N" for TLS
    std::optional<QString> send_email_enable_ssl() const { return value(send_email_Enable_SSLkey); }

    // Store a value in memory only.
    void setsend_email_SenderEmail(const QString& v) { mDict.insert(send_email_SenderEmailKey, v); }
    void setsend_email_Password(const QString& v) { mDict.insert(send_email_PasswordKey, v); }
    void setsend_email_SMTP_server(const QString& v) { mDict.insert(send_email_SMTP_serverKey, v); }
    void setsend_email_PORT_num(const QString& v) { mDict.insert(send_email_PORT_numKey, v); }
    void setsend_email_Recipient(const QString& v) { mDict.insert(send_email_RecipientKey, v); }
    void setsend_email_enable_ssl(const QString& v) { mDict.insert(send_email_Enable_SSLkey, v); }

    // The in-memory defaults (the security flag is left as it is).
    void setDefaults();

    // Writes every setting to the file as an XML property list, replacing
    // the file in one step (a failed write leaves the old file); false, with
    // the reason in `error`, when it could not be written.
    bool flush(QString* error = nullptr) const;

private:
    std::optional<QString> value(const QString& key) const;
    // Puts an empty settings file at the path.
    void createEmptyFile() const;

    QString mPreferencesPath;
    QMap<QString, QString> mDict;
};
