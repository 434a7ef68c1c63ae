#include "data/WorkbookTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QUuid>
#include <gtest/gtest.h>

namespace WorkbookTestSupport {

ScopedTempFolder::ScopedTempFolder()
    : m_old(qgetenv("TMPDIR")), m_hadOld(qEnvironmentVariableIsSet("TMPDIR"))
{
    qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
}

ScopedTempFolder::~ScopedTempFolder()
{
    if (m_hadOld)
        qputenv("TMPDIR", m_old);
    else
        qunsetenv("TMPDIR");
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(u' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        process.kill();
        return {};
    }
    QByteArray out = process.readAllStandardOutput();
    if (out.isNull())
        out = "";
    return out;
}

bool convertWithCalc(const QStringList& files, const QString& format, const QString& outFolder)
{
    QTemporaryDir profile;
    QStringList arguments {QStringLiteral("--headless"),
                           QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                           QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), outFolder};
    arguments += files;
    return !run(QStringLiteral("soffice"), arguments).isNull();
}

QByteArray workbookTool(const QStringList& arguments)
{
    return run(QStringLiteral("/usr/bin/python3"),
               QStringList {QStringLiteral(TEST_SOURCE_DIR "/data/workbook_tool.py")} + arguments);
}

QString fixture(const QString& name)
{
    return QStringLiteral(TEST_SOURCE_DIR "/fixtures/workbook/") + name;
}

QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
            any = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

}
