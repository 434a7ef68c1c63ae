#pragma once

// The values of the mail settings dialog and their checks, apart from the
// window: the address rule (shared with the mail window) and the order in
// which the fields are checked.

#include <QString>

class MailSettingsForm
{
public:
    enum class Field { None, Sender, Password, Server, Port, Recipient };
    struct Problem
    {
        Field field = Field::None;
        QString message;
    };

    QString recipient;
    QString sender;
    QString password;
    QString server;
    QString port;
    bool ssl = false;  // implicit TLS; otherwise STARTTLS

    // Trimmed, at least 6 characters, exactly one "@" and at least one ".".
    static bool isValidEmail(const QString& text);

    // The first field that fails, in the dialog's order, with its message;
    // Field::None when all pass. Emptiness is judged on the text as typed;
    // the addresses are judged lowercased.
    Problem Check_Validation(bool withRecipient) const;

    // "Y" for implicit TLS, "N" for STARTTLS.
    QString securityFlag() const { return ssl ? QStringLiteral("Y") : QStringLiteral("N"); }
};
