#include "mainwindow/inspector/FontChooser.h"

#include <QFontDialog>

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
    const QFont chosen = QFontDialog::getFont(&ok, current.toQFont(), parent, QObject::tr("Text font"));
    if (!ok)
        return std::nullopt;
    const double size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : double(chosen.pixelSize());
    // The same family keeps the name it was read under, so an unchanged font
    // is written back as it came.
    if (chosen.family() == current.family())
        return current.withPointSize(size);
    return FontSpec(chosen.family(), size);
}

void FontChooser::setHandler(Handler h)
{
    handler() = std::move(h);
}
