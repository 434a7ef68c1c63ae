#pragma once

// What the profile placement asks of the window it places for: the tool
// number the canvas creates new objects by (2 text, 8 picture), which the
// placement sets for each field and gives back afterwards.

class ProfilePlacementHost
{
public:
    virtual ~ProfilePlacementHost() = default;

    virtual int selectedControlTool() const = 0;
    virtual void setSelectedControlTool(int tool) = 0;

protected:
    ProfilePlacementHost() = default;
    ProfilePlacementHost(const ProfilePlacementHost&) = default;
    ProfilePlacementHost& operator=(const ProfilePlacementHost&) = default;
};
