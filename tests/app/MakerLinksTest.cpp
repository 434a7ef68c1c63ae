#include "app/MakerLinks.h"
#include "app/PromotedProducts.h"
#include "platform/FileOpener.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

// Decodes mail links with Python's urllib (an independent URL parser):
// for each link, its address and its query items, "+" kept literal.
QJsonArray decodeWithPython(const QStringList& links)
{
    const char* script = R"(
import json, sys, urllib.parse
out = []
for link in json.load(sys.stdin):
    parts = urllib.parse.urlsplit(link)
    items = {}
    for pair in parts.query.split("&"):
        key, _, value = pair.partition("=")
        items[urllib.parse.unquote(key, errors="strict")] = urllib.parse.unquote(value, errors="strict")
    out.append({"scheme": parts.scheme, "address": urllib.parse.unquote(parts.path),
                "fragment": parts.fragment, "items": items})
json.dump(out, sys.stdout)
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script)});
    python.write(QJsonDocument(QJsonArray::fromStringList(links)).toJson());
    python.closeWriteChannel();
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

struct LogCapture {
    LogCapture()
    {
        lines().clear();
        old = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            lines().append(text);
        });
    }
    ~LogCapture() { qInstallMessageHandler(old); }
    static QStringList& lines()
    {
        static QStringList captured;
        return captured;
    }
    QtMessageHandler old;
};

}

// Subjects and bodies with everything a URL treats specially reach the mail
// program as written; line breaks arrive as CR LF. The text's own "web-safe"
// replacement (blanks and line breaks only) would leave "&" ending the body,
// "#" starting a fragment and "+" read as a blank.
TEST(MakerLinks, MailLinksDecodeBackToTheirTextWithAnIndependentParser)
{
    const struct {
        QString subject;
        QString body;
        QString expectedBody;
    } cases[] = {
        {"Hello", "One line", "One line"},
        {"Tom & Jerry? #1 + 2 = 3", "50% off & more?\nSee #3", "50% off & more?\r\nSee #3"},
        {"User Enquiry from App: Brightfold", "Hello,\n\nI read about it.\r\nBye\r",
         "Hello,\r\n\r\nI read about it.\r\nBye\r\n"},
        {QString::fromUtf8("Café Zoë – 名刺"), QString::fromUtf8("Grüße\nñ € 😀"),
         QString::fromUtf8("Grüße\r\nñ € 😀")},
        {"a=b&subject=evil", "body=x&cc=someone@else.example", "body=x&cc=someone@else.example"},
    };
    QStringList links;
    for (const auto& c : cases) {
        const QUrl url = MakerLinks::mailLink("support@brightfold.example", c.subject, c.body);
        const QString encoded = url.toString(QUrl::FullyEncoded);
        for (QChar ch : encoded)
            EXPECT_TRUE(ch.unicode() > 32 && ch.unicode() < 127) << encoded.toStdString();
        links << encoded;
    }
    const QJsonArray decoded = decodeWithPython(links);
    ASSERT_EQ(decoded.size(), int(std::size(cases)));
    for (int i = 0; i < decoded.size(); ++i) {
        const QJsonObject link = decoded[i].toObject();
        const QJsonObject items = link["items"].toObject();
        EXPECT_EQ(link["scheme"].toString(), "mailto");
        EXPECT_EQ(link["address"].toString(), "support@brightfold.example");
        EXPECT_EQ(link["fragment"].toString(), "");
        EXPECT_EQ(items.keys(), QStringList({"body", "subject"})) << i;
        EXPECT_EQ(items["subject"].toString(), cases[i].subject) << i;
        EXPECT_EQ(items["body"].toString(), cases[i].expectedBody) << i;
    }
}

TEST(MakerLinks, EveryRoleIsAWellFormedLinkOfTheMaker)
{
    QSet<QString> seen;
    for (MakerLinks::Role role : MakerLinks::allRoles()) {
        const QUrl url = MakerLinks::link(role);
        const QString text = url.toString(QUrl::FullyEncoded);
        EXPECT_TRUE(url.isValid()) << text.toStdString();
        EXPECT_TRUE(QUrl(text, QUrl::StrictMode).isValid()) << text.toStdString();
        if (url.scheme() == "mailto") {
            EXPECT_TRUE(url.path().endsWith("@brightfold.example")) << text.toStdString();
        } else {
            EXPECT_EQ(url.scheme(), "https") << text.toStdString();
            EXPECT_TRUE(url.host().endsWith("brightfold.example")) << text.toStdString();
        }
        EXPECT_FALSE(seen.contains(text)) << "two roles share " << text.toStdString();
        seen.insert(text);
    }
    // the share pages carry the site's address as one encoded value
    const QUrlQuery share(MakerLinks::link(MakerLinks::Role::ShareTwitter));
    EXPECT_EQ(share.queryItemValue("url", QUrl::FullyDecoded), "https://www.brightfold.example/");
}

// The desktop gets the link fully encoded; an empty link and a refusal of
// the desktop are logged, never shown.
TEST(MakerLinks, OpeningHandsTheLinkOverAndLogsFailures)
{
    QStringList opened;
    bool accept = true;
    FileOpener::setHandler([&](const QString& target) {
        opened << target;
        return accept;
    });
    LogCapture log;
    EXPECT_TRUE(MakerLinks::open(MakerLinks::Role::Website1));
    EXPECT_FALSE(MakerLinks::open(QUrl()));
    accept = false;
    EXPECT_FALSE(MakerLinks::open(MakerLinks::Role::ReviewPage));
    FileOpener::setHandler({});
    EXPECT_EQ(opened, QStringList({"https://www.brightfold.example/",
                                   MakerLinks::link(MakerLinks::Role::ReviewPage).toString(QUrl::FullyEncoded)}));
    ASSERT_EQ(LogCapture::lines().size(), 2);
    EXPECT_TRUE(LogCapture::lines()[1].contains("review")) << LogCapture::lines()[1].toStdString();
}

TEST(PromotedProducts, ProductsByCodeAndTheirContactMail)
{
    const QString app = QString::fromUtf8("Brightfold & Co – Café");
    for (const QString& code : {QStringLiteral("S"), QStringLiteral("R"), QStringLiteral("B")}) {
        const auto product = PromotedProducts::product(code, app);
        ASSERT_TRUE(product) << code.toStdString();
        EXPECT_FALSE(product->title.isEmpty() || product->shortText.isEmpty() || product->longText.isEmpty());
        EXPECT_EQ(product->pictureName, "Promotion_" + code + ".png");
        const QUrlQuery contact(product->contactMail);
        EXPECT_EQ(contact.queryItemValue("subject", QUrl::FullyDecoded), "User Enquiry from App: " + app);
        EXPECT_TRUE(contact.queryItemValue("body", QUrl::FullyDecoded)
                        .contains("I read about " + product->title + " in " + app + " and I have a query."));
        EXPECT_EQ(product->howToMail.scheme(), "mailto");
        EXPECT_EQ(product->orderLink.scheme(), "https");
    }
    for (const char* other : {"", "s", "X", "SR"})
        EXPECT_FALSE(PromotedProducts::product(QString::fromLatin1(other), app)) << other;
}
