#include "model/SKTText.h"

#include "app/StringHelpers.h"
#include "model/Globals.h"
#include "model/GraphicPainting.h"
#include "platform/ArchivedText.h"

#include <QFont>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <limits>

namespace {

constexpr double textContentsFontSize = 14.0;
const QString undoContentsKey = QStringLiteral("undoContents");
const QString contentsPropertyKey = QStringLiteral("contents");

// Text is laid out in units of 1/16 point with fonts sized in pixels, and
// drawn scaled down to points. A pixel-sized font measures the same on every
// paint device, and letter spacing in pixels is applied unscaled (fonts
// resolved for a device of 72 dots per inch lose their absolute letter
// spacing in Qt's layout).
constexpr double unitsPerPoint = 16.0;
// Tab stops every 28 points, as in a default paragraph style.
constexpr double tabStopDistance = 28.0;

QFont layoutFont(const FontSpec& wanted, double letterSpacing = 0)
{
    QFont font = wanted.toQFont();
    const double size = wanted.pointSize() > 0 ? wanted.pointSize() : 12.0;
    font.setPixelSize(std::max(1, int(std::lround(size * unitsPerPoint))));
    if (letterSpacing != 0 && std::isfinite(letterSpacing))
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing * unitsPerPoint);
    return font;
}

// `text` with every line end ("\r\n", "\n", "\r", next line, paragraph
// separator) made a line separator: a text layout breaks lines only there.
QString withLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;   // the "\n" that follows makes the break
        if (c == u'\n' || c == u'\r' || c == QChar(0x0085) || c == QChar::ParagraphSeparator)
            result.append(QChar::LineSeparator);
        else
            result.append(c);
    }
    return result;
}

Qt::Alignment alignmentOfCode(int code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignAbsolute;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    case 4: return Qt::AlignLeft;   // natural: the leading edge of the writing direction
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

// Lays `text` out in lines of `width`, from the top, with the font's line
// spacing. Stops once a line would start below `maxHeight`.
// (`width` and `maxHeight` in points, the layout in its own units.)
void layOut(QTextLayout& layout, double width, double maxHeight)
{
    layout.beginLayout();
    double y = 0;
    const double bottom = maxHeight * unitsPerPoint;
    while (y < bottom) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        line.setLineWidth(std::max(0.0, width * unitsPerPoint));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

}

SKTText::SKTText() = default;

SKTText::SKTText(const GraphicDefaults& defaults) : SKTGraphic(defaults)
{
}

SKTText::~SKTText() = default;

GraphicPtr SKTText::deepCopy() const
{
    auto copy = std::make_shared<SKTText>(*this);
    detachedCopy(copy);
    // The storage the object would make at its first drawing is made now, in
    // the program's current text font.
    copy->Text_contents();
    // The second storage is either the object's own storage or one of its own.
    if (contents_val && contents_val == _Text_contents)
        copy->contents_val = copy->_Text_contents;
    else if (contents_val)
        copy->contents_val = std::make_shared<AttributedText>(*contents_val);
    return copy;
}

std::shared_ptr<AttributedText> SKTText::contents()
{
    if (!contents_val) {
        contents_val = std::make_shared<AttributedText>(Text_Value, FontSpec(Text_Ctrl_Font, textContentsFontSize),
                                                        Colour::black());
    } else {
        contents_val = Text_contents();
    }
    return contents_val;
}

QVariantMap SKTText::properties() const
{
    QVariantMap p = SKTGraphic::properties();
    // The storage as the object would make it on first use when it has none yet.
    const AttributedText storage = _Text_contents
        ? *_Text_contents
        : AttributedText(Text_Value, FontSpec(Text_Ctrl_Font, textContentsFontSize), Colour::black());
    p.insert(contentsPropertyKey, ArchivedText::archivedData(storage));
    return p;
}

void SKTText::initWithProperties(const QVariantMap& p)
{
    SKTGraphic::initWithProperties(p);
    const QVariant contents = p.value(contentsPropertyKey);
    if (contents.typeId() != QMetaType::QByteArray)
        return;
    if (std::optional<AttributedText> storage = ArchivedText::fromArchivedData(contents.toByteArray()))
        contents_val = std::make_shared<AttributedText>(std::move(*storage));
}

QString SKTText::transformedText(const QString& text, int caseCode)
{
    switch (caseCode) {
    case TextCase::Upper:
        return text.toUpper();
    case TextCase::Lower:
        return text.toLower();
    case TextCase::Capitalised: {
        // Word by word: the first character of a white-space separated word
        // upper case, the rest lower case ("o'neil" -> "O'neil").
        QString result;
        result.reserve(text.size());
        bool atWordStart = true;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.isSpace()) {
                result.append(c);
                atWordStart = true;
                continue;
            }
            // Keep surrogate pairs together.
            qsizetype length = 1;
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                length = 2;
            const QString character = text.mid(i, length);
            result.append(atWordStart ? character.toUpper() : character.toLower());
            atWordStart = false;
            i += length - 1;
        }
        return result;
    }
    default:
        return text;
    }
}

QString SKTText::drawnText()
{
    return transformedText(Trim_Str(Text_contents()->string()), text_transfrom_case);
}

void SKTText::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    if (!ctrl_is_visible)
        return;
    const QRectF b = bounds();

    if (isBeingCreateOrEdited) {
        // Only a frame shows while the text is sized by a drag.
        painter.save();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(GraphicPainting::knobColour, 1.0));
        painter.drawRect(b.adjusted(-0.5, -0.5, 0.5, 0.5));
        painter.restore();
        return;
    }

    const QString text = drawnText();
    if (text.isEmpty())
        return;

    if (isDrawingFill())
        GraphicPainting::fillBounds(painter, *this);
    if (isDrawingStroke())
        GraphicPainting::strokeBounds(painter, *this);

    QTextLayout layout(withLineBreaks(text), layoutFont(Text_Font_value(), text_kerning));
    QTextOption option(alignmentOfCode(text_alignmnet));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(tabStopDistance * unitsPerPoint);
    option.setTextDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layOut(layout, b.width(), b.height());

    // The text opacity of the object applies on top of the colour's own.
    const Colour colour = Text_Color_Value();
    QColor ink = colour.toQColor();
    ink.setAlphaF(float(colour.alpha() * opacityFraction(alpha_val)));

    painter.save();
    painter.setClipRect(b, Qt::IntersectClip);
    painter.setPen(ink);
    painter.translate(b.topLeft());
    painter.scale(1 / unitsPerPoint, 1 / unitsPerPoint);
    layout.draw(&painter, QPointF(0, 0));
    painter.restore();
}

QRectF SKTText::drawingBounds() const
{
    // (The base's rectangle is never empty: it has the handles' margin.)
    return SKTGraphic::drawingBounds().united(bounds().adjusted(-1, -1, 1, 1).normalized());
}

QSizeF SKTText::naturalSize()
{
    const std::shared_ptr<AttributedText> storage = Text_contents();
    QTextLayout layout(withLineBreaks(storage->string()), layoutFont(storage->font()));
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(tabStopDistance * unitsPerPoint);
    layout.setTextOption(option);
    layOut(layout, bounds().width(), std::numeric_limits<double>::infinity());
    double width = 0;
    double height = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        width = std::max(width, line.naturalTextWidth());
        height = line.y() + line.height();
    }
    return QSizeF(std::ceil(width / unitsPerPoint - 1e-9), std::ceil(height / unitsPerPoint - 1e-9));
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    setBounds(QRectF(bounds().topLeft(), naturalSize()));
}

void SKTText::announceUndoKeysChange(const QStringList& oldKeys)
{
    didChange(SKTGraphicKeysForValuesToObserveForUndoKey, oldKeys);
}

void SKTText::setHeightToMatchContents()
{
    QStringList before = keysForValuesToObserveForUndo();
    _boundsBeingChangedToMatchContents = true;
    announceUndoKeysChange(before);

    const QRectF b = bounds();
    setBounds(QRectF(b.x(), b.y(), b.width(), naturalSize().height()));

    before = keysForValuesToObserveForUndo();
    _boundsBeingChangedToMatchContents = false;
    announceUndoKeysChange(before);
}

QStringList SKTText::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (_contentsBeingChangedByScripting)
        keys.append(undoContentsKey);
    if (_boundsBeingChangedToMatchContents)
        keys.removeAll(SKTGraphicBoundsKey);
    return keys;
}

QString SKTText::presentablePropertyNameForKey(const QString& key) const
{
    if (key == undoContentsKey)
        return QStringLiteral("Text");
    return SKTGraphic::presentablePropertyNameForKey(key);
}
