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

QString BatchOutcome::exportFinished(int written, int records, bool stopped)
{
    // A stop that came once every card was written left nothing out.
    if (!stopped || written >= records)
        return exportedMessage;
    return QStringLiteral("The export was stopped: %1 written in this folder:")
        .arg(doneOf(written, records, "card", "cards"));
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
