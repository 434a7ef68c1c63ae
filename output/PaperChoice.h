#pragma once

#include <QPageSize>

// The paper of one print: what the print window shows and what its job
// carries. Choosing a printer takes that printer's default paper, unless the
// user chose a paper in the page setup of this print; that choice then stays
// whatever printer is chosen after it. A printer whose default paper the
// print system does not say keeps the paper there is. Each opening of the
// print window starts a new print, with no page-setup choice.
class PaperChoice
{
public:
    // A new print: the page-setup choice of the last one is forgotten; the
    // paper stays until a printer or a page setup gives another.
    void startPrint() { m_chosenInPageSetup = false; }
    // The printer whose default paper is `printerDefault` (invalid when the
    // print system names none) was chosen.
    void printerChosen(const QPageSize& printerDefault);
    // The user accepted `paper` in the page setup.
    void pageSetupChosen(const QPageSize& paper);

    // The paper of the print; invalid before any printer or page setup gave one.
    QPageSize paper() const { return m_paper; }
    bool chosenInPageSetup() const { return m_chosenInPageSetup; }

private:
    QPageSize m_paper;
    bool m_chosenInPageSetup = false;
};
