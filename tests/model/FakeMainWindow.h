#pragma once

// A stand-in for the main window controller, installed as `Main_App_wnd`
// while it lives: hands out scripted positions for new objects and a fixed
// front canvas, and records the sides it was asked about.

#include "app/Globals.h"
#include "app/MainWindowHooks.h"

#include <QPointF>
#include <QRectF>
#include <QStringList>

class FakeMainWindow : public MainWindowHooks
{
public:
    FakeMainWindow() : m_previous(Main_App_wnd) { Main_App_wnd = this; }
    ~FakeMainWindow() override { Main_App_wnd = m_previous; }
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

private:
    MainWindowHooks* m_previous;
};
