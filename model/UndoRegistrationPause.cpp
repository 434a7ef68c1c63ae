#include "model/UndoRegistrationPause.h"

#include "model/SKTDocument.h"

UndoRegistrationPause::UndoRegistrationPause(SKTDocument* document) : m_document(document)
{
    if (m_document)
        m_document->Enable_Disable_Undo_Registraion(false);
}

UndoRegistrationPause::~UndoRegistrationPause()
{
    if (m_document)
        m_document->Enable_Disable_Undo_Registraion(true);
}
