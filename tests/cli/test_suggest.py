"""Drives `kindrell-reading --suggest` as a user would and checks its lists
against the bundled list file itself, weighed through the program's other
path (a shortlist with --harmonious), so that the suggestions are neither
restated from the code nor taken from the program's own output.

Usage: test_suggest.py PATH-TO-kindrell-reading PATH-TO-us-names.tsv
"""

import json
import math
import subprocess
import sys
import unittest
from fractions import Fraction

EXE = None
TABLE = None

LINES = ("Compatibility with Mother: Harmonious", "Compatibility with Father: Harmonious")


def run(args, stdin=b""):
    proc = subprocess.run([EXE] + args, input=stdin, capture_output=True, timeout=60)
    return proc.returncode, proc.stdout.decode(), proc.stderr.decode()


def bundled():
    """(name, sex, births) of every line of the list file."""
    return [(name, sex, sum(by_year)) for name, sex, _, by_year in history()]


def history():
    """(name, sex, sounds-alike key, births year by year) of every line of the list file."""
    rows = []
    with open(TABLE, encoding="utf-8") as table:
        for line in table:
            if line.startswith("#"):
                continue
            name, sex, key, *by_year = line.rstrip("\n").split("\t")
            rows.append((name, "girl" if sex == "F" else "boy", key, [int(n) for n in by_year]))
    return rows


def trend(by_year):
    """The change from 2000-2004 to 2020-2024 in whole percent, halves away from zero."""
    early, late = sum(by_year[:5]), sum(by_year[-5:])
    if early == 0:
        return "new"
    change = Fraction(100 * (late - early), early)
    whole = math.floor(abs(change) + Fraction(1, 2))
    return whole if change >= 0 else -whole


def edits(a, b):
    """Optimal string alignment distance, the whole table."""
    a, b = a.lower(), b.lower()
    d = [[i + j if i * j == 0 else 0 for j in range(len(b) + 1)] for i in range(len(a) + 1)]
    for i in range(1, len(a) + 1):
        for j in range(1, len(b) + 1):
            d[i][j] = min(d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1]))
            if i > 1 and j > 1 and a[i - 1] == b[j - 2] and a[i - 2] == b[j - 1]:
                d[i][j] = min(d[i][j], d[i - 2][j - 2] + 1)
    return d[len(a)][len(b)]


def expected(father, mother, sex=None):
    """The harmonious names as the shortlist weighs them, most births first;
    equal births by name in UTF-16 order, then girl before boy."""
    rows = bundled()
    names = "".join(sorted({name + "\n" for name, _, _ in rows}))
    status, out, err = run(["--father", father, "--mother", mother, "--harmonious"],
                           names.encode())
    assert status == 0, err
    numbers = {}
    for line in out.splitlines():
        name, number, verdict = line.split("\t")
        assert verdict == "Harmonious"
        numbers[name] = int(number)
    kept = [(name, s, births, numbers[name]) for name, s, births in rows
            if name in numbers and (sex is None or s == sex)]
    kept.sort(key=lambda r: (-r[2], r[0].encode("utf-16-be"), r[1] != "girl"))
    return [f"{name}\t{s}\t{number}\t{births}" for name, s, births, number in kept]


class Suggestions(unittest.TestCase):
    PARENTS = ["--father", "John", "--mother", "Zoe"]

    @classmethod
    def setUpClass(cls):
        cls.all = expected("John", "Zoe")

    def suggest(self, *extra):
        status, out, err = run(["--suggest"] + self.PARENTS + list(extra))
        # Nothing is said, but why there is nothing to suggest.
        self.assertEqual((status, err.count("\n")), (0, 0 if out else 1), err)
        return out.splitlines()

    def test_all_of_them_in_order(self):
        self.assertGreater(len(self.all), 1000)
        self.assertEqual(self.suggest("--top", "0"), self.all)

    def test_first_twenty_by_default(self):
        self.assertEqual(self.suggest(), self.all[:20])

    def test_top_keeps_the_first(self):
        for top in ["1", "7", "20", "3160", "100000", "007", "18446744073709551615"]:
            self.assertEqual(self.suggest("--top", top), self.all[:int(top)], top)

    def test_one_sex(self):
        for sex in ["girl", "boy"]:
            chosen = [row for row in self.all if row.split("\t")[1] == sex]
            self.assertEqual(self.suggest("--sex", sex, "--top=0"), chosen)
            self.assertEqual(self.suggest("--sex", sex), chosen[:20])

    def test_other_parents(self):
        for father, mother in [("Ramesh", "Susan"), ("Anne Marie", "Bob"), ("Christopher", "Li")]:
            status, out, err = run(["--suggest", "--father", father, "--mother", mother,
                                    "--top", "0", "--sex", "girl"])
            self.assertEqual(out.splitlines(), expected(father, mother, "girl"), (father, mother))
            # With nothing to suggest, it says why.
            self.assertEqual((status, bool(err)), (0, not out), (father, mother, err))

    def test_length_counts_letters(self):
        for length, fits in [("up-to-4", lambda n: n <= 4), ("5-6", lambda n: 5 <= n <= 6),
                             ("7-or-more", lambda n: n >= 7), ("any", lambda n: True)]:
            self.assertEqual(self.suggest("--length", length, "--top", "0"),
                             [row for row in self.all if fits(len(row.split("\t")[0]))], length)
        status, out, err = run(["--suggest"] + self.PARENTS + ["--length", "short"])
        self.assertEqual((status, out, err), (2, "", "kindrell-reading: --length takes any, "
                                                     "up-to-4, 5-6 or 7-or-more, not 'short'\n"))

    def test_json_lines(self):
        years = {(name, sex): by_year for name, sex, _, by_year in history()}
        lines = self.suggest("--json", "--top", "0")
        self.assertEqual(len(lines), len(self.all))
        for line, row in zip(lines, self.all):
            record = json.loads(line)
            name, sex, number, births = row.split("\t")
            self.assertEqual(record, {
                "Name": name, "Sex": sex, "ChildNumber": int(number), "Births": int(births),
                "BirthsByYear": years[(name, sex)], "Trend": trend(years[(name, sex)]),
                "Verdict": "Harmonious", "MotherVerdictLine": LINES[0],
                "FatherVerdictLine": LINES[1]})
        self.assertIn("new", [json.loads(line)["Trend"] for line in lines])

    def test_like_keeps_the_spellings(self):
        keys = {name: key for name, _, key, _ in history()}
        kept = 0
        for liked in ["aidan", "Sophia", " Zoe ", "KATHERINE"]:
            typed = liked.strip()
            key = next(k for name, k in keys.items() if name.lower() == typed.lower())
            spelled = [row for row in self.all if keys[row.split("\t")[0]] == key
                       and edits(row.split("\t")[0], typed) <= 2]
            kept += len(spelled)
            self.assertEqual(self.suggest("--like", liked, "--top", "0"), spelled, liked)
            self.assertEqual(self.suggest("--like", liked, "--sex", "girl", "--top", "0"),
                             [row for row in spelled if row.split("\t")[1] == "girl"], liked)
        self.assertGreater(kept, 5)

    def test_like_a_name_not_in_the_list(self):
        status, out, err = run(["--suggest"] + self.PARENTS + ["--like", "Zzyzx"])
        self.assertEqual((status, out, err),
                         (0, "", "kindrell-reading: Zzyzx is not in the bundled list\n"))


class MiddleNames(unittest.TestCase):
    def test_full_names_weighed_whole_as_a_shortlist_weighs_them(self):
        rows = bundled()
        for father, mother, liked in [("David", "Sarah", "Sofia"), ("James", "Emily", "Noah")]:
            full = "".join(sorted({f"{liked} {name}\n" for name, _, _ in rows}))
            status, out, err = run(["--father", father, "--mother", mother, "--harmonious"],
                                   full.encode())
            self.assertEqual(status, 0, err)
            numbers = {line.split("\t")[0]: int(line.split("\t")[1]) for line in out.splitlines()}
            kept = [(f"{liked} {name}", sex, births) for name, sex, births in rows
                    if f"{liked} {name}" in numbers]
            kept.sort(key=lambda r: (-r[2], r[0].encode("utf-16-be"), r[1] != "girl"))
            wanted = [f"{n}\t{sex}\t{numbers[n]}\t{births}" for n, sex, births in kept]
            status, out, err = run(["--suggest", "--father", father, "--mother", mother,
                                    "--middle-for", liked, "--top", "0"])
            self.assertEqual((status, err), (0, ""))
            self.assertGreater(len(wanted), 100)
            self.assertEqual(out.splitlines(), wanted, (father, mother, liked))
            status, out, _ = run(["--suggest", "--father", father, "--mother", mother,
                                  "--middle-for", liked, "--sex", "girl", "--top", "3", "--json"])
            records = [json.loads(line) for line in out.splitlines()]
            girls = [w for w in wanted if w.split("\t")[1] == "girl"][:3]
            self.assertEqual([r["Name"] for r in records], [g.split("\t")[0] for g in girls])
            self.assertEqual([liked + " " + r["MiddleName"] for r in records],
                             [r["Name"] for r in records])
            self.assertTrue(all("Trend" in r for r in records))

    def test_no_middle_name_can_help(self):
        status, out, err = run(["--suggest", "--father", "John", "--mother", "Mary",
                                "--middle-for", "Sofia"])
        self.assertEqual((status, out), (0, ""))
        self.assertEqual(err, "kindrell-reading: No middle name can bring Sofia into harmony "
                              "with both parents: for a mother's 3 and a father's 2 every name "
                              "reads Not Harmonious At All, whatever its number.\n")


class Refusals(unittest.TestCase):
    def refused(self, args, message):
        status, out, err = run(args)
        self.assertEqual(status, 2, args)
        self.assertEqual(out, "")
        self.assertEqual(err, message + "\n", args)

    def test_blank_parents_get_the_windows_messages(self):
        self.refused(["--suggest", "--father", "  ", "--mother", "Zoe"],
                     "Please Enter Child's Father Name")
        self.refused(["--suggest", "--father", "John", "--mother", ""],
                     "Please Enter Child's Mother Name")

    def test_sex_other_than_girl_or_boy(self):
        for sex in ["Girl", "girls", "", "f", "both"]:
            self.refused(["--suggest", "--father", "John", "--mother", "Zoe", "--sex", sex],
                         f"kindrell-reading: --sex takes girl or boy, not '{sex}'")

    def test_top_not_a_whole_number(self):
        for top in ["-1", "1.5", "ten", "", "+3", " 3", "0x10", "3 ", "-0",
                    "18446744073709551616"]:
            self.refused(["--suggest", "--father", "John", "--mother", "Zoe", f"--top={top}"],
                         f"kindrell-reading: --top takes a whole number from 0 up, not '{top}'")

    def test_blank_liked_name(self):
        self.refused(["--suggest", "--father", "John", "--mother", "Zoe", "--like", "  "],
                     "kindrell-reading: the liked name is blank: --like needs a name")

    def test_middle_for_a_blank_name_or_one_that_counts_nothing(self):
        parents = ["--suggest", "--father", "John", "--mother", "Zoe"]
        self.refused(parents + ["--middle-for", " "],
                     "kindrell-reading: the name for middle names is blank: --middle-for needs "
                     "a name")
        self.refused(parents + ["--middle-for", "\u674e"],
                     "kindrell-reading: \"\u674e\" has no letter that counts: --middle-for "
                     "needs a name that has")
        status, _, err = run(parents + ["--middle-for", "Sofia", "--like", "Sofia"])
        self.assertEqual(status, 2)
        self.assertTrue(err.startswith("kindrell-reading: --like and --middle-for ask for "
                                       "different names: give one"), err)

    def test_what_was_given_is_repeated_without_its_control_characters(self):
        parents = [b"--suggest", b"--father", b"John", b"--mother", b"Zoe"]
        for extra, status, said in [
            ([b"--like", b"\x1b]0;owned\x07Zed"], 0,
             "in \"\\x1B]0;owned\\x07Zed\", \\x1B, ], 0, ; and \\x07 count nothing\n"
             "kindrell-reading: \\x1B]0;owned\\x07Zed is not in the bundled list"),
            ([b"--sex", b"\x1b[31mred"], 2, "--sex takes girl or boy, not '\\x1B[31mred'"),
            ([b"--top", b"\x9b1"], 2, "--top takes a whole number from 0 up, not '\\x9B1'"),
            ([b"--like", "Qx\u009bë".encode()], 0,
             "in \"Qx\\x9Bë\", \\x9B counts nothing\n"
             "kindrell-reading: Qx\\x9Bë is not in the bundled list"),
        ]:
            proc = subprocess.run([EXE.encode()] + parents + extra, capture_output=True,
                                  timeout=60)
            self.assertEqual((proc.returncode, proc.stdout), (status, b""), extra)
            self.assertEqual(proc.stderr.decode(), f"kindrell-reading: {said}\n", extra)

    def test_usage_mistakes_show_the_synopsis(self):
        status, out, err = run(["--suggest", "--father", "John"])
        self.assertEqual(status, 2)
        self.assertTrue(err.startswith("kindrell-reading: --suggest needs the mother's name"))
        self.assertIn("--suggest --father NAME --mother NAME", err)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: test_suggest.py PATH-TO-kindrell-reading PATH-TO-us-names.tsv")
    TABLE = sys.argv.pop(2)
    EXE = sys.argv.pop(1)
    unittest.main()
