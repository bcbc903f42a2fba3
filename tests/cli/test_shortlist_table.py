"""Drives `kindrell-reading` with shortlists saved as tables (.csv), as the
name finder and spreadsheets write them.

Usage: test_shortlist_table.py PATH-TO-kindrell-reading
"""

import json
import os
import subprocess
import sys
import tempfile
import unittest

EXE = None
PARENTS = ["--father", "John", "--mother", "Zoe"]


def weigh(table, *options):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "Our names.csv")
        with open(path, "wb") as f:
            f.write(table)
        proc = subprocess.run([EXE] + PARENTS + list(options) + [path],
                              capture_output=True, timeout=60)
    return proc.returncode, proc.stdout.decode(), proc.stderr.decode()


class ShortlistTable(unittest.TestCase):
    def test_the_name_column_is_weighed_with_its_sex(self):
        table = (b"\xef\xbb\xbfNumber,Sex,Name\r\n"
                 b"9,girl,Mary\r\n"
                 b"9,boy,\"Zo\xc3\xab, \"\"Zee\"\"\"\r\n"
                 b"9,,\"Anne\r\nMarie\"\r\n"
                 b"9,F\r\n")  # no Name field: nothing to weigh
        code, out, err = weigh(table)
        self.assertEqual((code, err), (0, 'kindrell-reading: line 3: in "Zo\u00eb, "Zee"", , and " '
                                          'count nothing\n'))
        self.assertEqual(out.splitlines(), [
            "Mary\t3\tHarmonious",
            "Zo\u00eb, \"Zee\"\t1\tHarmonious with parent 1",  # Z 8 + O 6 + E 5 + Z 8 + E 5 + E 5
            "Anne Marie\t8\tHarmonious with parent 2",
        ])
        code, out, _ = weigh(table, "--json")
        records = [json.loads(line) for line in out.splitlines()]
        self.assertEqual([(r["Name"], r.get("Sex")) for r in records],
                         [("Mary", "girl"), ("Zo\u00eb, \"Zee\"", "boy"), ("Anne Marie", None)])

    def test_a_table_without_a_name_column_is_refused(self):
        code, out, err = weigh(b"First,Sex\r\nMary,girl\r\n")
        self.assertEqual((code, out), (2, ""))
        self.assertEqual(err, "kindrell-reading: the table has no Name column in its first row, "
                              "so it holds no names to weigh\n")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: test_shortlist_table.py PATH-TO-kindrell-reading")
    EXE = sys.argv.pop(1)
    unittest.main()
