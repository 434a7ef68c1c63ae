#include "output/MissingPictures.h"

#include <QStringList>

#include <algorithm>

void MissingPictures::addCard(int card, const QList<PicturePath::Unread>& missing)
{
    ++m_cards;
    m_end = std::max(m_end, card + 1);
    if (missing.isEmpty())
        return;
    ++m_without;
    for (const PicturePath::Unread& file : missing)
        m_files.insert(file.path);
    m_first[card] = missing;
    trim();
}

void MissingPictures::append(const MissingPictures& other)
{
    const int offset = m_end;
    for (const auto& [card, missing] : other.m_first)
        m_first[offset + card] = missing;
    m_cards += other.m_cards;
    m_end = offset + other.m_end;
    m_without += other.m_without;
    m_files.unite(other.m_files);
    trim();
}

void MissingPictures::trim()
{
    // the cards after the one that completes the named files name no more
    QSet<QString> named;
    for (auto it = m_first.begin(); it != m_first.end(); ++it) {
        for (const PicturePath::Unread& file : it->second)
            named.insert(file.path);
        if (named.size() >= namedFiles) {
            m_first.erase(std::next(it), m_first.end());
            return;
        }
    }
}

QList<PicturePath::Unread> MissingPictures::firstFiles() const
{
    QList<PicturePath::Unread> files;
    QSet<QString> named;
    for (const auto& [card, missing] : m_first) {
        for (const PicturePath::Unread& file : missing) {
            if (files.size() < namedFiles && !named.contains(file.path)) {
                named.insert(file.path);
                files.append(file);
            }
        }
    }
    return files;
}

QString MissingPictures::sentence() const
{
    if (isEmpty())
        return {};
    const bool one = m_without == 1 || m_cards == 1;
    const QString text = QStringLiteral("%1 of %2 %3 drawn without %4 picture: ")
                             .arg(QString::number(m_without), QString::number(m_cards),
                                  QLatin1String(m_cards == 1 ? "card" : "cards")
                                      + QLatin1String(one ? " was" : " were"),
                                  QLatin1String(one ? "its" : "their"));
    QStringList parts;
    const QList<PicturePath::Unread> files = firstFiles();
    for (const PicturePath::Unread& file : files)
        parts << file.path + u' ' + file.reason;
    const qsizetype more = m_files.size() - files.size();
    if (more > 0)
        parts << QStringLiteral("and %1 more %2").arg(more).arg(QLatin1String(more == 1 ? "file" : "files"));
    return text + parts.join(QStringLiteral("; ")) + u'.';
}
