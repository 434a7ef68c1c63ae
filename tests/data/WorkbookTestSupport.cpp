#include "data/WorkbookTestSupport.h"

#include "data/SSZipArchive.h"

#include <QDir>
#include <QFile>
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

QByteArray run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
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

QByteArray inlineWorkbook(const QList<QPair<QString, int>>& tabs, const QList<QStringList>& sheets)
{
    QByteArray list;
    for (qsizetype t = 0; t < tabs.size(); ++t)
        list += QStringLiteral(R"(<sheet name="%1" sheetId="%2" r:id="rId%3"/>)")
                    .arg(tabs[t].first.toHtmlEscaped())
                    .arg(t + 1)
                    .arg(tabs[t].second)
                    .toUtf8();
    QByteArray relationships;
    for (qsizetype s = 1; s <= sheets.size(); ++s)
        relationships += QStringLiteral(R"(<Relationship Id="rId%1" Target="worksheets/sheet%1.xml" )"
                                        R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
                                        R"(relationships/worksheet"/>)")
                             .arg(s)
                             .toUtf8();
    QTemporaryDir made;
    const QString path = made.filePath(QStringLiteral("book.xlsx"));
    SSZipArchive zip(path);
    bool written = zip.open()
        && zip.writeData(R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                         R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
                             + list + "</sheets></workbook>",
                         QStringLiteral("xl/workbook.xml"))
        && zip.writeData(R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                             + relationships + "</Relationships>",
                         QStringLiteral("xl/_rels/workbook.xml.rels"));
    for (qsizetype s = 0; s < sheets.size() && written; ++s) {
        QByteArray rows;
        for (qsizetype r = 0; r < sheets[s].size(); ++r)
            rows += QStringLiteral(R"(<row r="%1"><c r="A%1" t="inlineStr"><is><t>%2</t></is></c></row>)")
                        .arg(r + 1)
                        .arg(sheets[s][r].toHtmlEscaped())
                        .toUtf8();
        written = zip.writeData(R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                                "<sheetData>"
                                    + rows + "</sheetData></worksheet>",
                                QStringLiteral("xl/worksheets/sheet%1.xml").arg(s + 1));
    }
    written = zip.close() && written;
    QFile file(path);
    EXPECT_TRUE(written && file.open(QIODevice::ReadOnly));
    return file.readAll();
}
}
