#pragma once

// Where the banner strip (Repeat_Image) finds the picture it tiles: the host
// made last, while it is there. The main window controller is one.

class Picture;

class BannerHost
{
public:
    virtual const Picture& bannerImage() const = 0;

    // The host made last and not yet gone; null when there is none.
    static const BannerHost* current();

protected:
    BannerHost();
    ~BannerHost();
    BannerHost(const BannerHost&) = delete;
    BannerHost& operator=(const BannerHost&) = delete;
};
