#include "output/BatchOutcome.h"

namespace {

// "1 of 5 cards was", "3 of 5 cards were", "0 of 1 card was"
QString doneOf(int done, int total, const char* one, const char* many)
{
    return QStringLiteral("%1 of %2 %3 %4")
        .arg(done)
        .arg(total)
        .arg(QLatin1String(total == 1 ? one : many), QLatin1String(done == 1 || total == 1 ? "was" : "were"));
}

}

QString BatchOutcome::exportFinished(int written, int records, bool stopped, const MissingPictures& pictures)
{
    // A stop that came once every card was written left nothing out.
    const bool whole = !stopped || written >= records;
    if (pictures.isEmpty()) {
        if (whole)
            return exportedMessage;
        return QStringLiteral("The export was stopped: %1 written in this folder:")
            .arg(doneOf(written, records, "card", "cards"));
    }
    const QString done = whole
        ? QStringLiteral("The cards have been exported.")
        : QStringLiteral("The export was stopped: %1 written.").arg(doneOf(written, records, "card", "cards"));
    return done + u'\n' + pictures.sentence() + QStringLiteral("\nThey are in this folder:");
}

QString BatchOutcome::finished(const QString& success, const QString& done, const MissingPictures& pictures)
{
    return pictures.isEmpty() ? success : done + QStringLiteral(", but ") + pictures.sentence();
}

QString BatchOutcome::withPictures(const QString& text, const MissingPictures& pictures)
{
    return pictures.isEmpty() ? text : text + u'\n' + pictures.sentence();
}

QString BatchOutcome::exportFailed(int written, int records, const QString& folder, const QString& reason)
{
    return QStringLiteral("The export failed: %1 written in the folder %2.\nReason: %3")
        .arg(doneOf(written, records, "card", "cards"), folder, reason);
}

QString BatchOutcome::mailStopped(int sent, int planned, int failed, const QString& reason)
{
    QString text = QStringLiteral("Sending was stopped: %1 sent.").arg(doneOf(sent, planned, "mail", "mails"));
    if (failed > 0) {
        text += QStringLiteral("\n%1 could not be sent.").arg(failed);
        if (!reason.isEmpty())
            text += QStringLiteral("\nReason: ") + reason;
    }
    return text;
}

QString BatchOutcome::printStopped(int drawn, int pages, bool cancelled)
{
    if (cancelled) {
        return QStringLiteral("Printing was stopped after %1 of %2 pages: the job was cancelled and no page was "
                              "printed.")
            .arg(drawn)
            .arg(pages);
    }
    return QStringLiteral("Printing was stopped: %1 sent to the printer.").arg(doneOf(drawn, pages, "page", "pages"));
}

QString BatchOutcome::pdfStopped(int drawn, int pages)
{
    return QStringLiteral("Saving as PDF was stopped after %1 of %2 %3: no file was written.")
        .arg(drawn)
        .arg(pages)
        .arg(QLatin1String(pages == 1 ? "page" : "pages"));
}
