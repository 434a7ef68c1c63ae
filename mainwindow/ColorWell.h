#pragma once

// A colour well: a button showing a colour; clicking it lets the user pick
// another. The colour keeps the form it was given in (colour space and
// components) until the user picks a new one.

#include "platform/Colour.h"

#include <QToolButton>

class ColorWell : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorWell(QWidget* parent = nullptr);

    Colour colour() const { return m_colour; }
    // Shows `colour`; tells nobody.
    void setColour(const Colour& colour);

signals:
    // The user picked a colour.
    void colourChosen(const Colour& colour);

private:
    void pick();
    void showColour();

    Colour m_colour = Colour::white();
};
