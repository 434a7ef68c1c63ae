#include "mainwindow/inspector/InspectorSelection.h"

#include <algorithm>

InspectorSelection::Answer InspectorSelection::afterSelectionChange(const SKTGraphic* shown,
                                                                    const QList<const SKTGraphic*>& filledFor,
                                                                    const GraphicList& selected,
                                                                    const GraphicPtr& current)
{
    if (!shown)
        return {Step::Keep, nullptr};
    if (selected.isEmpty())
        return {Step::ShowCard, nullptr};
    const auto isSelected = [&](const SKTGraphic* graphic) {
        return std::any_of(selected.begin(), selected.end(),
                           [graphic](const GraphicPtr& g) { return g.get() == graphic; });
    };
    if (isSelected(shown))
        return {sameObjects(filledFor, selected) ? Step::Keep : Step::Reload, nullptr};
    return {Step::ShowObject, current && isSelected(current.get()) ? current : selected.first()};
}

bool InspectorSelection::sameObjects(const QList<const SKTGraphic*>& filledFor, const GraphicList& selected)
{
    if (filledFor.size() != selected.size())
        return false;
    return std::all_of(selected.begin(), selected.end(),
                       [&](const GraphicPtr& g) { return g && filledFor.contains(g.get()); });
}
