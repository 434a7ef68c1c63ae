#pragma once

// Runs the mail script (`pyth_mail.py` of the resource folder) once per
// e-mail: the interpreter gets the script and always nine values (an absent
// one is ""), the password travels on standard input only, and the
// environment holds only PYTHONPATH (empty) and PATH, plus the program's own
// choice of trusted certificate authorities when it has one
// (BRIGHTFOLD_MAIL_CAFILE, SSL_CERT_FILE, SSL_CERT_DIR), so a mail server
// with a company's own CA can be used. A run that does not end within the
// time limit is killed and counts as not sent.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class MailScript
{
public:
    struct Mail
    {
        QString sender;
        QString password;
        QString server;
        QString port;
        QString recipient;
        QString subject;
        QString body;
        QString enableSsl;  // "Y" implicit TLS, otherwise STARTTLS ("N")
        QStringList attachments;
    };
    struct Result
    {
        bool sent = false;
        bool started = false;
        bool timedOut = false;
        int exitCode = -1;
        QString output;  // what the script wrote (standard error, then output)
        // Why the mail was not sent, in one line: the script's own reason
        // (its last line on standard error), or why it did not run or end.
        QString reason;
    };

    // The variables passed on from the program's environment when set.
    static QStringList passedEnvironment();

    static QString defaultInterpreter() { return QStringLiteral("/usr/bin/python3"); }
    // The script in `Resource_Path`.
    static QString defaultScript();

    explicit MailScript(QString interpreter = defaultInterpreter(), QString script = defaultScript(),
                        int timeoutMs = 180000);
    ~MailScript();
    MailScript(MailScript&&) noexcept;
    MailScript& operator=(MailScript&&) noexcept;

    // Adds a variable to the script's environment (trusted CA files and
    // shorter network time limits for tests).
    void addEnvironment(const QString& name, const QString& value);

    // The arguments after the interpreter, script path first.
    QStringList arguments(const Mail& mail) const;
    // Standard input: the password, a line end and "Description".
    static QByteArray standardInput(const QString& password);

    // Runs the script and waits for it; events keep being processed
    // meanwhile, so a window stays drawn.
    Result send(const Mail& mail) const;

    // A path for an attachment called `baseName` in a private folder (0700)
    // that goes with this object; "" when the name holds "/", "\" or NUL,
    // is "." or "..", or the folder cannot be made.
    QString attachmentPath(const QString& baseName);

private:
    QString m_interpreter;
    QString m_script;
    int m_timeoutMs;
    QProcessEnvironment m_environment;
    std::unique_ptr<QTemporaryDir> m_attachmentFolder;
};
