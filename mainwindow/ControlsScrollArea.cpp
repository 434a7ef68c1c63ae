#include "mainwindow/ControlsScrollArea.h"

#include <QBoxLayout>
#include <QEvent>
#include <QScrollBar>

ControlsScrollArea::ControlsScrollArea(QWidget* content, Qt::Orientations scrolling, QWidget* parent)
    : QScrollArea(parent)
    , m_scrolling(scrolling)
{
    setFrameShape(QFrame::NoFrame);
    if (!scrolling.testFlag(Qt::Horizontal))
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    // the controls keep the window's own background
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    setWidget(content);
    content->installEventFilter(this);
}

ControlsScrollArea* ControlsScrollArea::wrap(QBoxLayout& outer, int index, Qt::Orientations scrolling)
{
    QLayoutItem* item = outer.itemAt(index);
    QLayout* inner = item ? item->layout() : nullptr;
    if (!inner)
        return nullptr;
    const int stretch = outer.stretch(index);
    outer.takeAt(index);
    inner->setParent(nullptr);
    auto* content = new QWidget;
    content->setLayout(inner);
    auto* area = new ControlsScrollArea(content, scrolling);
    if (!inner->objectName().isEmpty())
        area->setObjectName(inner->objectName() + QStringLiteral("_scroll"));
    outer.insertWidget(index, area, stretch);
    return area;
}

ControlsScrollArea* ControlsScrollArea::wrapItems(QBoxLayout& outer, int first, int count,
                                                  Qt::Orientations scrolling)
{
    if (first < 0 || count <= 0 || first + count > outer.count())
        return nullptr;
    auto* content = new QWidget;
    auto* inner = new QBoxLayout(outer.direction(), content);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(outer.spacing());
    for (int i = 0; i < count; ++i) {
        const int stretch = outer.stretch(first);
        QLayoutItem* item = outer.takeAt(first);
        if (QWidget* widget = item->widget()) {
            inner->addWidget(widget, stretch, item->alignment());
            delete item;
        } else if (QLayout* layout = item->layout()) {
            layout->setParent(nullptr);
            inner->addLayout(layout, stretch);
        } else {
            inner->addItem(item);
        }
    }
    auto* area = new ControlsScrollArea(content, scrolling);
    outer.insertWidget(first, area, 1);
    return area;
}

int ControlsScrollArea::extraWidth() const
{
    return verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

QSize ControlsScrollArea::sizeHint() const
{
    // room for the controls without scrolling where the screen allows
    const QSize content = widget() ? widget()->sizeHint() : QSize();
    return QSize(content.width() + extraWidth(), content.height() + 2 * frameWidth());
}

QSize ControlsScrollArea::minimumSizeHint() const
{
    const QSize least = QScrollArea::minimumSizeHint();
    const int width = widget() ? widget()->minimumSizeHint().width() + extraWidth() : least.width();
    const int height = widget() ? widget()->minimumSizeHint().height() + 2 * frameWidth() : least.height();
    return QSize(m_scrolling.testFlag(Qt::Horizontal) ? least.width() : width,
                 m_scrolling.testFlag(Qt::Vertical) ? least.height() : height);
}

bool ControlsScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // new controls in the column may make it wider
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
