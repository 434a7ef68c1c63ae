#pragma once

// Helpers of the workbook tests: a private temporary folder (so the unpack
// folder of each test is its own), and LibreOffice and openpyxl run on files.

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace WorkbookTestSupport {

// Points the temporary folder (TMPDIR) at a fresh folder while it lives.
class ScopedTempFolder
{
public:
    ScopedTempFolder();
    ~ScopedTempFolder();
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    bool m_hadOld;
};

// Runs a program; its standard output, or a null array when it failed (the
// failure is recorded in the test).
QByteArray run(const QString& program, const QStringList& arguments);

// Converts files with LibreOffice Calc, headless with a profile of its own,
// into `outFolder` (`format` as soffice's --convert-to takes it).
bool convertWithCalc(const QStringList& files, const QString& format, const QString& outFolder);

// tests/data/workbook_tool.py run by Debian's Python.
QByteArray workbookTool(const QStringList& arguments);

// A folder of tests/fixtures/workbook.
QString fixture(const QString& name);

// Rows of a CSV text (comma, double quotes).
QList<QStringList> parseCsv(const QString& text);

}
