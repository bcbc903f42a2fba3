#pragma once

// Every web page the program opens, and the launcher that hands it to the
// browser.

#include "platform/services.h"

#include <QString>

namespace kindrell::weblinks {

enum class Link {
    HomePage,
    QuilloraSoftwares,
    DonatePage,
    OnlineHelp,
    MakeMoney,
    CoBrandInfo,
    CheckForUpdate,
};

// The fixed address of a link, from the build-time host configuration.
QString LinkAddress(Link link);

QString HomeHost();           // the home site's host name
QString HomeSiteBase();       // "http://" and the home site's host name
QString ProductSiteAddress(); // "http://", the product's host name and "/"
QString SiteName();           // the home site's name as written for people

// The link launcher: every web page the program opens goes through here.
class modHelp {
  public:
    explicit modHelp(platform::LinkOpener& opener) : opener_(opener) {}

    // Opens any address, such as the refer-a-friend request.
    void OpenAddress(const QString& address) { opener_.open(address); }
    void Open(Link link) { OpenAddress(LinkAddress(link)); }

    void OpenHomePage() { Open(Link::HomePage); }
    void OpenQuilloraSoftwares() { Open(Link::QuilloraSoftwares); }
    void OpenDonatePage() { Open(Link::DonatePage); }
    void OpenOnlineHelp() { Open(Link::OnlineHelp); }
    void OpenMakeMoney() { Open(Link::MakeMoney); }
    void OpenCoBrandInfo() { Open(Link::CoBrandInfo); }
    void OpenCheckForUpdate() { Open(Link::CheckForUpdate); }

  private:
    platform::LinkOpener& opener_;
};

} // namespace kindrell::weblinks
