#pragma once

// The maker's links that the help, review, share and promotion windows open
// through the main window. The main window controller implements it.

class HelpLinksHost
{
public:
    virtual void Open_Support_Mail() = 0;
    virtual void Open_Reseller_Mail() = 0;
    virtual void Open_Website_1() = 0;
    virtual void Open_Website_2() = 0;
    virtual void Open_Website_3() = 0;
    virtual void Open_Google_Plus() = 0;
    virtual void Open_FaceBook() = 0;
    virtual void Open_Twitter() = 0;
    virtual void Open_FB_Like() = 0;
    // the maker's page of user comments
    virtual void Open_Share_It_Dl() = 0;
    // the page on which sharing the program earns it free
    virtual void Open_Share_It_And_Get_It_Free() = 0;

protected:
    ~HelpLinksHost() = default;
};
