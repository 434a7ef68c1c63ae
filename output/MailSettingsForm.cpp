#include "output/MailSettingsForm.h"

#include "app/StringHelpers.h"

bool MailSettingsForm::isValidEmail(const QString& text)
{
    const QString s = Trim_Str(text);
    if (s.size() < 6)
        return false;
    return s.count(QLatin1Char('@')) == 1 && s.contains(QLatin1Char('.'));
}

MailSettingsForm::Problem MailSettingsForm::Check_Validation(bool withRecipient) const
{
    if (sender.isEmpty())
        return {Field::Sender, QStringLiteral("Please enter sender E-mail.")};
    if (!isValidEmail(sender.toLower()))
        return {Field::Sender, QStringLiteral("Please enter valid sender E-mail address.")};
    if (password.isEmpty())
        return {Field::Password, QStringLiteral("Please enter password.")};
    if (server.isEmpty())
        return {Field::Server, QStringLiteral("Please enter SMTP server.")};
    if (port.isEmpty())
        return {Field::Port, QStringLiteral("Please enter port number.")};
    if (withRecipient) {
        if (recipient.isEmpty())
            return {Field::Recipient, QStringLiteral("Please enter recipient E-mail address.")};
        if (!isValidEmail(recipient.toLower()))
            return {Field::Recipient, QStringLiteral("Please enter valid recipient E-mail address.")};
    }
    return {};
}
