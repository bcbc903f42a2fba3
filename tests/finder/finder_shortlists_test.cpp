// Marked names as a shortlist: the "Marked" choice, the shortlist saved as
// a list or as a table a spreadsheet opens, compared with a partner's
// shortlist, and printed.

#include "namelist/shortlist_file.h"
#include "tests/finder/finder_harness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using kindrell::finder::NamesModel;
using kindrell::finder::test::FinderHarness;
using kindrell::finder::test::WriteFile;
namespace namelist = kindrell::namelist;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Marks the entry of that name and sex, shown whatever its verdicts.
void MarkEntry(const FinderHarness& h, const QString& name, const QString& sex) {
    const int row = h.rowOf(name, sex);
    QVERIFY2(row >= 0, qPrintable(name + u' ' + sex));
    h.mark(row);
}

// The names and sexes of the table's rows, "Ethan (boy)", in order.
QStringList Rows(const FinderHarness& h) {
    QStringList rows;
    for (int row = 0; row < h.model()->rowCount(); ++row) {
        const QString sex = h.cell(row, NamesModel::SexColumn);
        rows << h.cell(row, NamesModel::NameColumn) +
                    (sex.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(sex));
    }
    return rows;
}

// The rows whose Partner cell holds a mark.
QStringList PartnerRows(const FinderHarness& h) {
    QStringList rows;
    const QStringList all = Rows(h);
    for (int row = 0; row < h.model()->rowCount(); ++row) {
        if (!h.cell(row, NamesModel::PartnerColumn).isEmpty()) {
            rows << all.at(row);
        }
    }
    return rows;
}

// The bundled list, or a list of one's own, for the comparisons.
void OpenList(FinderHarness& h, bool ownList, const QTemporaryDir& folder) {
    if (ownList) {
        const QString path = folder.filePath(QStringLiteral("ours.txt"));
        WriteFile(path, "Ethan\nMadison\nZoe\nOwen\nMary\n");
        QVERIFY(h.openList(path));
    }
}

} // namespace

class FinderShortlistsTest : public QObject {
    Q_OBJECT
  private slots:
    // "Marked" shows the marked names and only them, whatever the other
    // filters say and however the names read.
    void theMarkedChoiceShowsTheShortlist() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.choices("sexBox")->setCurrentText(QStringLiteral("Boys"));
        h.box("prefixBox")->setText(QStringLiteral("Qx"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Marked"));
        QCOMPARE(h.line("countLine"), QStringLiteral("2 of 29,389 names"));
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Ethan"));
        QCOMPARE(h.cell(1, NamesModel::NameColumn), QStringLiteral("Madison"));
        for (const char* filter : {"sexBox", "numberBox"}) {
            QVERIFY(!h.choices(filter)->isEnabled());
        }
        QVERIFY(!h.box("prefixBox")->isEnabled());
        h.box("motherBox")->setText("Mary"); // now every name reads Not Harmonious At All
        QCOMPARE(h.model()->rowCount(), 2);
        QCOMPARE(h.cell(1, NamesModel::MotherColumn), QStringLiteral("Not Harmonious At All"));
        // A name unmarked here stays in view until the table fills again.
        h.mark(0);
        QCOMPARE(h.model()->rowCount(), 2);
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
        h.mark(1);
        h.box("motherBox")->setText("Zoe");
        QCOMPARE(h.model()->rowCount(), 0);
        QCOMPARE(h.line("emptyLine"), QStringLiteral("No name is marked."));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QVERIFY(h.choices("numberBox")->isEnabled());
        QCOMPARE(h.line("emptyLine"), QStringLiteral("No name passes the filters."));
    }

    void marksAreSavedForKindrellReading() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        QVERIFY(!h.button("saveButton")->isEnabled());
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.mark(1); // Alexander
        h.mark(1); // and not
        QCOMPARE(h.line("markedLine"), QStringLiteral("2 names marked"));
        QVERIFY(h.button("saveButton")->isEnabled());
        // The check box of a row marks it too, and marks outlive filters.
        QVERIFY(h.model()->setData(h.model()->index(2, NamesModel::NameColumn), Qt::Checked,
                                   Qt::CheckStateRole));
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls"));
        QCOMPARE(h.line("markedLine"), QStringLiteral("3 names marked"));
        QCOMPARE(h.model()->index(0, NamesModel::NameColumn).data(Qt::CheckStateRole),
                 QVariant(Qt::Checked));

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("shortlist.txt");
        h.files.paths.push_back(path);
        QTest::mouseClick(h.button("saveButton"), Qt::LeftButton);
        QCOMPARE(h.files.requests.size(), 1);
        QVERIFY(h.files.requests[0].save);
        // In list order, one a line: what kindrell-reading reads back.
        QCOMPARE(FileBytes(path), QByteArray("Ethan\nJames\nMadison\n"));
        QVERIFY(h.messages.shown.isEmpty());
        // Closing asks nothing: the marks are kept as they are made.
        QVERIFY(h.window->close());
        QVERIFY(h.messages.shown.isEmpty());
    }

    void aShortlistThatCannotBeWrittenIsSaidSo() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        h.files.paths.push_back(folder.filePath("no/such/folder/list.txt"));
        QVERIFY(!h.window->saveMarkedNames());
        QCOMPARE(h.messages.shown.size(), 1);
        QVERIFY(h.messages.shown[0].text.startsWith(
            QStringLiteral("The marked names could not be saved to \u201Clist.txt\u201D: ")));
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
    }

    // One row per marked entry, as the table shows it: a name marked as a
    // girl's and as a boy's gives two.
    void aTableHoldsEveryMarkedEntryAsTheTableShowsIt() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QStringList expected;
        for (const auto& [name, sex] :
             {std::pair{"Avery", "girl"}, {"Avery", "boy"}, {"Ethan", "boy"}}) {
            MarkEntry(h, name, sex);
            // Births as plain digits, which spreadsheets read as numbers.
            expected << h.rowText(h.rowOf(name, sex)).remove(u',');
        }
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("Our names.csv"));
        h.files.paths.push_back(path);
        QVERIFY(h.window->saveMarkedNames());
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("3 marked names saved to \u201COur names.csv\u201D."));
        const QByteArray bytes = FileBytes(path);
        // A byte-order mark, for the spreadsheets that look for one, and CR LF.
        QVERIFY(bytes.startsWith("\xEF\xBB\xBFName,Sex,Number,Mother,Father,Births,Trend\r\n"));
        QStringList rows = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(rows.takeLast(), QString());
        rows.removeFirst();
        for (QString& row : rows) {
            row.replace(u',', u'|');
        }
        rows.sort();
        expected.sort();
        QCOMPARE(rows, expected);
        // Read back as a partner's list: every entry with its sex.
        const namelist::ShortlistRead read = namelist::ReadShortlist(path);
        QCOMPARE(read.names, (std::vector<namelist::ShortlistName>{
                                 {QStringLiteral("Avery"), namelist::Sex::Girl},
                                 {QStringLiteral("Avery"), namelist::Sex::Boy},
                                 {QStringLiteral("Ethan"), namelist::Sex::Boy}}));
        // The next save, after a restart too, starts where this one went.
        h.restart();
        h.window->saveMarkedNames();
        QCOMPARE(h.files.requests.last().suggestedName,
                 QDir(folder.path()).filePath(QStringLiteral("shortlist.csv")));
    }

    // Names as lists of one's own hold them: quotes and commas are quoted,
    // and read back as they were.
    void namesWithQuotesAndCommasComeBackWhole() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString list = folder.filePath(QStringLiteral("ours.txt"));
        WriteFile(list, "O'Brien, Jr\nZo\xC3\xAB \"Zee\"\n");
        QVERIFY(h.openList(list));
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.mark(0);
        h.mark(1);
        const QString path = folder.filePath(QStringLiteral("ours.csv"));
        h.files.paths.push_back(path);
        QVERIFY(h.window->saveMarkedNames());
        QVERIFY(FileBytes(path).contains("\r\n\"Zo\xC3\xAB \"\"Zee\"\"\","));
        std::vector<namelist::ShortlistName> names = namelist::ReadShortlist(path).names;
        QCOMPARE(names.size(), 2U);
        QCOMPARE(names[0].name, QStringLiteral("O'Brien, Jr"));
        QCOMPARE(names[1].name, QStringLiteral("Zo\u00EB \"Zee\""));
    }

    void comparingWithAPartnersList_data() {
        QTest::addColumn<bool>("ownList");
        QTest::addColumn<QStringList>("byBoth");
        // The partner's file has Madison as a boy's name: the bundled list's
        // boy, not the girl marked here; a list of one's own gives no sex.
        QTest::newRow("a list of one's own") << true << QStringList{"Ethan", "Madison", "Owen"};
        QTest::newRow("the bundled list") << false << QStringList{"Ethan (boy)", "Owen (boy)"};
    }
    // The partner's names are matched whatever their case and accents, and
    // by sex where both the file and the list give one.
    void comparingWithAPartnersList() {
        QFETCH(bool, ownList);
        QFETCH(QStringList, byBoth);
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        OpenList(h, ownList, folder);
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        const QString boy = ownList ? QString() : QStringLiteral("boy");
        MarkEntry(h, QStringLiteral("Ethan"), boy);
        MarkEntry(h, QStringLiteral("Owen"), boy);
        MarkEntry(h, QStringLiteral("Madison"), ownList ? QString() : QStringLiteral("girl"));
        QVERIFY(h.table()->isColumnHidden(NamesModel::PartnerColumn));
        QVERIFY(!h.button("stopButton")->isEnabled());

        const QString partner = folder.filePath(QStringLiteral("Partner.csv"));
        WriteFile(partner, "\xEF\xBB\xBFName,Sex\r\nethan,\r\nOwen,boy\r\nAidann,girl\r\n"
                           "Zo\xC3\xAB,\r\nMadison,boy\r\n");
        h.files.paths.push_back(partner);
        QTest::mouseClick(h.button("compareButton"), Qt::LeftButton);
        QVERIFY(!h.table()->isColumnHidden(NamesModel::PartnerColumn));
        QCOMPARE(h.model()
                     ->headerData(NamesModel::PartnerColumn, Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Partner"));
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("1 name of \u201CPartner.csv\u201D is not in this list: Aidann"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Marked by both of you"));
        QCOMPARE(Rows(h), byBoth);
        QCOMPARE(PartnerRows(h), byBoth);
        QCOMPARE(h.line("countLine"),
                 QStringLiteral("%1 names marked by both of you").arg(byBoth.size()));
        h.mark(0);
        h.box("fatherBox")->setText(QStringLiteral("Johnny")); // the table fills again
        QCOMPARE(h.line("countLine"), QStringLiteral("%1 marked by both of you")
                                          .arg(byBoth.size() == 2 ? QStringLiteral("1 name")
                                                                  : QStringLiteral("2 names")));

        // Remembered across a restart, choice and all, until stopped.
        h.restart();
        QCOMPARE(Rows(h), byBoth.mid(1));
        QTest::mouseClick(h.button("stopButton"), Qt::LeftButton);
        QVERIFY(h.table()->isColumnHidden(NamesModel::PartnerColumn));
        QCOMPARE(h.choices("harmonyBox")->currentText(), QStringLiteral("Marked"));
        QCOMPARE(h.choices("harmonyBox")->findText(QStringLiteral("Marked by both of you")), -1);
        h.restart();
        QVERIFY(h.table()->isColumnHidden(NamesModel::PartnerColumn));
    }

    // A partner's file gone since the last run is said in one line, and
    // nothing else changes.
    void aPartnersListGoneAtTheStart() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        h.typeParents("John", "Zoe");
        h.mark(0);
        const QString partner = folder.filePath(QStringLiteral("Partner.txt"));
        WriteFile(partner, "Ethan\n");
        h.files.paths.push_back(partner);
        QVERIFY(h.window->comparePartnerList());
        QVERIFY(QFile::remove(partner));
        h.restart();
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("\u201CPartner.txt\u201D could not be read again, so nothing is "
                                "compared."));
        QVERIFY(h.table()->isColumnHidden(NamesModel::PartnerColumn));
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
        QVERIFY(h.messages.shown.isEmpty());
    }

    // A file far larger than any shortlist is refused before it is read.
    void aPartnersListTooLargeIsRefused() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString partner = folder.filePath(QStringLiteral("big.txt"));
        WriteFile(partner, QByteArray(qsizetype{5} * 1024 * 1024, 'a'));
        h.files.paths.push_back(partner);
        QVERIFY(!h.window->comparePartnerList());
        QCOMPARE(h.messages.texts(),
                 QStringList{QStringLiteral(
                     "\u201Cbig.txt\u201D is larger than a shortlist, so it is not compared.")});
        QVERIFY(h.table()->isColumnHidden(NamesModel::PartnerColumn));
    }

    // Printed through the print dialog to a PDF file: the parents, then
    // every marked name, those marked by both first; a name's lines always
    // on one page.
    void aShortlistIsPrinted() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        h.typeParents("John", "Zoe");
        const int marked = 60; // pages enough to break between names
        for (int row = 0; row < marked; ++row) {
            h.mark(row);
        }
        const QString partner = folder.filePath(QStringLiteral("Partner.txt"));
        WriteFile(partner, h.cell(7, NamesModel::NameColumn).toUtf8() + '\n');
        h.files.paths.push_back(partner);
        QVERIFY(h.window->comparePartnerList());
        h.printing.pdfPath = folder.filePath(QStringLiteral("shortlist.pdf"));
        QVERIFY(h.window->printMarkedNames());
        QProcess convert;
        convert.start(pdftotext,
                      {QStringLiteral("-layout"), h.printing.pdfPath, QStringLiteral("-")});
        QVERIFY(convert.waitForFinished(60000));
        // Without the ligatures the PDF's fonts draw ("Jeﬀrey").
        const QString text = QString::fromUtf8(convert.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() > 1);
        QVERIFY(pages[0].contains(QStringLiteral("John (2) and Zoe (1)")));
        QVERIFY(text.indexOf(QStringLiteral("Marked by both of you")) <
                text.indexOf(QStringLiteral("Marked by you alone")));
        for (int row = 0; row < marked; ++row) {
            h.table()->selectRow(row);
            const QString title =
                QStringLiteral("%1 (%2), number %3")
                    .arg(h.cell(row, NamesModel::NameColumn), h.cell(row, NamesModel::SexColumn),
                         h.cell(row, NamesModel::NumberColumn));
            // Its title and its working, as the pane shows it, on one page.
            const auto page = std::find_if(pages.begin(), pages.end(), [&](const QString& p) {
                return p.contains(title + u'\n');
            });
            QVERIFY2(page != pages.end(), qPrintable(title));
            QVERIFY2(page->contains(h.line("working")), qPrintable(title));
        }
    }
};

QTEST_MAIN(FinderShortlistsTest)
#include "finder_shortlists_test.moc"
