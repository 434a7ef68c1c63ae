#pragma once

#include "barcodes/Pdf417Symbol.h"
#include "platform/Picture.h"

#include <QSizeF>
#include <QString>

// Draws PDF417 symbols into pictures: the module grid stretched over a frame
// given in points, at a given resolution, without smoothing, dark modules
// black on white. Needs no window; safe on any thread. An instance is the
// barcode designer's PDF417 symbol: it keeps the error level chosen there.
class Pdf417Picture
{
public:
    // What a text gave; the numbers match the states a symbol view shows.
    enum class State {
        Ready = 0,          // a picture was made
        NothingToShow = 1,  // the text was empty
        Failed = 2          // the text cannot be encoded, or no picture could be made
    };

    // The symbol over sizeInPoints, in ceil(dpi x points / 72) pixels; the
    // picture keeps sizeInPoints as its size. Null when the symbol, the size
    // or the resolution is empty.
    static Picture draw(const Pdf417Symbol& symbol, QSizeF sizeInPoints, int dpi);

    // Encodes text at the given error level and draws it. A text that cannot
    // be encoded gives a null picture, never an earlier one.
    static Picture make(const QString& text, int errorLevel, QSizeF sizeInPoints, int dpi,
                        State* state = nullptr);

    // The error level the symbol is encoded with, 0 to 8 (2 at first); a
    // level outside that range is taken as the nearest one. The new level is
    // logged.
    void setErrorLevel(int level);
    int getErrorLevel() const { return m_errorLevel; }

private:
    int m_errorLevel = 2;
};
