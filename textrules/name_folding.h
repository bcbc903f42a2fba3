#pragma once

// Names as people write them, weighed: a letter with a diacritic counts as
// its base letter (é as E, ñ as N), a letter that does not decompose as the
// letters it is written for (ß as SS, æ as AE, ł as L), a fullwidth letter
// as its ASCII form. What still counts nothing (a letter of another script,
// a digit, a symbol) is named, never passed over in silence; the spaces,
// hyphens, apostrophes and full stops that names carry are not. Folding
// happens before the engine, whose letters stay A to Z.

#include "engine/name_number.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace kindrell::text {

// A typed name, made once where its text changes and handed on.
struct WeighedName {
    QString written; // as typed, without the spaces around it, in NFC
    QString letters; // what the engine counts: "JOSE" for "José"
    DestinyNumber number = 0;
    QString working;       // "J 1 + O 6 + S 1 + É 5 = 13 → 4"
    QStringList uncounted; // each character that counts nothing, once, in order

    [[nodiscard]] bool blank() const { return written.isEmpty(); }
};

// How a name's letters count: folded as above (the finder, the command
// line), or the letters A to Z alone and as they stand (the reading window,
// whose boxes take nothing else).
enum class Folding { Folded, AToZ };

WeighedName WeighName(QStringView typed, Folding folding = Folding::Folded);

// The destiny number alone, as WeighName gives it, and into `uncounted`
// (when given) what counts nothing: for the names of lists and shortlists,
// which need no working.
DestinyNumber FoldedNumber(QStringView name, QStringList* uncounted = nullptr);

// What two ways of writing one name have in common, to match them: its
// letters folded and in capitals ("JOSE" for "josé"), the spaces, hyphens
// and apostrophes it carries left out, and every other character as it
// stands, case folded, so that "李明" is not "李".
QString MatchKey(QStringView name);

// "李 counts nothing", "李 and 1 count nothing", "X, Y and Z count
// nothing"; empty when every character counts or is carried.
QString UncountedText(const QStringList& uncounted);

} // namespace kindrell::text
