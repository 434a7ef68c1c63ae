#pragma once

#include <QByteArrayView>
#include <QString>

// Whether a PDF file came out whole. A PDF writer that writes to a file by
// name does not say when the system refused some of its writes (a full
// disk), but the file tells: its cross-reference table lists where the
// writer put every object, so a piece that went missing moves what follows
// away from where the table says it is, and a cut end loses the trailer.
// Meant for files with a classic cross-reference table, as Qt writes them.
class PdfFileCheck
{
public:
    static bool isWhole(const QString& path);
    static bool isWhole(QByteArrayView pdf);
};
