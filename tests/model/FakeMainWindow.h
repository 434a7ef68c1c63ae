#pragma once

// A stand-in for the main window controller, handed to canvases and
// renderers as their host: hands out scripted positions for new objects and
// a fixed front canvas, and records the sides it was asked about.

#include "canvas/CanvasHost.h"

#include <QPointF>
#include <QRectF>
#include <QStringList>

class FakeMainWindow : public CanvasHost
{
public:
    FakeMainWindow() = default;
    FakeMainWindow(const FakeMainWindow&) = delete;
    FakeMainWindow& operator=(const FakeMainWindow&) = delete;

    // The n-th call (from 1) answers (100 n, 100 n + 1).
    QPointF Control_New_Point(const QString& side) override
    {
        askedSides.append(side);
        const double step = 100.0 * double(askedSides.size());
        return {step, step + 1};
    }
    QRectF frontCanvasBounds() const override { return canvas; }

    QRectF canvas {0, 0, 300, 200};
    QStringList askedSides;
};
