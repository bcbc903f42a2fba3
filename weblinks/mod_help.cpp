#include "weblinks/mod_help.h"

#include "weblinks/site_config.h"

namespace kindrell::weblinks {

namespace {

enum class Site { Home, Help, Product };

struct LinkEntry {
    Link link;
    Site site;
    const char* path;
};

// The link table: each address is its site's base address followed by the path.
constexpr LinkEntry kLinks[] = {
    {Link::HomePage, Site::Home, ""},
    {Link::QuilloraSoftwares, Site::Home, "/quillorasoftwares"},
    {Link::DonatePage, Site::Help, "/donate.html"},
    {Link::OnlineHelp, Site::Product, "/ql-free-kindrell-help.html"},
    {Link::MakeMoney, Site::Help, "/fully-branded.html"},
    {Link::CoBrandInfo, Site::Help, "/co-brand.html"},
    {Link::CheckForUpdate, Site::Product, "/download-ql-free-kindrell.html"},
};

QString SiteBase(Site site) {
    const char* host = config::kHomeHost;
    switch (site) {
    case Site::Home:
        host = config::kHomeHost;
        break;
    case Site::Help:
        host = config::kHelpHost;
        break;
    case Site::Product:
        host = config::kProductHost;
        break;
    }
    return QStringLiteral("http://") + QString::fromUtf8(host);
}

} // namespace

QString LinkAddress(Link link) {
    for (const auto& entry : kLinks) {
        if (entry.link == link) {
            return SiteBase(entry.site) + QString::fromUtf8(entry.path);
        }
    }
    return {};
}

QString HomeHost() {
    return QString::fromUtf8(config::kHomeHost);
}
QString HomeSiteBase() {
    return SiteBase(Site::Home);
}
QString ProductSiteAddress() {
    return SiteBase(Site::Product) + QLatin1Char('/');
}
QString SiteName() {
    return QString::fromUtf8(config::kSiteName);
}

} // namespace kindrell::weblinks
