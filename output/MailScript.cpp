#include "output/MailScript.h"

#include "app/Globals.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

namespace {

// The last line of a text that holds something, in one line of printable
// characters and of a length a message can show.
QString lastLine(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        QString line;
        for (const QChar c : *it)
            line += c.isPrint() ? c : QLatin1Char(' ');
        line = line.simplified();
        if (!line.isEmpty())
            return line.size() > 300 ? line.left(299) + QChar(0x2026) : line;
    }
    return {};
}

}

QString MailScript::defaultScript()
{
    return Resource_Path + QStringLiteral("/pyth_mail.py");
}

MailScript::MailScript(QString interpreter, QString script, int timeoutMs)
    : m_interpreter(std::move(interpreter)), m_script(std::move(script)), m_timeoutMs(timeoutMs)
{
    m_environment.insert(QStringLiteral("PYTHONPATH"), QString());
    m_environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    for (const QString& name : passedEnvironment()) {
        const QString value = qEnvironmentVariable(name.toLatin1().constData());
        if (!value.isEmpty())
            m_environment.insert(name, value);
    }
}

QStringList MailScript::passedEnvironment()
{
    return {QStringLiteral("BRIGHTFOLD_MAIL_CAFILE"), QStringLiteral("SSL_CERT_FILE"), QStringLiteral("SSL_CERT_DIR")};
}

MailScript::~MailScript() = default;
MailScript::MailScript(MailScript&&) noexcept = default;
MailScript& MailScript::operator=(MailScript&&) noexcept = default;

void MailScript::addEnvironment(const QString& name, const QString& value)
{
    m_environment.insert(name, value);
}

QStringList MailScript::arguments(const Mail& mail) const
{
    // An absent flag means STARTTLS, as loading the settings shows it.
    const QString flag = mail.enableSsl == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N");
    QStringList args {m_script,         mail.sender,  mail.server, mail.port, mail.sender,
                      mail.recipient,   mail.subject, mail.body,   flag};
    args += mail.attachments;
    return args;
}

QByteArray MailScript::standardInput(const QString& password)
{
    return password.toUtf8() + "\nDescription";
}

MailScript::Result MailScript::send(const Mail& mail) const
{
    Result result;
    QProcess process;
    process.setProgram(m_interpreter);
    process.setArguments(arguments(mail));
    process.setProcessEnvironment(m_environment);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        result.timedOut = true;
        loop.quit();
    });

    process.start();
    if (!process.waitForStarted(10000)) {
        qWarning() << "mail script could not be started:" << m_interpreter << m_script;
        result.output = process.errorString();
        result.reason = QStringLiteral("The mail program could not be started: ") + result.output;
        return result;
    }
    result.started = true;
    process.write(standardInput(mail.password));
    process.closeWriteChannel();

    timer.start(m_timeoutMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (result.timedOut) {
        process.kill();
        process.waitForFinished(5000);
    }
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    result.output = errors + QString::fromUtf8(process.readAllStandardOutput());
    result.exitCode = process.exitCode();
    result.sent = !result.timedOut && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.sent) {
        if (result.timedOut)
            result.reason = QStringLiteral("The mail server did not answer in time.");
        else if (process.exitStatus() != QProcess::NormalExit)
            result.reason = QStringLiteral("The mail program ended unexpectedly.");
        else
            result.reason = lastLine(errors);
        if (result.reason.isEmpty())
            result.reason = QStringLiteral("The mail program ended with code %1.").arg(result.exitCode);
    }
    if (!result.sent)
        qWarning() << "mail script ended without sending, exit code" << result.exitCode
                   << (result.timedOut ? "(time limit)" : "");
    return result;
}

QString MailScript::attachmentPath(const QString& baseName)
{
    if (baseName.isEmpty() || baseName == QLatin1String(".") || baseName == QLatin1String("..")
        || baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\'))
        || baseName.contains(QChar(0)))
        return {};
    if (!m_attachmentFolder) {
        // QTemporaryDir makes its folder readable by its owner alone.
        m_attachmentFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/brightfold-mail-XXXXXX"));
        if (!m_attachmentFolder->isValid()) {
            m_attachmentFolder.reset();
            return {};
        }
        QFile::setPermissions(m_attachmentFolder->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return m_attachmentFolder->filePath(baseName);
}
