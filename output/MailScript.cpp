#include "output/MailScript.h"

#include "app/Globals.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

QString MailScript::defaultScript()
{
    return Resource_Path + QStringLiteral("/pyth_mail.py");
}

MailScript::MailScript(QString interpreter, QString script, int timeoutMs)
    : m_interpreter(std::move(interpreter)), m_script(std::move(script)), m_timeoutMs(timeoutMs)
{
    m_environment.insert(QStringLiteral("PYTHONPATH"), QString());
    m_environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
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
    process.setProcessChannelMode(QProcess::MergedChannels);

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
    result.output = QString::fromUtf8(process.readAll());
    result.exitCode = process.exitCode();
    result.sent = !result.timedOut && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
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
