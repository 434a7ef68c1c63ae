#pragma once

// The title and message proposals of the start wizard ("Title.txt" and
// "Message.txt" in the resource folder) with the arrows that walk through
// them, and the length limits of the wizard's text fields.

#include <QString>
#include <QStringList>

class InvitationProposals
{
public:
    // The longest texts the fields keep, in characters.
    static constexpr int fromLimit = 40;
    static constexpr int toLimit = 40;
    static constexpr int venueLimit = 100;
    static constexpr int titleLimit = 100;
    static constexpr int messageLimit = 250;

    // The proposals of a UTF-8 file: the whole text trimmed, then one
    // proposal per line (inner lines as they stand). A missing or unreadable
    // file gives none.
    static QStringList readProposals(const QString& path);
    // The first `limit` characters of `text`; a character outside the basic
    // plane counts once and is never split.
    static QString cutToLength(const QString& text, int limit);

    // Reads both files again and shows the first proposal of each.
    void Load_Msg_And_Title(const QString& titlePath, const QString& messagePath);
    // Back to the first proposals.
    void resetIndexes();

    // The proposal shown; empty while there is none.
    QString Get_Title() const;
    QString Get_Message() const;

    // The arrows: next wraps from the last to the first, back from the first
    // to the last.
    void Title_Next_Click();
    void Title_Back_Click();
    void Msg_Next_Click();
    void Msg_Back_Click();

    QStringList Title_Array;
    QStringList Message_Array;
    int title_index = 0;
    int message_index = 0;
};
