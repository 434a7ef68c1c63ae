#pragma once

// A scroll area around a group of controls. It may be shorter than they are
// (and narrower, where it scrolls sideways as well), so a window on a small
// screen shows a scroll bar instead of squashing its controls below their
// smallest sizes. Scrolling up and down only, it is always as wide as the
// controls need.

#include <QScrollArea>

class QBoxLayout;

class ControlsScrollArea : public QScrollArea
{
public:
    explicit ControlsScrollArea(QWidget* content, Qt::Orientations scrolling = Qt::Vertical,
                                QWidget* parent = nullptr);

    // Moves the layout at `index` of `outer` into a new scroll area, which
    // takes its place and stretch. Null where that item is no layout.
    static ControlsScrollArea* wrap(QBoxLayout& outer, int index, Qt::Orientations scrolling = Qt::Vertical);
    // Moves `count` items of `outer` from `first` on (controls, layouts,
    // spacing) into a new scroll area, which takes their place.
    static ControlsScrollArea* wrapItems(QBoxLayout& outer, int first, int count,
                                         Qt::Orientations scrolling = Qt::Vertical);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int extraWidth() const;

    Qt::Orientations m_scrolling;
};
