#include "finder/count_lines.h"

#include "finder/names_model.h"
#include "namelist/filters.h"

#include <QLocale>

namespace kindrell::finder {

QString Quoted(const QString& text) {
    return QStringLiteral("\u201C%1\u201D").arg(text);
}

QString CountText(qint64 count) {
    return QLocale().toString(count);
}

QString NamesText(qint64 count) {
    return CountText(count) + (count == 1 ? QStringLiteral(" name") : QStringLiteral(" names"));
}

QString SpellingsText(const namelist::LikedName& liked) {
    const auto count = static_cast<qint64>(liked.spellings.size() - liked.own.size());
    return CountText(count) +
           (count == 1 ? QStringLiteral(" other spelling of ")
                       : QStringLiteral(" other spellings of ")) +
           liked.name;
}

QString MiddleNamesText(qint64 count, const QString& liked, const namelist::Filter& filter) {
    const QString names = CountText(count) + (count == 1 ? QStringLiteral(" middle name")
                                                         : QStringLiteral(" middle names"));
    const QString bring = count == 1 ? QStringLiteral("brings") : QStringLiteral("bring");
    switch (filter.harmony) {
    case namelist::HarmonyFilter::WithBoth:
        return QStringLiteral("%1 %2 %3 into harmony with both parents").arg(names, bring, liked);
    case namelist::HarmonyFilter::WithMother:
        return QStringLiteral("%1 %2 %3 into harmony with the mother").arg(names, bring, liked);
    case namelist::HarmonyFilter::WithFather:
        return QStringLiteral("%1 %2 %3 into harmony with the father").arg(names, bring, liked);
    case namelist::HarmonyFilter::Any:
    case namelist::HarmonyFilter::Marked:
    case namelist::HarmonyFilter::MarkedByBoth:
        break;
    }
    return QStringLiteral("%1 for %2").arg(names, liked);
}

// Why no middle name is shown: none can help the pair, or the filters hide
// them.
QString NoMiddleNameReason(const NamesModel& model) {
    const QString liked = model.middleNames()->liked;
    if (model.filter().harmony == namelist::HarmonyFilter::WithBoth) {
        if (QString why = namelist::NoMiddleNameExplanation(model.weighing(), liked);
            !why.isEmpty()) {
            return why;
        }
    }
    if (model.markedOnly()) {
        return QStringLiteral("No full name with %1 is marked.").arg(liked);
    }
    return QStringLiteral("No middle name passes the filters.");
}

QString EmptyTableReason(const NamesModel& model) {
    if (!model.parentsGiven() || model.rowCount() > 0 || model.list().empty()) {
        return {};
    }
    if (model.middleNames() != nullptr) {
        return NoMiddleNameReason(model);
    }
    if (model.filter().harmony == namelist::HarmonyFilter::MarkedByBoth) {
        return QStringLiteral("No name is marked by both of you.");
    }
    if (model.markedOnly()) {
        return QStringLiteral("No name is marked.");
    }
    if (!model.liked().name.isEmpty() && !model.liked().inList) {
        return QStringLiteral("Only the names of the bundled list have spellings to show.");
    }
    const namelist::Weighing& weighing = model.weighing();
    const namelist::Filter& filter = model.filter();
    if (filter.harmony != namelist::HarmonyFilter::Any && !weighing.pairHasRow()) {
        return namelist::NoRowExplanation(weighing);
    }
    if (filter.harmony == namelist::HarmonyFilter::WithBoth) {
        if (const namelist::HarmonyCounts counts =
                namelist::CountHarmony(model.list(), weighing, filter, &model.liked());
            counts.withBoth == 0) {
            return QStringLiteral("No name is in harmony with both parents: %1 are with the "
                                  "mother, %2 with the father.")
                .arg(CountText(counts.withMotherOnly), CountText(counts.withFatherOnly));
        }
    }
    return QStringLiteral("No name passes the filters.");
}

} // namespace kindrell::finder
