#include "output/MailPlan.h"

namespace {

bool isReserved(QChar c)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    return reserved.contains(c);
}

}

bool MailPlan::isValidEmail(const QString& address)
{
    const QString text = address.trimmed();
    return text.size() >= 6 && text.count(QLatin1Char('@')) == 1 && text.contains(QLatin1Char('.'));
}

std::optional<QStringList> MailPlan::recipients(const QString& toText)
{
    const QString text = toText.trimmed().toLower();
    if (text.isEmpty())
        return std::nullopt;
    QStringList list = text.split(QLatin1Char(','));
    for (const QString& piece : list) {
        if (!isValidEmail(piece))
            return std::nullopt;
    }
    return list;
}

std::optional<QString> MailPlan::baseName(const QString& field)
{
    qsizetype begin = 0;
    qsizetype end = field.size();
    while (begin < end && isReserved(field.at(begin)))
        ++begin;
    while (end > begin && isReserved(field.at(end - 1)))
        --end;
    const QString name = field.mid(begin, end - begin).trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QChar(0)))
        return std::nullopt;
    return name;
}

QList<MailPlan::Step> MailPlan::steps(Mode mode, const QStringList& recipients, int records)
{
    QList<Step> out;
    switch (mode) {
    case Mode::Plain:
    case Mode::CurrentCard:
        for (const QString& r : recipients)
            out.append({-1, {r}});
        break;
    case Mode::EveryRecipient:
        if (!recipients.isEmpty()) {
            for (int i = 0; i < records; ++i)
                out.append({i, recipients});
        }
        break;
    case Mode::OnePerRecipient:
        for (int i = 0; i < recipients.size() && i < records; ++i)
            out.append({i, {recipients.at(i)}});
        break;
    }
    return out;
}

QString MailPlan::pairingQuestion(int cards, int addresses)
{
    if (cards <= 0 || addresses <= 0 || cards == addresses)
        return QString();
    const auto counted = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    const QString leftOut = cards > addresses
        ? counted(cards - addresses, "card", "cards") + QStringLiteral(" will not be sent")
        : counted(addresses - cards, "address", "addresses") + QStringLiteral(" will get no card");
    return QStringLiteral("%1, %2: card N goes to address N, and %3. Send?")
        .arg(counted(cards, "card", "cards"), counted(addresses, "address", "addresses"), leftOut);
}

qint64 MailPlan::pauseMilliseconds(int hours, int minutes, int seconds)
{
    return qint64(hours) * 3600000 + qint64(minutes) * 60000 + qint64(seconds) * 1000;
}

QString MailPlan::pauseText(qint64 milliseconds)
{
    const qint64 s = milliseconds / 1000;
    const qint64 hours = s / 3600;
    const qint64 minutes = (s % 3600) / 60;
    const qint64 seconds = s % 60;
    const QString h = hours < 2 ? QStringLiteral("%1 Hour ").arg(hours) : QStringLiteral("%1 Hours ").arg(hours);
    const QString m = minutes < 2 ? QStringLiteral("%1 Minute ").arg(minutes)
                                  : QStringLiteral("%1 Minutes ").arg(minutes);
    const QString sec = seconds < 2 ? QStringLiteral("%1 Second.").arg(seconds)
                                    : QStringLiteral("%1 Seconds.").arg(seconds);
    QString text = QStringLiteral("Pausing the process for ");
    if (hours >= 1)
        text += h + m + sec;
    else if (minutes < 1)
        text += sec;
    else
        text += m + sec;
    return text;
}

QString MailPlan::failureDetails(const QString& reason, int sent, int planned, bool endedByFailure)
{
    QStringList lines;
    if (!reason.isEmpty())
        lines << QStringLiteral("Reason: ") + reason;
    if (planned > 1) {
        lines << (endedByFailure ? QStringLiteral("%1 of %2 mails were sent before the failure.")
                                 : QStringLiteral("%1 of %2 mails were sent."))
                     .arg(sent)
                     .arg(planned);
    }
    return lines.join(QLatin1Char('\n'));
}
