#pragma once

#include <QIcon>

// The pictures of the main window's arrange buttons and toolbar buttons,
// drawn here: the arrange buttons show objects lined up against the edge,
// centre or grid they are moved to; the toolbar buttons a small sign of the
// window they open.
class CommandIcons
{
public:
    enum class Arrange {
        Left,
        Right,
        Top,
        Bottom,
        HorizontalCentres,
        VerticalCentres,
        CardCentre,
        SameWidth,
        SameHeight,
        NaturalSize,
        Grid,
    };
    enum class Toolbar { New, Open, Save, SaveAs, Mail, Print, Export, Profile, BatchSeries, ImportWizard, CreateSeries, Help, About, Exit };

    static QIcon arrangeIcon(Arrange command);
    static QIcon toolbarIcon(Toolbar command);
};
