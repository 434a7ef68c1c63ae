#pragma once

// What a batch output says when it ends: the words of a batch that ran to
// its end, and of one stopped part way, which says that it stopped and how
// much was done, never that it succeeded. Window-free: the export, print
// and mail windows show these texts.

#include "output/MissingPictures.h"

#include <QString>

class BatchOutcome
{
public:
    static inline const QString exportedMessage = QStringLiteral("Card has been exported successfully.");

    // The export-finished box's text after a batch picture export that wrote
    // `written` of `records` cards into the folder the box names below it;
    // a batch stopped after its last card was written is a whole one. Cards
    // drawn without a picture they name are told of before the folder.
    static QString exportFinished(int written, int records, bool stopped, const MissingPictures& pictures = {});
    // A batch picture export that failed after `written` of `records` cards
    // were written into `folder`, for `reason` (the file, and the system's
    // words for what went wrong).
    static QString exportFailed(int written, int records, const QString& folder, const QString& reason);
    // A batch that ran to its end: `success` when every card had its
    // pictures, else `done`, ", but " and the cards drawn without them.
    static QString finished(const QString& success, const QString& done, const MissingPictures& pictures);
    // `text` (a stopped or failed batch's), then the cards drawn without a
    // picture on a line of their own when there are any.
    static QString withPictures(const QString& text, const MissingPictures& pictures);
    // A mail send stopped after `sent` of `planned` mails went out;
    // `failed` of them could not be sent, the last one for `reason`.
    static QString mailStopped(int sent, int planned, int failed, const QString& reason);
    // A print job stopped after `drawn` of `pages` pages were drawn: when
    // the job was `cancelled` nothing reaches the printer, else the pages
    // drawn were handed to it.
    static QString printStopped(int drawn, int pages, bool cancelled);
    // Save as PDF stopped after `drawn` of `pages` pages were drawn; the
    // file is written only whole, so nothing was.
    static QString pdfStopped(int drawn, int pages);
};
