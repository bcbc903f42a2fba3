"""Drives the kindrell-reading executable as a user would.

Usage: test_kindrell_reading.py PATH-TO-kindrell-reading

The expected values are facts about the readings themselves (destiny numbers
worked out by hand from the letter table, the verdict table's entries, the
descriptions' opening words and lengths), not output captured from the
program.
"""

import json
import os
import subprocess
import sys
import tempfile
import threading
import unittest

EXE = None

# Opening words and whole lengths (UTF-16 code units) of the descriptions.
OPENINGS = {
    1: "This tells you are a leader.",
    2: "This number gives you good people managing skills.",
    3: "This number indicates a strong creativity in your nature.",
}
NEGATIVE_OPENINGS = {
    1: "The negative trait of this number includes one becoming egotistic",
    2: "The negative trait of this number is that you can be sensitive",
    3: "The negative trait of Destiny number 3 is unwanted display of show.",
}
LENGTHS = {1: 580, 2: 721, 3: 727, 4: 1334, 5: 778, 6: 908, 7: 936, 8: 729, 9: 561}

READING_KEYS = [
    "ChildNumber", "MotherNumber", "FatherNumber", "Verdict",
    "ChildDestinyCaption", "MotherDestinyCaption", "FatherDestinyCaption",
    "MotherVerdictLine", "FatherVerdictLine",
    "ChildDescription", "MotherDescription", "FatherDescription",
]
SHORTLIST_KEYS = ["Name", "ChildNumber", "Verdict", "MotherVerdictLine", "FatherVerdictLine"]

H, P1, P2, N = ("Harmonious", "Harmonious with parent 1", "Harmonious with parent 2",
                "Not Harmonious At All")
LINES = {
    H: ("Compatibility with Mother: Harmonious", "Compatibility with Father: Harmonious"),
    P1: ("Compatibility with Mother: Harmonious", "Compatibility with Father: Not Harmonious"),
    P2: ("Compatibility with Mother: Not Harmonious", "Compatibility with Father: Harmonious"),
    N: ("Compatibility with Mother: Not Harmonious At All",
        "Compatibility with Father: Not Harmonious At All"),
}


def run(args, stdin=b""):
    """Runs the program with byte arguments; gives (status, stdout, stderr) as bytes."""
    proc = subprocess.run([EXE] + [a if isinstance(a, bytes) else a.encode() for a in args],
                          input=stdin, capture_output=True, timeout=60)
    return proc.returncode, proc.stdout, proc.stderr


def paragraphs(text):
    return text.split("\n\n")


class PlainReading(unittest.TestCase):
    def setUp(self):
        self.status, out, self.err = run(["Mary", "John", "Zoe"])
        self.raw = out
        self.text = out.decode("utf-8")

    def test_succeeds_quietly(self):
        self.assertEqual(self.status, 0)
        self.assertEqual(self.err, b"")

    def test_no_carriage_return_anywhere(self):
        self.assertNotIn(b"\r", self.raw)
        self.assertTrue(self.raw.endswith(b"\n"))

    def test_sections_in_presentation_order(self):
        lines = self.text.split("\n")
        child = lines.index("Child Destiny: 3")
        mother = lines.index("Mother Destiny: 1")
        father = lines.index("Father Destiny: 2")
        mline = lines.index(LINES[H][0])
        fline = lines.index(LINES[H][1])
        self.assertEqual(child, 0)
        self.assertLess(child, mother)
        self.assertLess(mother, father)
        self.assertLess(father, mline)
        self.assertEqual(fline, mline + 1)
        self.assertEqual(lines[fline + 1:], [""], "the father's line ends the output")

    def test_caption_heads_its_description(self):
        lines = self.text.split("\n")
        for caption, number in (("Child Destiny: 3", 3), ("Mother Destiny: 1", 1),
                                ("Father Destiny: 2", 2)):
            at = lines.index(caption)
            self.assertTrue(lines[at + 1].startswith(OPENINGS[number]), lines[at + 1][:60])
            # positive paragraph, empty line, negative paragraph
            self.assertEqual(lines[at + 2], "")
            self.assertTrue(lines[at + 3].startswith(NEGATIVE_OPENINGS[number]))

    def test_paragraphs_are_the_descriptions_with_empty_lines(self):
        # One positive and one negative piece each: their lengths add up to
        # the description's length less the four separator characters.
        lines = self.text.split("\n")
        for caption, number in (("Child Destiny: 3", 3), ("Mother Destiny: 1", 1),
                                ("Father Destiny: 2", 2)):
            at = lines.index(caption)
            self.assertEqual(len(lines[at + 1]) + len(lines[at + 3]), LENGTHS[number] - 4)
            self.assertEqual(lines[at + 4], "", "an empty line closes each section")


class JsonReading(unittest.TestCase):
    def reading(self, *names, extra=()):
        status, out, err = run(["--json", *extra, *names])
        self.assertEqual(status, 0, err)
        self.assertEqual(out.count(b"\n"), 1, "one object on one line")
        return json.loads(out)

    def test_keys_are_exactly_the_reading_fields(self):
        # The order of the reading's keys is not part of its form.
        self.assertEqual(sorted(self.reading("Mary", "John", "Zoe")), sorted(READING_KEYS))

    def test_values_for_mary_john_zoe(self):
        r = self.reading("Mary", "John", "Zoe")
        self.assertEqual((r["ChildNumber"], r["MotherNumber"], r["FatherNumber"]), (3, 1, 2))
        for key in ("ChildNumber", "MotherNumber", "FatherNumber"):
            self.assertIs(type(r[key]), int)
        self.assertEqual(r["Verdict"], H)
        self.assertEqual(r["ChildDestinyCaption"], "Child Destiny: 3")
        self.assertEqual(r["MotherDestinyCaption"], "Mother Destiny: 1")
        self.assertEqual(r["FatherDestinyCaption"], "Father Destiny: 2")
        self.assertEqual((r["MotherVerdictLine"], r["FatherVerdictLine"]), LINES[H])

    def test_descriptions_exact_with_separators(self):
        r = self.reading("Mary", "John", "Zoe")
        for key, number in (("ChildDescription", 3), ("MotherDescription", 1),
                            ("FatherDescription", 2)):
            d = r[key]
            self.assertEqual(len(d), LENGTHS[number], key)
            self.assertEqual(d.count("\r\n\r\n"), 1, key)
            self.assertTrue(d.startswith(OPENINGS[number]), key)
            self.assertEqual(d.split("\r\n\r\n")[1][:40], NEGATIVE_OPENINGS[number][:40])
            self.assertFalse(d.endswith("\n"))

    def test_worked_readings(self):
        cases = [
            (("Mia", "John", "Zoe"), (5, 1, 2), P1),
            (("Ava", "John", "Zoe"), (6, 1, 2), P2),
            (("Mary", "Ramesh", "Susan"), (3, 2, 1), N),
            (("Mary", "Zoe", "John"), (3, 2, 1), N),  # parents swapped: key "21"
            (("Christopher", "John", "Zoe"), (4, 1, 2), P2),
        ]
        for names, numbers, verdict in cases:
            with self.subTest(names=names):
                r = self.reading(*names)
                self.assertEqual((r["ChildNumber"], r["MotherNumber"], r["FatherNumber"]), numbers)
                self.assertEqual(r["Verdict"], verdict)
                self.assertEqual((r["MotherVerdictLine"], r["FatherVerdictLine"]), LINES[verdict])
                self.assertEqual(len(r["ChildDescription"]), LENGTHS[numbers[0]])

    def test_plain_text_is_the_same_descriptions(self):
        r = self.reading("David", "John", "Zoe")
        self.assertEqual(r["ChildNumber"], 4)
        self.assertEqual(r["ChildDescription"].count("\r\n\r\n"), 2)
        status, out, _ = run(["David", "John", "Zoe"])
        self.assertEqual(status, 0)
        text = out.decode("utf-8")
        self.assertIn("Child Destiny: 4\n" + r["ChildDescription"].replace("\r\n", "\n") +
                      "\n\nMother Destiny: 1\n", text)

    def test_non_letters_give_zero_and_empty_description(self):
        r = self.reading("R2-D2 42", "John", "Zoe")
        self.assertEqual(r["ChildNumber"], 4)  # R 9 + D 4
        r = self.reading("1234", "John", "Zoe")
        self.assertEqual(r["ChildNumber"], 0)
        self.assertEqual(r["ChildDestinyCaption"], "Child Destiny: 0")
        self.assertEqual(r["ChildDescription"], "")
        self.assertEqual(r["Verdict"], P2)  # the last column of row "12"

    def test_non_ascii_arguments(self):
        r = self.reading("José", "Zoë", "Zoe")
        self.assertEqual(r["ChildNumber"], 4)  # J 1 + O 6 + S 1 + É 5 = 13
        self.assertEqual(r["FatherNumber"], 1)  # Z 8 + O 6 + Ë 5 = 19 → 10

    def test_explain_adds_working_keys_only_then(self):
        r = self.reading("Mary", "John", "Zoe", extra=["--explain"])
        self.assertEqual(sorted(r), sorted(READING_KEYS + ["ChildWorking", "MotherWorking",
                                                           "FatherWorking"]))
        self.assertEqual(r["ChildWorking"], "M 4 + A 1 + R 9 + Y 7 = 21 → 3")
        self.assertEqual(r["FatherWorking"], "J 1 + O 6 + H 8 + N 5 = 20 → 2")
        self.assertEqual(r["MotherWorking"], "Z 8 + O 6 + E 5 = 19 → 10 → 1")


class ExplainPlain(unittest.TestCase):
    def test_working_under_each_caption(self):
        status, out, _ = run(["--explain", "Mary", "John", "Zoe"])
        self.assertEqual(status, 0)
        lines = out.decode("utf-8").split("\n")
        for caption, working in (("Child Destiny: 3", "M 4 + A 1 + R 9 + Y 7 = 21 → 3"),
                                 ("Mother Destiny: 1", "Z 8 + O 6 + E 5 = 19 → 10 → 1"),
                                 ("Father Destiny: 2", "J 1 + O 6 + H 8 + N 5 = 20 → 2")):
            at = lines.index(caption)
            self.assertEqual(lines[at + 1], working)
        self.assertNotIn(b"\r", out)


class Refusals(unittest.TestCase):
    def check(self, args, message, status=2):
        code, out, err = run(args)
        self.assertEqual(code, status, err)
        self.assertEqual(out, b"")
        self.assertEqual(err.decode("utf-8", "replace"), message + "\n")

    def test_blank_names_in_order(self):
        cases = [
            (["", "", ""], "Please Enter Child's Name"),
            (["  ", "John", "Zoe"], "Please Enter Child's Name"),
            (["Mary", "   ", ""], "Please Enter Child's Father Name"),
            (["Mary", "John", " "], "Please Enter Child's Mother Name"),
            (["--father", "", "--mother", "Zoe"], "Please Enter Child's Father Name"),
            (["--father", "John", "--mother", "  "], "Please Enter Child's Mother Name"),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                self.check(args, message)

    def test_invalid_utf8_argument(self):
        self.check([b"Ma\xc3", b"John", b"Zoe"],
                   "kindrell-reading: the child's name is not valid UTF-8")
        self.check([b"Mary", b"\xed\xa0\x80", b"Zoe"],
                   "kindrell-reading: the father's name is not valid UTF-8")

    def test_too_long_argument(self):
        self.check(["Mary", "John", "a" * 32768],
                   "kindrell-reading: the mother's name is longer than 32767 UTF-16 code units")
        # 16384 characters outside the BMP are 32768 UTF-16 code units.
        self.check(["\U0001F600" * 16384, "John", "Zoe"],
                   "kindrell-reading: the child's name is longer than 32767 UTF-16 code units")
        status, out, _ = run(["\U0001F600" * 16383 + "a", "John", "Zoe"])
        self.assertEqual(status, 0)
        self.assertTrue(out.startswith(b"Child Destiny: 1\n"))

    def usage_error(self, args, fragment):
        code, out, err = run(args)
        self.assertEqual(code, 2)
        self.assertEqual(out, b"")
        first, rest = err.split(b"\n", 1)
        self.assertTrue(first.startswith(b"kindrell-reading: "), first)
        self.assertIn(fragment if isinstance(fragment, bytes) else fragment.encode(), first)
        self.assertTrue(rest.startswith(b"Usage: kindrell-reading"), rest)

    def test_usage_errors(self):
        cases = [
            (["--bogus", "Mary", "John", "Zoe"], "Unknown option 'bogus'."),
            (["-j", "Mary", "John", "Zoe"], "Unknown option 'j'."),
            ([b"--b\xffogus"], b"Unknown option 'b\\xFFogus'."),  # a byte that is not UTF-8, escaped
            ([], "expected three names"),
            (["Mary", "John"], "got 2"),
            (["Mary", "John", "Zoe", "Ann"], "got 4"),
            (["--father", "John"], "mother"),
            (["--father", "John", "--mother", "Zoe", "a", "b"], "at most one FILE"),
            (["--mother", "Zoe", "--father"], "Missing value after '--father'."),
            (["--harmonious", "Mary", "John", "Zoe"], "--harmonious"),
            (["--json=yes", "Mary", "John", "Zoe"], "Unexpected value after '--json'."),
            (["--father", "A", "--father=B", "--mother", "Zoe"],
             "option '--father' given more than once"),
        ]
        for args, fragment in cases:
            with self.subTest(args=args):
                self.usage_error(args, fragment)

    def test_help_and_version_answer_whatever_else_is_given(self):
        cases = [
            (["--bogus", "--help"], b"Usage: kindrell-reading"),
            (["--help", "--bogus"], b"Usage: kindrell-reading"),
            (["-hh"], b"Usage: kindrell-reading"),
            (["--version", "--help"], b"Usage: kindrell-reading"),
            (["--father", "A", "--father=B", "--version"], b"kindrell-reading 1.0.0\n"),
            (["Mary", "--version", "--top"], b"kindrell-reading 1.0.0\n"),
        ]
        for args, start in cases:
            with self.subTest(args=args):
                code, out, err = run(args)
                self.assertEqual((code, err), (0, b""))
                self.assertTrue(out.startswith(start), out[:40])

    def test_double_dash_ends_options(self):
        code, out, _ = run(["--json", "--", "--Mary", "-John", "Zoe"])
        self.assertEqual(code, 0)
        r = json.loads(out)
        self.assertEqual((r["ChildNumber"], r["FatherNumber"]), (3, 2))

    def test_folder_cannot_be_read(self):
        with tempfile.TemporaryDirectory() as folder:
            code, out, err = run(["--father", "John", "--mother", "Zoe", folder])
        self.assertEqual((code, out), (1, b""))
        self.assertEqual(err, b"kindrell-reading: reading the shortlist failed: Is a directory\n")

    def test_missing_file(self):
        code, out, err = run(["--father", "John", "--mother", "Zoe", "/nonexistent/names.txt"])
        self.assertEqual(code, 2)
        self.assertEqual(out, b"")
        self.assertIn(b"cannot open '/nonexistent/names.txt'", err)


class HelpAndVersion(unittest.TestCase):
    def test_help(self):
        for flag in ("--help", "-h"):
            code, out, err = run([flag])
            self.assertEqual(code, 0)
            self.assertEqual(err, b"")
            text = out.decode()
            self.assertTrue(text.startswith("Usage: kindrell-reading"))
            for option in ("--json", "--explain", "--father", "--mother", "--harmonious",
                           "--version"):
                self.assertIn(option, text)

    def test_version(self):
        code, out, err = run(["--version"])
        self.assertEqual((code, out, err), (0, b"kindrell-reading 1.0.0\n", b""))


class Shortlist(unittest.TestCase):
    PARENTS = ["--father", "John", "--mother", "Zoe"]  # key "12"

    def weigh(self, data, extra=(), via_file=False):
        if via_file:
            with tempfile.NamedTemporaryFile(delete=False) as f:
                f.write(data)
            try:
                return run(self.PARENTS + list(extra) + [f.name])
            finally:
                os.unlink(f.name)
        return run(self.PARENTS + list(extra), stdin=data)

    def test_tab_separated_records(self):
        data = b"Mary\nMia\nAva\nKate\n1234\nChristopher\n"
        for via_file in (False, True):
            with self.subTest(via_file=via_file):
                code, out, err = self.weigh(data, via_file=via_file)
                self.assertEqual((code, err), (0, b'kindrell-reading: line 5: in "1234", '
                                                  b'1, 2, 3 and 4 count nothing\n'))
                self.assertEqual(out.decode().split("\n"), [
                    "Mary\t3\tHarmonious",
                    "Mia\t5\tHarmonious with parent 1",
                    "Ava\t6\tHarmonious with parent 2",
                    "Kate\t1\tHarmonious with parent 1",  # K 2 + A 1 + T 2 + E 5 = 10 → 1
                    "1234\t0\tHarmonious with parent 2",
                    "Christopher\t4\tHarmonious with parent 2",
                    "",
                ])

    def test_dash_reads_standard_input(self):
        code, out, _ = run(self.PARENTS + ["-"], stdin=b"Mary\n")
        self.assertEqual((code, out), (0, b"Mary\t3\tHarmonious\n"))

    def test_crlf_blank_lines_bom_and_last_line_without_lf(self):
        data = b"\xef\xbb\xbfMary\r\n\r\n   \r\n\n  Ava  \r\nMia"
        code, out, err = self.weigh(data)
        self.assertEqual((code, err), (0, b""))
        self.assertEqual(out, b"Mary\t3\tHarmonious\nAva\t6\tHarmonious with parent 2\n"
                              b"Mia\t5\tHarmonious with parent 1\n")

    def test_invalid_utf8_lines_are_named_and_skipped(self):
        data = (b"Mary\n"          # 1
                b"\xc0\xafx\n"     # 2 overlong
                b"\n"              # 3 blank, still counted
                b"Ava\n"           # 4
                b"\xed\xa0\x80\n"  # 5 surrogate
                b"\xf4\x90\x80\x80\n"  # 6 above U+10FFFF
                b"Ma\xc3\r\n"      # 7 truncated
                b"Mia\n")          # 8
        code, out, err = self.weigh(data)
        self.assertEqual(code, 1)
        self.assertEqual(out, b"Mary\t3\tHarmonious\nAva\t6\tHarmonious with parent 2\n"
                              b"Mia\t5\tHarmonious with parent 1\n")
        self.assertEqual(err.decode().split("\n"), [
            "kindrell-reading: line 2: not valid UTF-8, skipped",
            "kindrell-reading: line 5: not valid UTF-8, skipped",
            "kindrell-reading: line 6: not valid UTF-8, skipped",
            "kindrell-reading: line 7: not valid UTF-8, skipped",
            "",
        ])

    def test_too_long_lines_are_named_and_skipped(self):
        data = b"Mary\n" + b"a" * 32768 + b"\n" + b"b" * 300000 + b"\n" + b"a" * 32767 + b"\n"
        code, out, err = self.weigh(data, via_file=True)
        self.assertEqual(code, 1)
        self.assertEqual(out, b"Mary\t3\tHarmonious\n" + b"a" * 32767 +
                         b"\t7\tHarmonious with parent 1\n")
        self.assertEqual(err.decode().split("\n"), [
            "kindrell-reading: line 2: name longer than 32767 UTF-16 code units, skipped",
            "kindrell-reading: line 3: name longer than 32767 UTF-16 code units, skipped",
            "",
        ])

    def test_harmonious_filter(self):
        data = b"Mary\nMia\nAva\nAmy\nJo\"e\nZoe\n"
        code, out, _ = self.weigh(data, extra=["--harmonious"])
        self.assertEqual(code, 0)
        # Mary 21 → 3, Amy 12 → 3, Jo"e 12 → 3: child 3 is the only Harmonious
        # column of row "12".
        self.assertEqual(out, b"Mary\t3\tHarmonious\nAmy\t3\tHarmonious\nJo\"e\t3\tHarmonious\n")

    def test_explain_column(self):
        code, out, _ = self.weigh(b"Mary\nZoe\n", extra=["--explain"])
        self.assertEqual(code, 0)
        self.assertEqual(out.decode().split("\n"), [
            "Mary\t3\tHarmonious\tM 4 + A 1 + R 9 + Y 7 = 21 → 3",
            "Zoe\t1\tHarmonious with parent 1\tZ 8 + O 6 + E 5 = 19 → 10 → 1",
            "",
        ])

    def test_json_records_escape_every_character(self):
        # Control characters never reach a record: their lines are refused.
        names = ["Mary", 'Jo"e', "Ma\\ry", "Zoë", "José", "Ma\u2028ry", "\U0001F600 Mia",
                 "Ma\u2029ry"]
        data = "\n".join(names).encode() + b"\n"
        code, out, err = self.weigh(data, extra=["--json"])
        self.assertEqual(code, 0)
        self.assertEqual(err.decode().splitlines(), [
            'kindrell-reading: line 2: in "Jo"e", " counts nothing',
            'kindrell-reading: line 3: in "Ma\\ry", \\ counts nothing',
            'kindrell-reading: line 7: in "\U0001F600 Mia", \U0001F600 counts nothing'])
        for raw in ["\u2028".encode(), "\u2029".encode()]:
            self.assertNotIn(raw, out)
        records = [json.loads(line) for line in out.decode("utf-8").splitlines()]
        self.assertEqual([r["Name"] for r in records], names)
        expected_numbers = [3, 3, 3, 1, 4, 3, 5, 3]  # Zoë as Zoe, José as Jose
        for record, number in zip(records, expected_numbers):
            with self.subTest(name=record["Name"]):
                self.assertEqual(list(record), SHORTLIST_KEYS)
                self.assertEqual(record["ChildNumber"], number)
                verdict = {1: P1, 3: H, 4: P2, 5: P1}[number]
                self.assertEqual(record["Verdict"], verdict)
                self.assertEqual((record["MotherVerdictLine"], record["FatherVerdictLine"]),
                                 LINES[verdict])

    def test_json_explain_adds_child_working(self):
        code, out, _ = self.weigh(b"Mary\n", extra=["--json", "--explain"])
        self.assertEqual(code, 0)
        r = json.loads(out)
        self.assertEqual(list(r), SHORTLIST_KEYS + ["ChildWorking"])
        self.assertEqual(r["ChildWorking"], "M 4 + A 1 + R 9 + Y 7 = 21 → 3")

    def test_parents_numbers_decide(self):
        # Swapped parents: key "21" has no row, so nobody is in harmony.
        code, out, _ = run(["--father", "Zoe", "--mother", "John"], stdin=b"Mary\nAva\n")
        self.assertEqual(code, 0)
        self.assertEqual(out, b"Mary\t3\tNot Harmonious At All\nAva\t6\tNot Harmonious At All\n")

    def test_many_lines_stream_through(self):
        count = 200000
        data = b"Mary\r\nAva\n" * (count // 2)
        code, out, err = self.weigh(data)
        self.assertEqual((code, err), (0, b""))
        lines = out.split(b"\n")
        self.assertEqual(len(lines), count + 1)
        self.assertEqual(lines[count - 2], b"Mary\t3\tHarmonious")
        self.assertEqual(lines[count - 1], b"Ava\t6\tHarmonious with parent 2")

    def test_answers_as_the_lines_come(self):
        # Through a pipe each line is answered before the input ends.
        proc = subprocess.Popen([EXE] + self.PARENTS, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        # An answer held back until the end would block readline() for ever.
        watchdog = threading.Timer(20, proc.kill)
        watchdog.start()
        try:
            proc.stdin.write(b"Mary\n")
            proc.stdin.flush()
            self.assertEqual(proc.stdout.readline(), b"Mary\t3\tHarmonious\n")
            proc.stdin.write(b"Ava\n")
            proc.stdin.flush()
            self.assertEqual(proc.stdout.readline(), b"Ava\t6\tHarmonious with parent 2\n")
        finally:
            watchdog.cancel()
            proc.stdin.close()
            proc.wait(timeout=30)
            proc.stdout.close()
            proc.stderr.close()
        self.assertEqual(proc.returncode, 0)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: test_kindrell_reading.py PATH-TO-kindrell-reading")
    EXE = sys.argv.pop(1)
    unittest.main()
