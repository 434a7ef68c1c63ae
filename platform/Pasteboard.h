#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QMimeData;

// The general pasteboard: what Copy puts and Paste takes, as MIME formats.
// The program talks to the one pasteboard that is installed; by default that
// is the system clipboard (SystemPasteboard), and tests install a
// MemoryPasteboard. Used on the GUI thread only.
//
// Contents put through setContents() carry a mark of their own, so that a
// reader can tell new contents from contents it has seen: changeCount() moves
// on whenever the mark on the pasteboard differs from the one seen last.
// Contents from other programs carry no mark and count as one kind of
// contents.
class Pasteboard
{
public:
    virtual ~Pasteboard() = default;

    // The contents now; null when the pasteboard is empty. Valid until the
    // contents change.
    virtual const QMimeData* mimeData() const = 0;
    // Empties the pasteboard.
    virtual void clear() = 0;

    // Puts `data` (taken over) on the pasteboard in place of what was there,
    // marked as new contents.
    void setContents(QMimeData* data);
    // Empties the pasteboard when what it holds was put there by this
    // program (its last setContents); contents of other programs, and of
    // other running copies of this one, stay.
    void clearOwnContents();

    // A number that changes whenever new contents are on the pasteboard.
    qint64 changeCount();

    // The first of `types` that the contents offer; "" when none.
    QString availableTypeFromArray(const QStringList& types) const;
    // The data of `type`; empty when the contents do not offer it.
    QByteArray dataForType(const QString& type) const;

    // The format carrying the mark of new contents.
    static const QString changeMarkType;   // "application/x-brightfold-pasteboard-change"

    // The installed pasteboard.
    static Pasteboard& general();
    // Installs `pasteboard` (not owned; it must outlive its use). nullptr
    // brings back the system clipboard.
    static void install(Pasteboard* pasteboard);

protected:
    // Replaces the contents with `data`, which the pasteboard takes over.
    virtual void putMimeData(QMimeData* data) = 0;

private:
    QByteArray m_lastMark;
    QByteArray m_putMark;
    qint64 m_changeCount = 0;
};
