#include "model/SKTDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {
// Reads a property list with Python's plistlib and describes its structure.
QJsonObject describeWithPlistlib(const QByteArray& data)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("document.plist");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(data);
    f.close();

    const char* script = R"(
import json, plistlib, sys
with open(sys.argv[1], 'rb') as f:
    raw = f.read()
p = plistlib.loads(raw, fmt=plistlib.FMT_BINARY)
print(json.dumps({
    'binary': raw.startswith(b'bplist00'),
    'keys': sorted(p.keys()),
    'version': p['version'],
    'versionIsInt': type(p['version']) is int,
    'graphics': [type(g).__name__ for g in p['graphics']],
    'printInfo': type(p['printInfo']).__name__,
}))
)";
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return {{"error", QString::fromLocal8Bit(python.readAllStandardError())}};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
}

TEST(SKTDocumentData, OwnTypeIsABinaryPropertyListOfVersionTwo)
{
    SKTDocument doc;
    doc.insertGraphics({std::make_shared<SKTGraphic>(), std::make_shared<SKTGraphic>(),
                        std::make_shared<SKTGraphic>()},
                       IndexSet::range(0, 3));
    doc.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {std::make_shared<SKTGraphic>()}, IndexSet(0));

    for (const QString& type : {SKTDocumentNewTypeName, SKTDocumentOldTypeName}) {
        SKTError error;
        const QByteArray data = doc.dataOfType(type, &error);
        EXPECT_TRUE(error.isNull());
        const QJsonObject d = describeWithPlistlib(data);
        ASSERT_FALSE(d.contains("error")) << d.value("error").toString().toStdString();
        EXPECT_TRUE(d.value("binary").toBool());
        EXPECT_EQ(d.value("keys").toVariant().toStringList(), QStringList({"graphics", "printInfo", "version"}));
        EXPECT_EQ(d.value("version").toInt(), 2);
        EXPECT_TRUE(d.value("versionIsInt").toBool());
        // One archive per front object; the back side is not part of it.
        EXPECT_EQ(d.value("graphics").toVariant().toStringList(), QStringList({"bytes", "bytes", "bytes"}));
        EXPECT_EQ(d.value("printInfo").toString(), QStringLiteral("bytes"));
    }
}

TEST(SKTDocumentData, EmptyDocumentHasAnEmptyGraphicsArray)
{
    SKTDocument doc;
    const QJsonObject d = describeWithPlistlib(doc.dataOfType(SKTDocumentNewTypeName));
    EXPECT_EQ(d.value("version").toInt(), 2);
    EXPECT_TRUE(d.value("graphics").toArray().isEmpty());
}

TEST(SKTDocumentData, OtherTypesAreRefused)
{
    SKTDocument doc;
    EXPECT_THROW(doc.dataOfType(QStringLiteral("public.plain-text")), std::invalid_argument);
}

TEST(SKTDocumentData, ErrorsCarryDomainCodeAndTexts)
{
    for (long code : {2L, 3L, 99L}) {
        const SKTError e = SKTErrorWithCode(code);
        EXPECT_EQ(e.domain(), QStringLiteral("RozezeErrorDomain"));
        EXPECT_EQ(e.code(), code);
        EXPECT_EQ(e.localizedDescription(),
                  QStringLiteral("Rozeze could not complete the operation because an unknown error occurred."));
        EXPECT_EQ(e.localizedFailureReason(), QStringLiteral("An unknown error occurred."));
    }
}
