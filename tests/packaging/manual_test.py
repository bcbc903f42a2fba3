#!/usr/bin/python3
"""kindrell-reading's manual page and bash completion against its --help:
each names every option --help lists, and nothing else; the completion
offers the values of --sex and file names.

    manual_test.py KINDRELL_READING MAN_DIR BASH_COMPLETION
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

READING, MAN_DIR, COMPLETION = (os.path.abspath(arg) for arg in sys.argv[1:4])


def help_options():
    text = subprocess.run([READING, "--help"], capture_output=True, text=True, check=True).stdout
    listed = text.split("Options:\n", 1)[1].split("\n\n", 1)[0]
    options = set()
    for line in listed.splitlines():
        match = re.match(r"  (-\w, )?(--[\w-]*)", line)
        if match:
            options.update(o.rstrip(", ") for o in match.groups() if o)
    return options


def manual_options():
    with open(os.path.join(MAN_DIR, "kindrell-reading.1"), encoding="utf-8") as page:
        source = page.read()
    section = source.split(".SH OPTIONS\n", 1)[1].split("\n.SH ", 1)[0]
    options = set()
    lines = section.splitlines()
    for tag, line in zip(lines, lines[1:]):
        if tag == ".TP":
            options.update(o.replace("\\-", "-")
                           for o in re.findall(r"(\\-\\-\w+(?:\\?-\w+)*|\\-\\-(?=\s|$)|\\-\w(?=\W))", line))
    return options


def complete(*words, folder=None):
    """What the completion offers for the last of `words`."""
    script = ('source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); '
              '_kindrell_reading; printf "%s\\n" "${COMPREPLY[@]}"')
    out = subprocess.run(["bash", "-c", script, "bash", COMPLETION, "kindrell-reading", *words],
                         capture_output=True, text=True, check=True, cwd=folder).stdout
    return set(filter(None, out.split("\n")))


class ManualAndCompletion(unittest.TestCase):
    def test_the_manual_describes_the_options_help_lists(self):
        self.assertEqual(manual_options(), help_options())

    def test_the_completion_offers_the_options_help_lists(self):
        self.assertEqual(complete("-"), help_options())
        self.assertEqual(complete("--s"), {"--sex", "--suggest"})

    def test_the_completion_offers_the_values_of_sex(self):
        self.assertEqual(complete("--suggest", "--sex", ""), {"girl", "boy"})
        self.assertEqual(complete("--sex", "g"), {"girl"})
        self.assertEqual(complete("--sex", "=", ""), {"girl", "boy"})
        self.assertEqual(complete("--sex", "=", "b"), {"boy"})

    def test_names_get_nothing_and_a_shortlist_gets_file_names(self):
        self.assertEqual(complete("--father", ""), set())
        with tempfile.TemporaryDirectory() as folder:
            for name in ("names list.txt", "notes.md"):
                open(os.path.join(folder, name), "w").close()
            self.assertEqual(complete("--father", "John", "--mother", "Zoe", "na", folder=folder),
                             {"names list.txt"})


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
