#pragma once

// A picture view on a tiled pattern: the pattern fills the area that is
// drawn, then the picture is drawn over it, scaled down to fit (never up)
// and centred, as a picture view shows it.

#include <QImage>
#include <QWidget>

class Promotion_Pattern : public QWidget
{
    Q_OBJECT

public:
    explicit Promotion_Pattern(QWidget* parent = nullptr);

    void setPattern(const QImage& pattern);
    const QImage& pattern() const { return m_pattern; }
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_pattern;
    QImage m_image;
};
