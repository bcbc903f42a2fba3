#pragma once

// A partner's shortlist compared with the open list: which of the list's
// entries it holds (its names matched ignoring case and accents, as
// text::MatchKey matches them, and by sex where the file gives one), and
// which of its names the list lacks.

#include "namelist/name_list.h"
#include "namelist/shortlist_file.h"

#include <QStringList>

#include <vector>

namespace kindrell::finder {

struct PartnerMatch {
    std::vector<bool> held; // one for each entry of the list
    QStringList missing;    // the partner's names the list lacks, each once, in file order
};

PartnerMatch MatchPartner(const std::vector<namelist::ShortlistName>& partner,
                          const namelist::NameList& list);

} // namespace kindrell::finder
