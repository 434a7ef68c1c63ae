#pragma once

// A batch with more cards than a source it draws from has values: the cards
// past the end of a series or of the spreadsheet's columns show no value
// from it. Worked out from a checked binding before any card of a batch is
// drawn, so that print, export and mail can ask first. Window-free.

#include <QList>
#include <QString>
#include <QStringList>

class BatchBinding;

class BatchShortfall
{
public:
    // A series or spreadsheet column with fewer values than cards.
    struct Source
    {
        QString name; // the series' name or the column's title
        bool column = false;
        int values = 0;
        bool operator==(const Source&) const = default;
    };

    BatchShortfall() = default;
    BatchShortfall(int cards, QList<Source> sources);

    // The sources in use in `binding` (its flags as the output chose them)
    // that objects of the drawn sides take values from, with fewer values
    // than `cards`: the front when `front`, the back when `back` and the card
    // is two-sided. A series counts its records (empty ones too), a column
    // the table's rows; `columnTitles` name the columns. A bound series that
    // is empty counts with no values, though it gives the batch no record.
    // A series whose file was not read is none. Nothing for fewer than two
    // cards.
    static BatchShortfall of(const BatchBinding& binding, const QStringList& columnTitles, int cards, bool front,
                             bool back);

    int cards() const { return m_cards; }
    const QList<Source>& sources() const { return m_sources; }
    bool isEmpty() const { return m_sources.isEmpty(); }

    // The question asked before the batch, ending with `action` ("Print?"):
    // "65 cards, 60 values in the series "Guests": cards 61 to 65 will show
    // no value from it. Print?", one line per source when several fall
    // short. Empty when nothing does.
    QString question(const QString& action) const;
    // Asks the question through the message boxes; true when the batch may
    // start (nothing falls short, or the user answered Yes).
    bool confirmed(const QString& action) const;

private:
    int m_cards = 0;
    QList<Source> m_sources;
};
