#include "data/SeriesValueList.h"

#include "app/StringHelpers.h"
#include "data/SeriesStore.h"
#include "platform/FileStamp.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

QString SeriesValueList::value(int row) const
{
    return row >= 0 && row < m_values.size() ? m_values.at(row) : QString();
}

bool SeriesValueList::append(const QString& value)
{
    const QString trimmed = Trim_Str(SeriesStore::oneLine(value));
    if (trimmed.isEmpty())
        return false;
    m_values.append(trimmed);
    return true;
}

void SeriesValueList::appendRecord(const QString& value)
{
    m_values.append(Trim_Str(SeriesStore::oneLine(value)));
}

bool SeriesValueList::replace(int row, const QString& text)
{
    const QString trimmed = Trim_Str(SeriesStore::oneLine(text));
    if (trimmed.isEmpty() || row < 0 || row >= m_values.size())
        return false;
    m_values[row] = trimmed;
    return true;
}

int SeriesValueList::removeRows(const QList<int>& rows, int selectedRow)
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    // from the last, so the rows still to remove keep their numbers
    for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
        if (*it >= 0 && *it < m_values.size())
            m_values.removeAt(*it);
    }
    const int above = selectedRow - 1;
    return selectedRow > 0 && above < m_values.size() ? above : -1;
}

SeriesValueList::LoadResult SeriesValueList::load(const QString& path, bool needsWriteAccess, FileStamp* stamp)
{
    m_values.clear();
    // Only a regular file: a FIFO or a device would hold up the window.
    QFile file;
    if (!(needsWriteAccess ? RegularFile::openForReadingAndWriting(file, path)
                           : RegularFile::openForReading(file, path)))
        return LoadResult::Unreadable;
    QByteArray bytes;
    if (file.size() <= SeriesStore::maxSeriesFileBytes)
        bytes = file.read(SeriesStore::maxSeriesFileBytes + 1);
    if (file.size() > SeriesStore::maxSeriesFileBytes || bytes.size() > SeriesStore::maxSeriesFileBytes)
        return LoadResult::TooLarge;
    if (file.error() != QFileDevice::NoError)
        return LoadResult::Unreadable;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return LoadResult::Unreadable;
    m_values = SeriesStore::managerValues(text);
    if (stamp)
        *stamp = FileStamp::ofBytes(bytes);
    return LoadResult::Loaded;
}
