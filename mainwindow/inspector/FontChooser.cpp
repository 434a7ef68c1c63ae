#include "mainwindow/inspector/FontChooser.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace {

FontChooser::Handler& handler()
{
    static FontChooser::Handler h;
    return h;
}

}

std::optional<FontSpec> FontChooser::chooseFont(QWidget* parent, const FontSpec& current)
{
    if (handler())
        return handler()(current);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, dialogStartFont(current), parent, QObject::tr("Text font"));
    if (!ok)
        return std::nullopt;
    return answerFor(current, chosen);
}

QFont FontChooser::dialogStartFont(const FontSpec& current)
{
    QFont start = current.toQFont();
    if (!QFontDatabase::hasFamily(start.family()))
        start.setFamily(QFontInfo(start).family());
    return start;
}

FontSpec FontChooser::answerFor(const FontSpec& current, const QFont& chosen)
{
    const double size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : double(chosen.pixelSize());
    const int weight = chosen.weight();
    const bool italic = chosen.style() != QFont::StyleNormal;
    const QString drawnFamily = QFontInfo(current.toQFont()).family();
    const bool sameFamily = chosen.family() == current.family() || chosen.family() == drawnFamily;
    if (sameFamily && weight == current.weight() && italic == current.italic())
        return current.withPointSize(size);
    // Another face of the same family keeps the family's name; its
    // PostScript name is the new face's.
    return FontSpec(sameFamily ? current.family() : chosen.family(), size, {}, weight, italic);
}

void FontChooser::setHandler(Handler h)
{
    handler() = std::move(h);
}
