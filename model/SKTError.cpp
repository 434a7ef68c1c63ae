#include "model/SKTError.h"

const QString SKTErrorDomain = QStringLiteral("RozezeErrorDomain");

SKTError::SKTError(QString domain, long code, QString description, QString failureReason)
    : m_domain(std::move(domain))
    , m_code(code)
    , m_description(std::move(description))
    , m_failureReason(std::move(failureReason))
{
}

SKTError SKTErrorWithCode(long code)
{
    // The program has no per-code texts; every code shows the general ones.
    return SKTError(SKTErrorDomain, code,
                    QStringLiteral("Rozeze could not complete the operation because an unknown error occurred."),
                    QStringLiteral("An unknown error occurred."));
}
