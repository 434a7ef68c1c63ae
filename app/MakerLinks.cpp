#include "app/MakerLinks.h"

#include "app/MessageBoxes.h"
#include "platform/FileOpener.h"

#include <QRegularExpression>
#include <QUrlQuery>

namespace {

const QString kSite = QStringLiteral("https://www.brightfold.example/");

// Every character but the unreserved ones (letters, digits, "-._~")
// percent-encoded from UTF-8: QUrlQuery keeps such a value as it is, where
// it would leave "?", "+" and "/" raw.
QString encodedValue(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QUrl page(const QString& path, const QList<std::pair<QString, QString>>& query = {})
{
    QUrl url(kSite + path);
    if (!query.isEmpty()) {
        QUrlQuery items;
        for (const auto& [key, value] : query)
            items.addQueryItem(key, encodedValue(value));
        url.setQuery(items);
    }
    return url;
}

// A page of the maker that shares (or likes) the maker's site on a social
// service; the service takes the address of the site.
QUrl sharePage(const QString& service, const QString& action = QStringLiteral("share"))
{
    return page(QStringLiteral("social/%1").arg(action),
                {{QStringLiteral("service"), service}, {QStringLiteral("url"), kSite}});
}

}

QList<MakerLinks::Role> MakerLinks::allRoles()
{
    QList<Role> roles;
    for (int r = int(Role::SupportMail); r <= int(Role::VideoChannel); ++r)
        roles.append(Role(r));
    return roles;
}

QString MakerLinks::domain()
{
    return QStringLiteral("brightfold.example");
}

QString MakerLinks::supportAddress()
{
    return QStringLiteral("support@") + domain();
}

QString MakerLinks::resellerAddress()
{
    return QStringLiteral("resellers@") + domain();
}

QString MakerLinks::salesAddress()
{
    return QStringLiteral("sales@") + domain();
}

QUrl MakerLinks::link(Role role)
{
    switch (role) {
    case Role::SupportMail:
        return mailLink(supportAddress(), {}, {});
    case Role::ResellerMail:
        return mailLink(resellerAddress(), QStringLiteral("Reseller partnership enquiry"),
                        QStringLiteral("Hello,\n\n"
                                       "we would like to resell Brightfold & its sister programs.\n"
                                       "Company:\n"
                                       "Country:\n"
                                       "Web site:\n\n"
                                       "Please send us the terms of your reseller programme.\n\n"
                                       "Kind regards"));
    case Role::Website1:
        return QUrl(kSite);
    case Role::Website2:
        return page(QStringLiteral("resellers/"));
    case Role::Website3:
        return QUrl(QStringLiteral("https://support.") + domain() + QLatin1Char('/'));
    case Role::ShareGooglePlus:
        return sharePage(QStringLiteral("googleplus"));
    case Role::ShareFacebook:
        return sharePage(QStringLiteral("facebook"));
    case Role::ShareTwitter:
        return sharePage(QStringLiteral("twitter"));
    case Role::FacebookLike:
        return sharePage(QStringLiteral("facebook"), QStringLiteral("like"));
    case Role::UserComments:
        return page(QStringLiteral("comments/"));
    case Role::GetItFree:
        return page(QStringLiteral("share-and-get-it-free/"));
    case Role::ReviewPage:
        return page(QStringLiteral("review/"), {{QStringLiteral("app"), QStringLiteral("Brightfold")}});
    case Role::ContactPage:
        return page(QStringLiteral("contact/"));
    case Role::VideoChannel:
        return QUrl(QStringLiteral("https://videos.") + domain() + QStringLiteral("/brightfold/"));
    }
    return {};
}

QUrl MakerLinks::mailLink(const QString& address, const QString& subject, const QString& body)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    QUrlQuery query;
    if (!subject.isEmpty())
        query.addQueryItem(QStringLiteral("subject"), encodedValue(subject));
    if (!body.isEmpty()) {
        QString lines = body;
        lines.replace(QRegularExpression(QStringLiteral("\r\n|\r|\n")), QStringLiteral("\r\n"));
        query.addQueryItem(QStringLiteral("body"), encodedValue(lines));
    }
    if (!query.isEmpty())
        url.setQuery(query);
    return url;
}

bool MakerLinks::open(const QUrl& url)
{
    if (url.isEmpty() || !url.isValid()) {
        Show_NSLog_Message(QStringLiteral("No link to open: \"%1\"").arg(url.toString()));
        return false;
    }
    if (FileOpener::openUrl(url))
        return true;
    Show_NSLog_Message(QStringLiteral("Could not open %1").arg(url.toString(QUrl::FullyEncoded)));
    return false;
}
