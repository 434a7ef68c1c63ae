#pragma once

// The common ground of the windows that lead the user to the maker (help,
// review, share, promotion): the dialog background, buttons styled as links,
// and a modal run that tests can answer instead of a person.

#include "mainwindow/DialogFrame.h"

class QLabel;
class QPushButton;

class LinkDialog : public DialogFrame, public ModalRunSeam<LinkDialog>
{
    Q_OBJECT

public:
    explicit LinkDialog(QWidget* parent = nullptr);

    // Runs the window modally and takes it off the screen afterwards;
    // answers the modal result (0 when the window was closed).
    int runModal() { return runAndHide(*this); }
    // setModalRun() replaces the modal run of every such window.

    // A button drawn as a link: its title in bold 11 pt blue underlined
    // type on the dialog background, with the open-hand cursor.
    static QPushButton* makeLinkButton(const QString& title, const QString& objectName, QWidget* parent);
    static void styleAsLink(QPushButton& button);
    // The blue of link titles.
    static QColor linkColour();

    // The window's heading: `text` in bold type `extraPoints` larger than
    // the window's own.
    QLabel* makeHeading(const QString& text, int extraPoints);
};
