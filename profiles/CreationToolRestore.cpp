#include "profiles/CreationToolRestore.h"

#include "model/Globals.h"
#include "profiles/ProfilePlacementHost.h"

CreationToolRestore::CreationToolRestore(ProfilePlacementHost& host)
    : m_host(host), m_tool(host.selectedControlTool()), m_picture(Library_Selected_Image)
{
}

CreationToolRestore::~CreationToolRestore()
{
    m_host.setSelectedControlTool(m_tool);
    setLibrarySelectedImage(m_picture);
}
