#pragma once

// Small helpers shared by the window controller's source files.

#include "mainwindow/inspector/InspectorPanel.h"

#include <QComboBox>
#include <QString>

#include <exception>
#include <memory>
#include <vector>

namespace {

inline QString reasonOf(const std::exception& e)
{
    return QString::fromLocal8Bit(e.what());
}

// Indexes of the inspector pages in the layout, in the order they are kept.
enum LayoutPage {
    card_setting_tab = 0,
    card_info_tab,
    card_size_tab,
    card_bkgd_tab,
    card_brdr_tab,
    firstObjectPage, // line_tab ... Lock_tab
};

// Sets a combo box to the item with `text`; a missing text changes nothing.
inline void selectItemWithText(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// The registered panel of type Panel; null when there is none.
template <class Panel>
Panel* findPanel(const std::vector<std::unique_ptr<InspectorPanel>>& panels)
{
    for (const std::unique_ptr<InspectorPanel>& panel : panels) {
        if (auto* found = dynamic_cast<Panel*>(panel.get()))
            return found;
    }
    return nullptr;
}
}
