#include "mainwindow/CardSizePresets.h"

#include <array>

const QString CardSizePresets::pvcCategory = QStringLiteral("PVC Card");

namespace {

struct PresetSize {
    const char* name;
    float first;    // inches
    float second;   // inches
};

const std::array<PresetSize, 7> kPvcCards {{
    {"CR80-Credit Card Size", 3.37f, 2.13f},
    {"CR79", 3.31f, 2.06f},
    {"CR90-Over Sized", 3.62f, 2.38f},
    {"CR100-Military Size", 3.88f, 2.62f},
    {"CR50", 3.5f, 1.75f},
    {"CR60", 3.25f, 2.34f},
    {"CR70", 2.88f, 2.12f},
}};

const std::array<PresetSize, 8> kPaperCards {{
    {"Durable 1452 - Name Badge", 2.36f, 1.58f},
    {"Durable 1453 - Name Badge", 2.95f, 1.58f},
    {"Durable 1454 - Name Badge", 2.95f, 1.58f},
    {"Durable 1455 - Name Badge", 3.54f, 2.13f},
    {"Durable 1456 - Name Badge", 3.54f, 2.36f},
    {"Durable 1457 - Name Badge", 2.36f, 3.54f},
    {"Durable 1458 - Name Badge", 3.94f, 4.09f},
    {"Durable 1459 - Name Badge", 5.91f, 4.96f},
}};

template <std::size_t N>
QStringList namesOf(const std::array<PresetSize, N>& table)
{
    QStringList names;
    for (const PresetSize& p : table)
        names.append(QString::fromLatin1(p.name));
    return names;
}

float inchesToMillimetres(float inches)
{
    return static_cast<float>(static_cast<double>(inches) * 25.4);
}

}

QStringList CardSizePresets::pvcCardNames()
{
    return namesOf(kPvcCards);
}

QStringList CardSizePresets::paperCardNames()
{
    return namesOf(kPaperCards);
}

QStringList CardSizePresets::namesForCategory(const QString& category)
{
    return category == pvcCategory ? pvcCardNames() : paperCardNames();
}

QSizeF CardSizePresets::Get_My_card_Size(const QString& category, const QString& preset, int list_index)
{
    const PresetSize* row = nullptr;
    if (category == pvcCategory) {
        if (list_index >= 0 && list_index < int(kPvcCards.size()))
            row = &kPvcCards[std::size_t(list_index)];
    } else if (list_index >= 0 && list_index < int(kPaperCards.size())) {
        row = &kPaperCards[std::size_t(list_index)];
    }
    if (!row)
        return QSizeF(30, 30);

    const float first = inchesToMillimetres(row->first);
    const float second = inchesToMillimetres(row->second);
    if (preset == QLatin1String("V"))
        return QSizeF(second, first);
    return QSizeF(first, second);
}
