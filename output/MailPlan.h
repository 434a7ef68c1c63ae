#pragma once

// What a mail send does, as plain values: the recipients of the To text,
// the attachments' base name, the steps of a run (which record goes to
// which recipients) and the pause text. Window-free.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct MailPlan
{
    // How a send picks its cards.
    enum class Mode {
        Plain,          // no card; at most one file chosen by the user
        CurrentCard,    // the card on screen, drawn once
        EveryRecipient, // each record to every recipient
        OnePerRecipient // record N to recipient N
    };

    // One step of a run: `record` (-1 outside batch modes) goes to each of
    // `recipients`, in order.
    struct Step
    {
        int record = -1;
        QStringList recipients;
        bool operator==(const Step&) const = default;
    };

    // The address rule: trimmed, at least 6 characters, exactly one "@" and
    // at least one ".".
    static bool isValidEmail(const QString& address);

    // The recipients of a To text: trimmed, lowercased, split at ",", each
    // piece kept as written. Nothing when the text is empty or any piece
    // fails the address rule (a trailing comma included).
    static std::optional<QStringList> recipients(const QString& toText);

    // The base name of the attachments: reserved characters stripped from
    // both ends, then blanks. Nothing when that leaves an empty name, a
    // name with a path separator or NUL, or "." or "..".
    static std::optional<QString> baseName(const QString& field);

    // The steps of a run: one per recipient, except in EveryRecipient mode,
    // one per record. In OnePerRecipient mode the run ends with the records.
    static QList<Step> steps(Mode mode, const QStringList& recipients, int records);

    // One card per recipient pairs card N with address N, so when the two
    // counts differ the cards or addresses past the shorter list are left
    // out. The question asked before such a run: "30 cards, 29 addresses:
    // card N goes to address N, and 1 card will not be sent. Send?" (or
    // "..., and 1 address will get no card. Send?"). Empty when there is
    // nothing to ask: the counts agree, or there is no card to send.
    static QString pairingQuestion(int cards, int addresses);

    // The pause in milliseconds.
    static qint64 pauseMilliseconds(int hours, int minutes, int seconds);
    // "Pausing the process for ..." for `milliseconds`.
    static QString pauseText(qint64 milliseconds);

    // The lines that follow the failure text: the reason the mail server or
    // the mail program gave (when known), and for a run of several mails how
    // many of them went out, so the user knows who already has theirs.
    static QString failureDetails(const QString& reason, int sent, int planned, bool endedByFailure);
};
