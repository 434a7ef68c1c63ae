#pragma once

// The rules of the text object's panels, without a window: how the panels
// are filled from a text object, how their values are written into the
// selected objects, the items of their lists, and the limits of the text
// editor.

#include "mainwindow/inspector/TextPanelState.h"

#include <QString>
#include <QStringList>

class SKTGraphic;
class SKTText;

class TextPanelRules
{
public:
    // The editor keeps at most this many UTF-16 units.
    static constexpr int maxTextLength = 250;
    // The words a new text object starts with; the editor never keeps them.
    static QString placeholderText() { return QStringLiteral("Text here"); }

    // The alignment list, item i for `text_alignmnet` code i: left, right,
    // centred, justified, natural.
    static QStringList alignmentItems();
    // The case list, item i for `text_transfrom_case` code i (TextCase).
    static QStringList caseItems();
    // The date and time patterns offered for insertion.
    static QStringList dateStyles();
    static QStringList timeStyles();

    // The panels showing `text`: its characters as drawn (the text storage,
    // or what the storage will be made from), border, fill, colours, font,
    // opacity as a rounded percentage, alignment and case (-1 when the code
    // has no item), letter spacing and print flag. A dash code without an
    // item gives border style -1.
    static TextPanelState fromGraphic(const SKTText& text);

    // Writes every value of the panels into `graphic`: the border colour and
    // width only while the border is on, the fill colour only while the fill
    // is on, the fill code "G" only for a gradient fill that is on ("S"
    // otherwise), the opacity percentage as a fraction. A list with no item
    // (-1 or out of range) leaves its field as it was. The text replaces the
    // characters of a text object's storage only when `onlyOneSelected`.
    static void applyTo(const TextPanelState& state, SKTGraphic& graphic, bool onlyOneSelected);

    // What the editor keeps of `text` and where its caret goes: every
    // "Text here" removed (also one that a removal brings together), then
    // anything past `maxTextLength` units cut at the last character boundary
    // before it. `caret` is a position in `text`; the returned one stays
    // before the same character, or at the end when that was cut.
    struct EditedText {
        QString text;
        int caret = 0;
        bool operator==(const EditedText&) const = default;
    };
    static EditedText editedText(const QString& text, int caret);

    // The first `maxUnits` UTF-16 units of `text` or fewer, never ending
    // inside a character (a surrogate pair, or a letter and its combining
    // marks); the whole text when it is no longer.
    static QString cutAtCharacterBoundary(const QString& text, int maxUnits);
};
