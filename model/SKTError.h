#pragma once

#include <QString>

extern const QString SKTErrorDomain;   // "RozezeErrorDomain"

// An error of the card model: a plain value with a domain, a code, and the
// texts to show for it.
class SKTError
{
public:
    SKTError() = default;
    SKTError(QString domain, long code, QString description, QString failureReason);

    QString domain() const { return m_domain; }
    long code() const { return m_code; }
    QString localizedDescription() const { return m_description; }
    QString localizedFailureReason() const { return m_failureReason; }
    bool isNull() const { return m_domain.isEmpty(); }

    bool operator==(const SKTError& other) const = default;

private:
    QString m_domain;
    long m_code = 0;
    QString m_description;
    QString m_failureReason;
};

// An error of domain SKTErrorDomain with `code`. Codes in use: 2 (pasteboard
// data that is not a list of card objects) and 3 (a picture asked for
// objects whose drawing bounds are empty).
SKTError SKTErrorWithCode(long code);
