#include "mainwindow/inspector/TextPanelRules.h"

#include "mainwindow/CardSettings.h"
#include "mainwindow/inspector/PanelBorder.h"
#include "model/SKTGraphic.h"
#include "model/SKTText.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

QStringList TextPanelRules::alignmentItems()
{
    return {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center"), QStringLiteral("Justified"),
            QStringLiteral("Natural")};
}

QStringList TextPanelRules::caseItems()
{
    // in the order of the TextCase codes
    return {QStringLiteral("As Typed"), QStringLiteral("UPPER CASE"), QStringLiteral("lower case"),
            QStringLiteral("Capitalize Words")};
}

QStringList TextPanelRules::dateStyles()
{
    return {QStringLiteral("M-d-yyyy"),   QStringLiteral("M-d-yy"),     QStringLiteral("MM-dd-yy"),
            QStringLiteral("MM-dd-yyyy"), QStringLiteral("yy-MM-dd"),   QStringLiteral("yyyy-MM-dd"),
            QStringLiteral("dd-MMM-yy"),  QStringLiteral("dd-MM-yyyy"), QStringLiteral("d-M-yy")};
}

QStringList TextPanelRules::timeStyles()
{
    return {QStringLiteral("h:mm:ss a"), QStringLiteral("hh:mm:ss a"), QStringLiteral("H:mm:ss"),
            QStringLiteral("HH:mm:ss")};
}

namespace {

int itemOrNone(int code, int itemCount)
{
    return code >= 0 && code < itemCount ? code : -1;
}

}

TextPanelState TextPanelRules::fromGraphic(const SKTText& g)
{
    TextPanelState s;
    // What the canvas draws: the storage, or the value it is made from.
    s.text = g._Text_contents ? g._Text_contents->string() : g.Text_Value;

    s.borderOn = g._isDrawingStroke;
    s.borderColour = g._strokeColor;
    // A damaged file may carry any number: it is shown within the stepper's reach.
    s.borderWidth = std::isfinite(g._strokeWidth) ? int(std::clamp(g._strokeWidth, 0.0, 1000.0)) : 0;
    s.borderStyleIndex = CardSettings::indexForDashCode(g._stroke_border_type).value_or(-1);

    s.fillOn = g._isDrawingFill;
    s.gradientRadio = g._fill_type == FillCode::Gradient;
    s.solidRadio = !s.gradientRadio;
    s.fillColour = g._fillColor;
    s.gradientColour1 = g._fill_Grad_clr1;
    s.gradientColour2 = g._fill_Grad_clr2;
    s.gradientAngle = g._fill_grad_angle;

    s.textColour = g.txt_clr;
    s.font = g.text_ctrl_font;
    // Rounded: 0.53 shows 53, not the 52 a truncated float would give.
    s.alphaPercent = qRound(SKTGraphic::opacityFraction(g.alpha_val) * 100);
    s.alignIndex = itemOrNone(g.text_alignmnet, int(alignmentItems().size()));
    s.caseIndex = itemOrNone(g.text_transfrom_case, int(caseItems().size()));
    s.kerning = g.text_kerning;
    s.printObject = g.print_object;
    return s;
}

void TextPanelRules::applyTo(const TextPanelState& s, SKTGraphic& g, bool onlyOneSelected)
{
    g.print_object = s.printObject;

    // A border or fill turned off keeps its colour and width for the next
    // time it is turned on.
    PanelBorder {s.borderOn, s.borderColour, s.borderWidth, s.borderStyleIndex}.applyTo(g);

    if (s.fillOn) {
        g.setIsDrawingFill(true);
        g.setFillColor(s.fillColour);
    } else {
        g.setIsDrawingFill(false);
    }
    // A text has no hatch.
    g._fill_type = s.fillOn && s.gradientRadio ? QString(FillCode::Gradient) : QString(FillCode::Solid);
    g._fill_Grad_clr1 = s.gradientColour1;
    g._fill_Grad_clr2 = s.gradientColour2;
    g._fill_grad_angle = s.gradientAngle;

    g.txt_clr = s.textColour;
    g.text_ctrl_font = s.font;
    g.alpha_val = float(s.alphaPercent / 100.0);
    if (s.alignIndex >= 0 && s.alignIndex < alignmentItems().size())
        g.text_alignmnet = s.alignIndex;
    if (s.caseIndex >= 0 && s.caseIndex < caseItems().size())
        g.text_transfrom_case = s.caseIndex;
    g.text_kerning = float(s.kerning);

    // The words belong to one object: with several selected they stay. Only
    // the characters change; the storage keeps the font it measures with.
    if (onlyOneSelected && g.kind() == SKTGraphic::Kind::Text)
        g.Text_contents()->setString(s.text);
}

QString TextPanelRules::cutAtCharacterBoundary(const QString& text, int maxUnits)
{
    if (maxUnits <= 0)
        return {};
    if (text.size() <= maxUnits)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(maxUnits);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    qsizetype end = finder.position();
    if (end <= 0) {
        // One character longer than the limit (a letter under a pile of
        // marks): keep whole code points at least.
        end = maxUnits;
        if (text.at(end - 1).isHighSurrogate())
            --end;
    }
    return text.left(end);
}

TextPanelRules::EditedText TextPanelRules::editedText(const QString& text, int caret)
{
    EditedText result {text, std::clamp(caret, 0, int(text.size()))};
    const QString placeholder = placeholderText();
    for (qsizetype at = result.text.indexOf(placeholder); at >= 0; at = result.text.indexOf(placeholder)) {
        result.text.remove(at, placeholder.size());
        if (result.caret > at)
            result.caret = int(std::max(at, result.caret - placeholder.size()));
    }
    result.text = cutAtCharacterBoundary(result.text, maxTextLength);
    result.caret = std::min(result.caret, int(result.text.size()));
    return result;
}
