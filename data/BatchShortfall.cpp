#include "data/BatchShortfall.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/BatchBinding.h"

namespace {

QString counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// "60 values in the series "Guests": cards 61 to 65 will show no value from it"
QString shortLine(const BatchShortfall::Source& source, int cards)
{
    const QString kind = source.column ? QStringLiteral("column") : QStringLiteral("series");
    const int first = source.values + 1;
    const QString which = first == cards ? QStringLiteral("card %1").arg(cards)
                                         : QStringLiteral("cards %1 to %2").arg(first).arg(cards);
    return QStringLiteral("%1 in the %2 \"%3\": %4 will show no value from it")
        .arg(counted(source.values, "value", "values"), kind, shortenedText(source.name), which);
}

}

BatchShortfall::BatchShortfall(int cards, QList<Source> sources) : m_cards(cards), m_sources(std::move(sources))
{
}

BatchShortfall BatchShortfall::of(const BatchBinding& binding, const QStringList& columnTitles, int cards, bool front,
                                  bool back)
{
    QList<Source> sources;
    if (cards < 2)
        return BatchShortfall(cards, sources);
    const auto add = [&sources, cards](const Source& source) {
        if (source.values < cards && !sources.contains(source))
            sources.append(source);
    };
    const auto look = [&](const GraphicList& graphics) {
        for (const GraphicPtr& graphic : graphics) {
            if (!graphic || !BatchBinding::takesValues(*graphic))
                continue;
            if (graphic->data_source_type == 1 && (binding.useDataSheetValues || binding.onlyEmptySeries)) {
                for (const BatchBinding::Slot& slot : binding.table()) {
                    if (slot.name == graphic->batch_list_name && slot.values) {
                        add({slot.name, false, int(slot.values->size())});
                        break;
                    }
                }
            } else if (graphic->data_source_type == 2 && binding.useExcelBindingValues
                       && graphic->excel_col_indx >= 0) {
                // An object without a column shows nothing on every card.
                const int column = graphic->excel_col_indx;
                QString title = columnTitles.value(column);
                if (title.isEmpty())
                    title = QStringLiteral("Column %1").arg(column);
                add({title, true, binding.excelTableRows});
            }
        }
    };
    if (front)
        look(binding.frontGraphics());
    if (back && binding.twoSided())
        look(binding.backGraphics());
    return BatchShortfall(cards, sources);
}

QString BatchShortfall::question(const QString& action) const
{
    if (m_sources.isEmpty())
        return QString();
    const QString cards = counted(m_cards, "card", "cards");
    if (m_sources.size() == 1)
        return QStringLiteral("%1, %2. %3").arg(cards, shortLine(m_sources.first(), m_cards), action);
    QStringList lines;
    for (const Source& source : m_sources)
        lines << shortLine(source, m_cards) + QLatin1Char('.');
    return QStringLiteral("%1, but fewer values in %2 sources:\n%3\n%4")
        .arg(cards, QString::number(m_sources.size()), lines.join(QLatin1Char('\n')), action);
}

bool BatchShortfall::confirmed(const QString& action) const
{
    const QString text = question(action);
    return text.isEmpty() || Show_YES_NO_MessageBox(text) == 1;
}
