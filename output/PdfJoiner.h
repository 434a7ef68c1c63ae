#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// Joins PDF files into one, their pages in the order of the files: the first
// file's document (its information, catalog, page size) with the pages of
// the others added after its own. Streams are copied as they are stored,
// never decoded or compressed again, and read from the files while the
// result is written, so the pages are never all in memory at once.
class PdfJoiner
{
public:
    // Writes the joined document into `out`; false, with `error` set, when a
    // file cannot be read or a write fails. `pages`, when not null, gets the
    // number of pages written.
    static bool join(const QStringList& files, QIODevice& out, QString* error = nullptr, int* pages = nullptr);
};
