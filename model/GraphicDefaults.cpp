#include "model/GraphicDefaults.h"

#include "model/Globals.h"
#include "model/ResourcePictures.h"

GraphicDefaults GraphicDefaults::current()
{
    return {All_Text_font, All_Text_clr, ResourcePictures::path(ResourcePictures::placeholderName)};
}
