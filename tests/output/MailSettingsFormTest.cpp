#include "output/MailSettingsForm.h"

#include <gtest/gtest.h>

namespace {

TEST(MailSettingsForm, AddressRule)
{
    const struct
    {
        const char* text;
        bool valid;
    } cases[] = {
        {"a@b.c", false},          // five characters
        {"ab@c.d", true},          // six
        {"  ab@c.d \n", true},     // blanks around are trimmed first
        {"abc@de", false},         // no "."
        {"a@b@c.d", false},        // two "@"
        {"a.b@cde", true},         // the "." may come before the "@"
        {"", false},
        {"      ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MailSettingsForm::isValidEmail(QString::fromUtf8(c.text)), c.valid) << c.text;
}

// The fields are checked in the dialog's order and the first failure wins.
TEST(MailSettingsForm, ValidationOrderAndMessages)
{
    using F = MailSettingsForm::Field;
    MailSettingsForm ok;
    ok.sender = "Me@Example.ORG";
    ok.password = "   ";  // blanks are a password
    ok.server = "smtp.example.org";
    ok.port = "587";
    ok.recipient = "You@Example.net";
    const struct
    {
        const char* name;
        std::function<void(MailSettingsForm&)> change;
        bool withRecipient;
        F field;
        const char* message;
    } cases[] = {
        {"valid", [](MailSettingsForm&) {}, true, F::None, ""},
        {"no sender", [](MailSettingsForm& f) { f.sender.clear(); f.password.clear(); }, true, F::Sender,
         "Please enter sender E-mail."},
        {"bad sender", [](MailSettingsForm& f) { f.sender = "me@example"; }, true, F::Sender,
         "Please enter valid sender E-mail address."},
        {"no password", [](MailSettingsForm& f) { f.password.clear(); f.server.clear(); }, true, F::Password,
         "Please enter password."},
        {"no server", [](MailSettingsForm& f) { f.server.clear(); }, true, F::Server, "Please enter SMTP server."},
        {"no port", [](MailSettingsForm& f) { f.port.clear(); }, true, F::Port, "Please enter port number."},
        {"no recipient for saving", [](MailSettingsForm& f) { f.recipient.clear(); }, false, F::None, ""},
        {"no recipient for the test", [](MailSettingsForm& f) { f.recipient.clear(); }, true, F::Recipient,
         "Please enter recipient E-mail address."},
        {"bad recipient", [](MailSettingsForm& f) { f.recipient = "a@@b.cd"; }, true, F::Recipient,
         "Please enter valid recipient E-mail address."},
    };
    for (const auto& c : cases) {
        MailSettingsForm f = ok;
        c.change(f);
        const MailSettingsForm::Problem p = f.Check_Validation(c.withRecipient);
        EXPECT_EQ(p.field, c.field) << c.name;
        EXPECT_EQ(p.message, QString::fromUtf8(c.message)) << c.name;
    }
}

}
