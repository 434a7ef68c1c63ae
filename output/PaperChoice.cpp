#include "output/PaperChoice.h"

void PaperChoice::printerChosen(const QPageSize& printerDefault)
{
    if (!m_chosenInPageSetup && printerDefault.isValid())
        m_paper = printerDefault;
}

void PaperChoice::pageSetupChosen(const QPageSize& paper)
{
    if (!paper.isValid())
        return;
    m_paper = paper;
    m_chosenInPageSetup = true;
}
