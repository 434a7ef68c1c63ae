#pragma once

// Renders card objects into a picture at one pixel per point and reads the
// pixels back.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class PixelProbe
{
public:
    PixelProbe(int width, int height, QColor background = Qt::white)
        : m_image(width, height, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(background);
    }

    // Draws into the picture; `scale` multiplies points into pixels.
    void draw(const std::function<void(QPainter&)>& drawing, double scale = 1.0)
    {
        QPainter painter(&m_image);
        painter.scale(scale, scale);
        drawing(painter);
    }

    const QImage& image() const { return m_image; }
    QColor at(int x, int y) const { return m_image.pixelColor(x, y); }
    bool isDark(int x, int y) const { return qGray(m_image.pixel(x, y)) < 128; }
    bool isBlank(int x, int y, QColor background = Qt::white) const { return at(x, y) == background; }

    // Lengths of the alternating dark and light runs along row `y` between
    // `fromX` and `toX` (exclusive), the first run starting dark.
    std::vector<int> darkLightRuns(int y, int fromX, int toX) const
    {
        std::vector<int> runs;
        bool dark = true;
        int length = 0;
        for (int x = fromX; x < toX; ++x) {
            if (isDark(x, y) == dark) {
                ++length;
            } else {
                runs.push_back(length);
                dark = !dark;
                length = 1;
            }
        }
        runs.push_back(length);
        return runs;
    }

private:
    QImage m_image;
};
