#pragma once

// The common ground of the windows that lead the user to the maker (help,
// review, share, promotion): the dialog background, buttons styled as links,
// and a modal run that tests can answer instead of a person.

#include <QDialog>

#include <functional>

class QPushButton;

class LinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LinkDialog(QWidget* parent = nullptr);

    // Runs the window modally and takes it off the screen afterwards;
    // answers the modal result (0 when the window was closed).
    int runModal();

    // Replaces the modal run of every such window (tests answer instead);
    // an empty function brings back the real run.
    using ModalRun = std::function<int(LinkDialog&)>;
    static void setModalRun(ModalRun run);

    // A button drawn as a link: its title in bold 11 pt blue underlined
    // type on the dialog background, with the open-hand cursor.
    static QPushButton* makeLinkButton(const QString& title, const QString& objectName, QWidget* parent);
    static void styleAsLink(QPushButton& button);
    // The blue of link titles.
    static QColor linkColour();
};
