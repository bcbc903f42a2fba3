#!/usr/bin/env python3
"""Runs a fixed set of command lines and inputs through kindrell-reading and
records or compares what it prints: standard output, standard error and the
exit status of each.

Usage:
  compare_outputs.py record EXECUTABLE DIR    write each case's outputs to DIR
  compare_outputs.py compare [--allow-changed] EXPECTED ACTUAL
                                              compare two builds

In `compare`, EXPECTED and ACTUAL are each an executable or a folder written
by `record`. Every case must match byte for byte, with one exception: the
reading's single JSON object (`--json` without `--father`/`--mother`) is
compared as a parsed object, so the order of its keys may differ. Exits 0
when all cases match, 1 otherwise.

Some cases are marked Changed: their outputs changed on purpose when a single
pass of QCommandLineParser came to read the command line. A refusal is now
told in the parser's own words, --help and --version answer even a command
line it refuses, and the help gives the exit statuses anew. Comparing with a
build from before that, --allow-changed lists the marked cases that differ
without counting them, so that every other case must still match.
"""

import json
import os
import subprocess
import sys
import tempfile

BOM = b"\xef\xbb\xbf"
EMOJI = "\U0001F600".encode()  # two UTF-16 code units
HAN = "\u4e2d".encode()         # three UTF-8 bytes, one code unit

# Every kind of line a shortlist can hold; the comments give the line number.
MIXED = b"".join([
    BOM + b"Mary\r\n",                 # 1 byte-order mark and CR LF
    b"\n",                             # 2 blank
    b"   \r\n",                        # 3 spaces only
    b"  Mia  \n",                      # 4 trimmed
    b"Ava\r\n",                        # 5
    b"Ma\xc3\n",                       # 6 truncated two-byte sequence
    BOM + b"Amy\n",                    # 7 a mark after the first line is part of the name
    b"123\n",                          # 8 no letters
    b"\xc0\xaf\n",                     # 9 overlong, two bytes
    b"\xe0\x80\xaf\n",                 # 10 overlong, three bytes
    b"\xf0\x80\x80\xaf\n",             # 11 overlong, four bytes
    b"\xed\xa0\x80\n",                 # 12 high surrogate
    b"Jo\xed\xbf\xbfe\n",              # 13 low surrogate
    b"\xf4\x90\x80\x80\n",             # 14 above U+10FFFF
    b"\x80Amy\n",                      # 15 stray continuation byte first
    b"Zo\xbfe\n",                      # 16 stray continuation byte inside
    b"\xe2\x82\n",                     # 17 truncated three-byte sequence
    b"Mia\xf0\x9f\x98\r\n",            # 18 truncated four-byte sequence before CR
    b"\xf8\x88\x80\x80\x80\n",         # 19 five-byte form
    b"\xff\xfe\n",                     # 20 bytes never used
    b"a" * 32767 + b"\n",              # 21 the longest name
    b"a" * 32768 + b"\n",              # 22 one code unit too many
    EMOJI * 16383 + b"a\n",            # 23 32767 code units in 65533 bytes
    EMOJI * 16384 + b"\n",             # 24 32768 code units
    b"b" * 200000 + b"\n",             # 25 too long to keep
    b" " * 98000 + b"\n",              # 26 blank, however long
    b" " * 98306 + b"\n",              # 27 too long to keep, though blank
    b"a" * 32767 + b" \n",             # 28 the trailing space makes it too long
    b"  " + b"a" * 32765 + b"\n",      # 29 leading spaces count too: 32767
    'Jo"e\n'.encode(),                 # 30 JSON escapes ...
    b"Ma\\ry\n",                       # 31
    b"Ma\try\n",                       # 32
    b"\x01Amy\x1f\n",                  # 33
    b"Ann\x7f\n",                      # 34
    b"Ma\x00ry\n",                     # 35
    b"Ma\rry\n",                       # 36 CR inside
    b"Mary\r\r\n",                     # 37 only the last CR goes
    "Ma\u2028ry\n".encode(),           # 38
    "Ma\u2029ry\n".encode(),           # 39
    "\u0085Amy\n".encode(),            # 40 C1 control
    "Zo\u00eb\n".encode(),             # 41
    "Jos\u00e9\n".encode(),            # 42
    EMOJI + b" Mia\n",                 # 43
    "\u00a0Eve\u00a0\n".encode(),      # 44 no-break spaces are not trimmed
    "R2-D2 O'Neil\n".encode(),         # 45
    b"\tZoe\n",                        # 46 a tab is not trimmed
    "Zo\u00eb".encode(),               # 47 last line without LF
])

# The longest lines that are still read whole: 98305 bytes with the mark and CR.
LONGEST = b"".join([
    BOM + HAN * 32767 + b"\r\n",       # 1 98305 bytes, 32767 code units
    HAN * 32767 + b"\n",               # 2
    HAN * 32768 + b"\n",               # 3 98304 bytes, 32768 code units
    HAN * 32767 + b"  \r\n",           # 4 98304 bytes, 32769 code units
    HAN * 32767 + b"\xc3\n",           # 5 not UTF-8 at the very end
    b"Zoe\n",
    b"c" * 98306,                      # 7 too long, and the last line
])


def many_lines(count, refused=True):
    """A long deterministic list that crosses many read and write blocks."""
    syllables = [b"ma", b"ri", b"an", b"el", b"li", b"za", b"jo", b"na", b"ka", b"te", b"ro",
                 b"sa", b"mi", b"le", b"da", b"vi", b"en", b"ol", b"ia", b"us"]
    seed = 12345
    lines = []
    for i in range(count):
        seed = (seed * 1103515245 + 12345) % 2147483648
        length = 1 + seed % 7
        name = b"".join(syllables[(seed >> (3 * k)) % len(syllables)] for k in range(length))
        name = name[:1].upper() + name[1:]
        end = b"\r\n" if i % 3 == 0 else b"\n"
        if i % 1001 == 500 and refused:
            name = b"Bad\xff" + name
        elif i % 997 == 13:
            name = b""
        elif i % 89 == 7:
            name = b" " + name + b" Lee "
        lines.append(name + end)
    return b"".join(lines)


def build_inputs(folder):
    files = {
        "mixed": MIXED,
        "longest": LONGEST,
        "many": many_lines(300000),
        "many_valid": many_lines(300000, refused=False),
        "empty": b"",
        "bom_only": BOM,
        "blank_lines": b"\n\r\n   \n",
        "first_too_long": BOM + b"x" * 120000 + b"\nMary\n",
    }
    paths = {}
    for name, data in files.items():
        paths[name] = os.path.join(folder, name + ".txt")
        with open(paths[name], "wb") as f:
            f.write(data)
    paths["folder"] = folder
    return files, paths


class Changed(list):
    """The arguments of a case whose output changed on purpose (see above)."""


def cases(files, paths):
    """(name, arguments, standard input, options) for every case."""
    parents = ["--father", "John", "--mother", "Zoe"]
    out = []

    def add(name, args, stdin=b"", full=False):
        changed = isinstance(args, Changed)
        args = [a if isinstance(a, bytes) else a.encode() for a in args]
        # The reading's one JSON object, as opposed to a shortlist's lines.
        json_object = b"--json" in args and not any(
            a.startswith(b"--father") or a.startswith(b"--mother") for a in args)
        out.append((name, args, stdin,
                    {"json_object": json_object, "full": full, "changed": changed}))

    # Readings.
    for flags, tag in (([], "text"), (["--json"], "json"), (["--explain"], "explain"),
                       (["--json", "--explain"], "json_explain")):
        add(f"reading_{tag}", flags + ["Mary", "John", "Zoe"])
        add(f"reading_{tag}_flags_last", ["Mary", "John", "Zoe"] + flags)
        for child in ["A", "B", "C", "D", "E", "F", "G", "H", "I", "1234"]:
            add(f"reading_{tag}_child_{child}", flags + [child, "John", "Zoe"])
        for names in (["Mary", "Zoe", "John"], ["Mary", "1", "Zoe"], ["Mary", "John", "2"],
                      ["Jos\u00e9", "Zo\u00eb", "Zoe"], ["R2-D2 42", "John", "Zoe"],
                      ["  mARY  ", "JOHN", "zoe"], ["Christopher", "Ramesh", "Susan"],
                      ["a" * 32767, "John", "Zoe"], ["\U0001F600" * 16383 + "a", "John", "Zoe"],
                      ["I" * 5000, "John", "Zoe"], ["Anne-Marie O'Neil", "John", "Zoe"]):
            add(f"reading_{tag}_{len(out)}", flags + names)

    # Shortlists.
    shortlist_flags = [[], ["--json"], ["--explain"], ["--json", "--explain"], ["--harmonious"],
                       ["--harmonious", "--json"], ["--harmonious", "--explain"]]
    for flags in shortlist_flags:
        tag = "_".join(f.strip("-") for f in flags) or "tab"
        for name in ("mixed", "longest", "many", "first_too_long"):
            add(f"shortlist_{tag}_{name}_file", parents + flags + [paths[name]])
        add(f"shortlist_{tag}_mixed_stdin", flags + parents, stdin=files["mixed"])
        add(f"shortlist_{tag}_many_stdin", parents + flags, stdin=files["many"])
    for name in ("empty", "bom_only", "blank_lines"):
        add(f"shortlist_{name}_file", parents + [paths[name]])
        add(f"shortlist_{name}_stdin", parents, stdin=files[name])
    add("shortlist_dash_is_stdin", parents + ["-"], stdin=files["mixed"])
    add("shortlist_equals_form", ["--father=John", "--mother=Zoe", paths["mixed"]])
    add("shortlist_parents_swapped", ["--father", "Zoe", "--mother", "John", paths["mixed"]])
    add("shortlist_parent_without_letters", ["--mother", "Mary", "--father=42", paths["mixed"]])
    add("shortlist_json_parents_swapped",
        ["--json", "--father", "Zoe", "--mother", "John", paths["mixed"]])
    add("shortlist_father_looks_like_option", ["--father", "--json", "--mother", "Zoe"],
        stdin=b"Mary\n")
    add("shortlist_help_as_father", ["--father", "--help", "--mother", "Zoe"], stdin=b"Mary\n")
    add("shortlist_names_after_double_dash", parents + ["--", "-"], stdin=b"Mary\n")
    add("shortlist_non_ascii_parents", ["--father", "Jos\u00e9", "--mother", "Zo\u00eb"],
        stdin=files["mixed"])
    add("shortlist_folder", parents + [paths["folder"]])
    add("shortlist_missing_file", parents + ["/nonexistent/kindrell/names.txt"])
    add("shortlist_missing_file_not_utf8", parents + [b"/nonexistent/\xff.txt"])
    add("shortlist_missing_dash_file", parents + ["--", "-list"])

    # Refused names.
    for i, names in enumerate([["", "", ""], ["  ", "John", "Zoe"], ["Mary", "   ", ""],
                               ["Mary", "John", " "], ["--json", "Mary", "John", " "],
                               [b"Ma\xc3", b"", b""], [b"", b"\xed\xa0\x80", b""],
                               [b"Mary", b"John", b"\xc0\xaf"], [b"\x80Mary", b"John", b"Zoe"],
                               [b"Mary", b"Jo\xe2\x82", b"Zoe"],
                               ["Mary", "John", "a" * 32768],
                               ["\U0001F600" * 16384, "John", "Zoe"],
                               ["Mary", "a" * 32767 + " ", "Zoe"],
                               ["--father", "", "--mother", "Zoe"],
                               ["--father", "John", "--mother", "  "],
                               ["--father=John", "--mother="], ["--father=", "--mother=Zoe"],
                               [b"--father", b"\xc0\xaf", b"--mother", b"Zoe"],
                               [b"--father", b"John", b"--mother=\xff"],
                               ["--father", "a" * 32768, "--mother", "Zoe"]]):
        add(f"refused_name_{i}", names, stdin=b"Mary\n")

    # Refused command lines, and which of two mistakes is told. New cases go
    # at the end, so that each keeps its name in folders recorded before.
    for i, args in enumerate([[], ["Mary", "John"], ["Mary", "John", "Zoe", "Ann"],
                              Changed(["--bogus", "Mary", "John", "Zoe"]),
                              Changed(["-x", "Mary", "John", "Zoe"]),
                              Changed(["-j", "Mary", "John", "Zoe"]),
                              Changed(["-json", "Mary", "John", "Zoe"]),
                              Changed(["---json", "Mary", "John", "Zoe"]),
                              Changed(["--json=x", "A", "B", "C"]),
                              Changed(["--help=x"]), Changed(["-hh"]), Changed(["-hx"]),
                              Changed(["-?"]), Changed(["-v"]),
                              Changed([b"--b\xffogus", b"A", b"B", b"C"]),
                              Changed(["--fathers=John", "--mother=Zoe"]), ["--father", "John"],
                              ["--mother", "Zoe", "list"],
                              Changed(["--mother", "Zoe", "--father"]),
                              Changed(["--father", "A", "--father"]),
                              ["--father", "John", "--mother", "Zoe", "a", "b"],
                              ["--father", "John", "--father=Jim", "--mother", "Zoe"],
                              ["--mother", "Zoe", "--mother", "Zoe", "--father", "John"],
                              ["--harmonious", "Mary", "John", "Zoe"],
                              ["--harmonious", "--json", "Mary", "John"],
                              Changed(["--bogus", "--help"]), Changed(["--help", "--bogus"]),
                              Changed(["Mary", "--bogus", "John", "--version"]),
                              Changed(["--father", "A", "--father", "B", "--help"]),
                              Changed(["--help", "--father", "A", "--father", "B"]),
                              ["--json", "--", "--Mary", "-John", "Zoe"],
                              ["--", "--help", "John", "Zoe"], ["--", "--bogus"],
                              ["-", "John", "Zoe"], ["--json", "--json", "Mary", "John", "Zoe"],
                              Changed(["--bogus", "Mary", "-x", "John", "Zoe"]),
                              ["--sex", "girl", "--sex=boy", "A", "B", "C"],
                              ["--father", "A", "--father", "B"],
                              ["Mary", "--version", "--top"]]):
        add(f"command_line_{i}", args)

    # Help and version.
    for i, args in enumerate([Changed(["--help"]), Changed(["-h"]), Changed(["Mary", "--help"]),
                              ["--version"], Changed(["--version", "--help"]),
                              Changed(["--help", "--version"]),
                              Changed(["--bogus", "--version"])]):
        add(f"help_version_{i}", args)

    # Output that cannot be written.
    add("full_reading", ["Mary", "John", "Zoe"], full=True)
    add("full_reading_json", ["--json", "Mary", "John", "Zoe"], full=True)
    # Which lines a failed run has reported by the time it stops depends on
    # when its output is written: a list with no refusals tells only the failure.
    add("full_shortlist", parents + [paths["many_valid"]], full=True)
    add("full_shortlist_json", ["--json"] + parents, stdin=files["many_valid"], full=True)
    add("full_shortlist_short", parents + [paths["mixed"]], full=True)
    add("full_help", ["--help"], full=True)
    return out


def run_case(executable, args, stdin, full):
    if full:
        with open("/dev/full", "wb") as sink:
            proc = subprocess.run([executable] + args, input=stdin, stdout=sink,
                                  stderr=subprocess.PIPE, timeout=120)
        return b"", proc.stderr, proc.returncode
    proc = subprocess.run([executable] + args, input=stdin, capture_output=True, timeout=120)
    return proc.stdout, proc.stderr, proc.returncode


def outputs_of(source, all_cases):
    """Yields (out, err, status) per case, from an executable or a record folder."""
    for name, args, stdin, options in all_cases:
        if os.path.isdir(source):
            def read(suffix):
                with open(os.path.join(source, name + suffix), "rb") as f:
                    return f.read()
            yield read(".out"), read(".err"), int(read(".status"))
        else:
            yield run_case(source, args, stdin, options["full"])


def same_json_object(a, b):
    try:
        return (a.endswith(b"\n") and b.endswith(b"\n") and a.count(b"\n") == 1 and
                b.count(b"\n") == 1 and json.loads(a) == json.loads(b))
    except ValueError:
        return False


def main(argv):
    allow_changed = argv[2:3] == ["--allow-changed"] and argv[1] == "compare"
    if allow_changed:
        argv = argv[:2] + argv[3:]
    if len(argv) != 4 or argv[1] not in ("record", "compare"):
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as folder:
        files, paths = build_inputs(folder)
        all_cases = cases(files, paths)
        if argv[1] == "record":
            os.makedirs(argv[3], exist_ok=True)
            for (name, _, _, _), (out, err, status) in zip(all_cases, outputs_of(argv[2],
                                                                                   all_cases)):
                for suffix, data in ((".out", out), (".err", err), (".status", b"%d" % status)):
                    with open(os.path.join(argv[3], name + suffix), "wb") as f:
                        f.write(data)
            print(f"recorded {len(all_cases)} cases in {argv[3]}")
            return 0
        failures = 0
        changed = 0
        for (name, _, _, options), expected, actual in zip(all_cases,
                                                           outputs_of(argv[2], all_cases),
                                                           outputs_of(argv[3], all_cases)):
            problems = []
            if expected[2] != actual[2]:
                problems.append(f"status {expected[2]} != {actual[2]}")
            if expected[1] != actual[1]:
                problems.append(f"stderr differs: {expected[1][:200]!r} != {actual[1][:200]!r}")
            if options["json_object"] and expected[2] == 0:
                if not same_json_object(expected[0], actual[0]):
                    problems.append("stdout: the JSON objects differ")
            elif expected[0] != actual[0]:
                at = next((i for i, (x, y) in enumerate(zip(expected[0], actual[0])) if x != y),
                          min(len(expected[0]), len(actual[0])))
                problems.append(f"stdout differs at byte {at} (lengths {len(expected[0])}, "
                                f"{len(actual[0])}): {expected[0][at:at + 60]!r} != "
                                f"{actual[0][at:at + 60]!r}")
            if problems and allow_changed and options["changed"]:
                changed += 1
                print(f"CHANGED {name}: " + "; ".join(problems))
            elif problems:
                failures += 1
                print(f"DIFFERS {name}: " + "; ".join(problems))
        print(f"{len(all_cases) - failures - changed} of {len(all_cases)} cases match" +
              (f"; {changed} marked Changed differ" if allow_changed else ""))
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
