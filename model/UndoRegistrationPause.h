#pragma once

// Undo registration of a document switched off for as long as the guard
// lives, and on again on every way out, an exception included. Changes made
// meanwhile record no undo step. A document that goes first is left alone.

#include <QPointer>

class SKTDocument;

class UndoRegistrationPause
{
public:
    explicit UndoRegistrationPause(SKTDocument* document);
    ~UndoRegistrationPause();
    UndoRegistrationPause(const UndoRegistrationPause&) = delete;
    UndoRegistrationPause& operator=(const UndoRegistrationPause&) = delete;

private:
    QPointer<SKTDocument> m_document;
};
