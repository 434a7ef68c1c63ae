#pragma once

// What the import of one series per column does, decided for every chosen
// column before any series is written. The columns of one table go into
// series together: when the series of a chosen column is bound to a card
// object of the open design, no series is written at all, since replacing
// only the others would put one guest's values beside another's on the
// same badge; the user is told every such series in one message. Otherwise
// each column is written as a new series, or replaces a stored one once the
// user agreed. Window-free: the import dialog asks and writes as planned.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ColumnSeriesPlan
{
public:
    enum class Step {
        // no series of that name: written as a new one
        Write,
        // a stored series of that name, or one an earlier column of the same
        // import writes: replaced only after the user agreed
        AskReplace,
        // the name cannot name a series file: the column is left out
        BadName,
    };
    struct Column
    {
        // the series name, cleaned; "" for a bad name
        QString name;
        Step step = Step::Write;
        bool operator==(const Column&) const = default;
    };

    using Check = std::function<bool(const QString& name)>;

    // The plan for the series names of the chosen columns (in column order,
    // as the column titles give them). `exists` tells whether a series is
    // stored, `inUse` whether a card object of the open design is bound to
    // a stored series.
    static ColumnSeriesPlan make(const QStringList& names, const Check& exists, const Check& inUse);

    // one entry per chosen column, in the order given
    QList<Column> columns;
    // the series in use, each named once, in column order
    QStringList inUse;

    // Nothing may be written: a chosen column's series is in use.
    bool refused() const { return !inUse.isEmpty(); }

    // The message naming every series in use, one per line, and what the
    // user can do about it.
    static QString inUseMessage(const QStringList& names);
    // The message of an import whose writes stopped for `reason`: the
    // series written before, those not written, or that none was. A folder
    // another program keeps locked is said as such alone.
    static QString stoppedMessage(const QStringList& written, const QStringList& notWritten, const QString& reason);
};
