#include "mainwindow/InvitationProposals.h"

#include "app/StringHelpers.h"
#include "data/SeriesImportSources.h"

#include <QFile>

namespace {

QString proposalAt(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString("");
}

int stepped(int index, int step, qsizetype count)
{
    if (count <= 0)
        return 0;
    const int n = static_cast<int>(count);
    return ((index + step) % n + n) % n;
}

}

QStringList InvitationProposals::readProposals(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A list of a few dozen lines; a file beyond what a text import takes
    // is no list of proposals and is not read.
    if (file.size() > SeriesImportSources::maxTextFileBytes)
        return {};
    const QByteArray bytes = file.read(SeriesImportSources::maxTextFileBytes + 1);
    if (bytes.size() > SeriesImportSources::maxTextFileBytes)
        return {};
    const QString text = Trim_Str(QString::fromUtf8(bytes));
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

QString InvitationProposals::cutToLength(const QString& text, int limit)
{
    if (limit <= 0)
        return QString("");
    qsizetype units = 0;
    int characters = 0;
    while (units < text.size() && characters < limit) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size()
                          && text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
        ++characters;
    }
    return text.left(units);
}

void InvitationProposals::Load_Msg_And_Title(const QString& titlePath, const QString& messagePath)
{
    Title_Array = readProposals(titlePath);
    Message_Array = readProposals(messagePath);
    resetIndexes();
}

void InvitationProposals::resetIndexes()
{
    title_index = 0;
    message_index = 0;
}

QString InvitationProposals::Get_Title() const
{
    return proposalAt(Title_Array, title_index);
}

QString InvitationProposals::Get_Message() const
{
    return proposalAt(Message_Array, message_index);
}

void InvitationProposals::Title_Next_Click()
{
    title_index = stepped(title_index, 1, Title_Array.size());
}

void InvitationProposals::Title_Back_Click()
{
    title_index = stepped(title_index, -1, Title_Array.size());
}

void InvitationProposals::Msg_Next_Click()
{
    message_index = stepped(message_index, 1, Message_Array.size());
}

void InvitationProposals::Msg_Back_Click()
{
    message_index = stepped(message_index, -1, Message_Array.size());
}
