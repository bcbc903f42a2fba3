#include "finder/count_lines.h"

#include "finder/names_model.h"

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

QString EmptyTableReason(const NamesModel& model) {
    if (!model.parentsGiven() || model.rowCount() > 0 || model.list().empty()) {
        return {};
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
