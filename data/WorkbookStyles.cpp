#include "data/WorkbookStyles.h"

#include "app/MessageBoxes.h"
#include "data/PackageXml.h"

#include <QHash>

namespace {

using PackageXml::attribute;
using PackageXml::child;
using PackageXml::forEachChild;
using PackageXml::hasLocalName;

uint number(const pugi::xml_attribute& a, bool* ok)
{
    return QString::fromUtf8(a.value()).trimmed().toUInt(ok);
}

void ignore(const QString& why)
{
    Show_NSLog_Message(QStringLiteral("Error: the workbook's number formats are not read, its numbers come in as "
                                      "stored: %1")
                           .arg(why));
}

// Loads a part; false, and the reason logged, for one that cannot be read.
// A missing part is no fault and is not logged.
bool load(pugi::xml_document& doc, const QString& path, bool logFaults)
{
    QString fault;
    const bool loaded = PackageXml::load(doc, path, WorkbookStyles::MaxPartBytes, &fault);
    if (!fault.isEmpty() && logFaults)
        ignore(fault);
    return loaded;
}

bool readDate1904(const QString& workbookPath)
{
    pugi::xml_document doc;
    if (!load(doc, workbookPath, false))
        return false;
    const QString flag =
        QString::fromUtf8(attribute(child(doc.document_element(), "workbookPr"), "date1904").value()).trimmed();
    return flag == QLatin1String("1") || flag == QLatin1String("true");
}

}

WorkbookStyles WorkbookStyles::read(const QString& stylesPath, const QString& workbookPath)
{
    WorkbookStyles styles;
    pugi::xml_document doc;
    if (!load(doc, stylesPath, true))
        return styles;
    const pugi::xml_node root = doc.document_element();
    if (!hasLocalName(root.name(), "styleSheet")) {
        ignore(QStringLiteral("%1 holds no style sheet").arg(stylesPath));
        return styles;
    }

    // The first code given for each id. A code past the limits is kept as a
    // null one: its cells show as General, every other cell keeps its
    // format.
    QHash<uint, QString> codes;
    qsizetype kept = 0;
    QString fault;
    forEachChild(child(root, "numFmts"), "numFmt", [&](const pugi::xml_node& numFmt) {
        bool ok = false;
        const uint id = number(attribute(numFmt, "numFmtId"), &ok);
        if (!ok || codes.contains(id))
            return true;
        QString code = QString::fromUtf8(attribute(numFmt, "formatCode").value());
        if (kept == MaxNumberFormats || code.size() > MaxCodeLength) {
            if (fault.isEmpty())
                fault = kept == MaxNumberFormats
                    ? QStringLiteral("more than %1 number formats").arg(MaxNumberFormats)
                    : QStringLiteral("a number format of more than %1 characters").arg(MaxCodeLength);
            code = QString();
        } else {
            ++kept;
        }
        codes.insert(id, code);
        return true;
    });

    QHash<uint, qint32> formatOfId;
    QList<qint32> styleFormats;
    forEachChild(child(root, "cellXfs"), "xf", [&](const pugi::xml_node& xf) {
        // Those past the number kept are counted, as General.
        ++styles.m_cellFormatCount;
        if (styleFormats.size() >= MaxCellFormats) {
            if (fault.isEmpty())
                fault = QStringLiteral("more than %1 cell formats").arg(MaxCellFormats);
            return true;
        }
        // An id that is missing or no number is General's, 0.
        bool ok = false;
        uint id = number(attribute(xf, "numFmtId"), &ok);
        if (!ok)
            id = 0;
        auto known = formatOfId.constFind(id);
        if (known == formatOfId.cend()) {
            const auto code = codes.constFind(id);
            const NumberFormat format = code != codes.cend() ? NumberFormat::fromCode(*code)
                                                             : NumberFormat::builtIn(id);
            qint32 index = -1;
            if (format.kind() != NumberFormat::Kind::General) {
                index = qint32(styles.m_formats.size());
                styles.m_formats.append(format);
            }
            known = formatOfId.insert(id, index);
        }
        styleFormats.append(*known);
        return true;
    });
    if (!fault.isEmpty())
        Show_NSLog_Message(QStringLiteral("Error: some of the workbook's number formats are not read, their cells come "
                                          "in as General: %1 holds %2")
                               .arg(stylesPath, fault));
    while (!styleFormats.isEmpty() && styleFormats.last() < 0)
        styleFormats.removeLast();
    styles.m_styleFormats = std::move(styleFormats);
    styles.m_date1904 = readDate1904(workbookPath);
    return styles;
}

const NumberFormat* WorkbookStyles::format(qsizetype style) const
{
    if (style < 0 || style >= m_styleFormats.size() || m_styleFormats[style] < 0)
        return nullptr;
    return &m_formats[m_styleFormats[style]];
}

QString WorkbookStyles::show(qsizetype style, QStringView stored) const
{
    const NumberFormat* f = format(style);
    return f ? f->show(stored, m_date1904) : NumberFormat().show(stored, m_date1904);
}

QString WorkbookStyles::showIsoDate(qsizetype style, QStringView stored) const
{
    double serial = 0;
    if (!NumberFormat::serialOfIsoDate(stored, m_date1904, serial))
        return {};
    const NumberFormat* f = format(style);
    return f ? f->show(serial, m_date1904) : NumberFormat::general(serial);
}

QString WorkbookStyles::showBoolean(qsizetype style, bool value) const
{
    const NumberFormat* f = format(style);
    if (f)
        return f->show(value ? 1.0 : 0.0, m_date1904);
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}
