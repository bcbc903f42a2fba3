// What the bundled list says of a name beyond its births: its trend, its
// shares between girls and boys, and its spellings.

#include "namelist/births_by_year.h"
#include "namelist/name_list.h"
#include "namelist/spellings.h"
#include "namelist/weighing.h"

#include <QtTest>

#include <algorithm>
#include <vector>

using namespace kindrell::namelist;

namespace {

const NameList& Bundled() {
    static const NameList list = LoadBundledNames();
    return list;
}

std::int32_t IndexOf(const QString& name, Sex sex) {
    const auto& entries = Bundled().entries();
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const NameEntry& entry) {
        return entry.name == name && entry.sex == sex;
    });
    return it == entries.end() ? -1 : static_cast<std::int32_t>(it - entries.begin());
}

// The distance as its definition gives it: the whole table, no early stop.
int Edits(const QString& a, const QString& b) {
    const QString s = a.toLower();
    const QString t = b.toLower();
    std::vector<std::vector<int>> d(s.size() + 1, std::vector<int>(t.size() + 1));
    for (qsizetype i = 0; i <= s.size(); ++i) {
        for (qsizetype j = 0; j <= t.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = static_cast<int>(i + j);
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (s[i - 1] == t[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && s[i - 1] == t[j - 2] && s[i - 2] == t[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[s.size()][t.size()];
}

} // namespace

Q_DECLARE_METATYPE(Sex)

class HistoryTest : public QObject {
    Q_OBJECT
  private slots:
    void trends_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Sex>("sex");
        QTest::addColumn<QString>("trend");
        // Births 2000-2004 against 2020-2024, worked out by hand from the list file.
        QTest::newRow("Liam, boy: 16,584 to 103,878") << "Liam" << Sex::Boy << "+526%";
        QTest::newRow("Liam, girl: 44 to 153") << "Liam" << Sex::Girl << "+248%";
        QTest::newRow("Khaleesi: none before 2011") << "Khaleesi" << Sex::Girl << "new";
        QTest::newRow("Nevaeh, girl: 8,478 to 13,526") << "Nevaeh" << Sex::Girl << "+60%";
        QTest::newRow("Nevaeh, boy: 122 to 27") << "Nevaeh" << Sex::Boy << "-78%";
    }
    void trends() {
        QFETCH(QString, name);
        QFETCH(Sex, sex);
        QFETCH(QString, trend);
        const std::optional<Trend> found = Bundled().trend(IndexOf(name, sex));
        QVERIFY(found);
        QCOMPARE(TrendText(*found), trend);
    }

    void trendsRoundHalvesAwayFromZero() {
        const auto trend = [](int early, int late) {
            YearCounts births{};
            births.front() = early;
            births.back() = late;
            return TrendText(TrendOf(births));
        };
        QCOMPARE(trend(8, 9), QStringLiteral("+13%"));
        QCOMPARE(trend(8, 7), QStringLiteral("-13%"));
        QCOMPARE(trend(250, 251), QStringLiteral("0%"));
        QCOMPARE(trend(0, 3), QStringLiteral("new"));
    }

    void shares_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shares");
        QTest::addColumn<bool>("givenToBoth");
        // Girls' births against boys', 2000-2024, from the list file.
        QTest::newRow("Liam: 504 and 322,797") << "Liam"
                                               << "Girls 0%, boys 100%" << false;
        QTest::newRow("Nevaeh: 96,585 and 427") << "Nevaeh"
                                                << "Girls 100%, boys 0%" << false;
        QTest::newRow("Riley: 126,415 and 70,375") << "Riley"
                                                   << "Girls 64%, boys 36%" << true;
    }
    void shares() {
        QFETCH(QString, name);
        QFETCH(QString, shares);
        QFETCH(bool, givenToBoth);
        const NameList& list = Bundled();
        const std::int32_t girl = IndexOf(name, Sex::Girl);
        const std::int32_t boy = list.otherSex(girl);
        QCOMPARE(boy, IndexOf(name, Sex::Boy));
        QCOMPARE(list.otherSex(boy), girl);
        QCOMPARE(SharesText(SharesOf(*list.entries()[girl].births, *list.entries()[boy].births)),
                 shares);
        QCOMPARE(list.givenToBoth(girl), givenToBoth);
        QCOMPARE(list.givenToBoth(boy), givenToBoth);
    }

    void givenToBothCountsNames() {
        const NameList& list = Bundled();
        Filter filter;
        filter.sex = SexFilter::GivenToBoth;
        filter.harmony = HarmonyFilter::Any;
        // Every such name has both entries: 1,474 names, twice as many rows.
        QCOMPARE(SelectNames(list, Weighing(u"John", u"Zoe"), filter).size(), 2 * 1474U);
        QVERIFY(IsGivenToBoth(10, 90) && !IsGivenToBoth(9, 91) && !IsGivenToBoth(0, 0));
    }

    void editsCountSwapsOnceAndStopPastTheLimit() {
        QCOMPARE(SpellingEdits(u"AIDAN", u"aidan"), 0);
        QCOMPARE(SpellingEdits(u"Aidan", u"Adian"), 1);
        QCOMPARE(SpellingEdits(u"Aidan", u"Ayden"), 2);
        QCOMPARE(SpellingEdits(u"ca", u"abc"), 3); // no letter edited twice
        QCOMPARE(SpellingEdits(u"Catherine", u"Kate"), kMaxSpellingEdits + 1);
    }

    void spellingsAreTheNamesThatSoundAndLookAlike_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("Aidan") << "aidan"
                               << "Aidan";
        QTest::newRow("Catherine") << "CATHERINE"
                                   << "Catherine";
        QTest::newRow("Sophia") << " Sophia "
                                << "Sophia";
        QTest::newRow("Zoe") << "zoe"
                             << "Zoe";
    }
    void spellingsAreTheNamesThatSoundAndLookAlike() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        const NameList& list = Bundled();
        const LikedName liked = FindLikedName(list, typed);
        QCOMPARE(liked.name, name);
        QVERIFY(liked.inList);
        const std::int32_t own = std::max(IndexOf(name, Sex::Girl), IndexOf(name, Sex::Boy));
        const QString key = list.soundKey(own);
        std::vector<std::int32_t> expected;
        for (std::int32_t i = 0; i < list.size(); ++i) {
            if (list.soundKey(i) == key && Edits(list.entries()[i].name, name) <= 2) {
                expected.push_back(i);
            }
        }
        QCOMPARE(liked.spellings, expected);
        QVERIFY(expected.size() > 2);
        QVERIFY(std::count(expected.begin(), expected.end(), own) == 1);
    }

    void aNameNotInTheListHasNoSpellings() {
        const LikedName liked = FindLikedName(Bundled(), u"  Aidann ");
        QCOMPARE(liked.name, QStringLiteral("Aidann"));
        QVERIFY(!liked.inList);
        QVERIFY(liked.spellings.empty());
        // A list of one's own holds no keys.
        const NameList own = NameList::FromNames({QStringLiteral("Aidan")});
        QVERIFY(!FindLikedName(own, u"Aidan").inList);
    }
};

QTEST_APPLESS_MAIN(HistoryTest)
#include "history_test.moc"
