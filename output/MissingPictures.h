#pragma once

// The cards of a batch output drawn without a picture they name: how many
// cards were drawn, how many of them lacked a picture, and the first few
// of those files with the reason, in the cards' order. A plain value:
// each worker or painter keeps its own (or fills one under its own lock),
// and the batch joins them in order at its end.

#include "model/PicturePath.h"

#include <QList>
#include <QSet>
#include <QString>

#include <map>

class MissingPictures
{
public:
    // Files named by sentence(), at most.
    static constexpr int namedFiles = 3;

    // Card `card` (its place in the batch, from 0) was drawn, without the
    // pictures `missing` (none: every picture it names was drawn). Cards may
    // come in any order; each is added once.
    void addCard(int card, const QList<PicturePath::Unread>& missing = {});
    // The cards of `other` as the ones after these, their places counted on
    // from the end of these.
    void append(const MissingPictures& other);

    int cards() const { return m_cards; }
    int cardsWithout() const { return m_without; }
    bool isEmpty() const { return m_without == 0; }
    // The first files missing, in the cards' order, each once.
    QList<PicturePath::Unread> firstFiles() const;
    // "3 of 60 cards were drawn without their picture: /a/p01.png cannot be
    // found; /a/p02.png is not a readable picture; and 1 more file." Empty
    // when every card had its pictures.
    QString sentence() const;

private:
    void trim();

    int m_cards = 0;
    int m_end = 0; // one past the last place added
    int m_without = 0;
    // the first cards that lacked a picture: as many as name namedFiles files
    std::map<int, QList<PicturePath::Unread>> m_first;
    QSet<QString> m_files; // every file missing
};
