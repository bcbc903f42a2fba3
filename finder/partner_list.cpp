#include "finder/partner_list.h"

#include "textrules/name_folding.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace kindrell::finder {
namespace {

// A partner's name matches an entry of that name, and of its sex where
// both the partner's file and the list give one.
bool SexMatches(namelist::Sex given, namelist::Sex entry) {
    return given == namelist::Sex::Unknown || entry == namelist::Sex::Unknown || given == entry;
}

} // namespace

PartnerMatch MatchPartner(const std::vector<namelist::ShortlistName>& partner,
                          const namelist::NameList& list) {
    QHash<QString, std::vector<namelist::Sex>> wanted;
    for (const namelist::ShortlistName& name : partner) {
        wanted[text::MatchKey(name.name)].push_back(name.sex);
    }
    PartnerMatch match;
    match.held.assign(static_cast<std::size_t>(list.size()), false);
    QSet<QString> found; // keys and sexes an entry answered, "KEY/sex"
    for (std::size_t i = 0; i < match.held.size() && !wanted.isEmpty(); ++i) {
        const namelist::NameEntry& entry = list.entries()[i];
        const auto sexes = wanted.constFind(text::MatchKey(entry.name));
        if (sexes == wanted.cend()) {
            continue;
        }
        for (const namelist::Sex sex : *sexes) {
            if (SexMatches(sex, entry.sex)) {
                match.held[i] = true;
                found.insert(sexes.key() + u'/' + namelist::SexName(sex));
            }
        }
    }
    QSet<QString> told;
    for (const namelist::ShortlistName& name : partner) {
        const QString key = text::MatchKey(name.name);
        if (!found.contains(key + u'/' + namelist::SexName(name.sex)) && !told.contains(key)) {
            told.insert(key);
            match.missing << name.name;
        }
    }
    return match;
}

} // namespace kindrell::finder
