#!/usr/bin/env python3
"""Fails when a Chinese string literal in the sources is not a text of the catalogue.

A text the teacher reads is written as tr("..."), QCoreApplication::translate("Context", "...") or,
for a constant, QT_TRANSLATE_NOOP("Context", "...") / QT_TR_NOOP("..."); the catalogue is built from
those. A Chinese literal anywhere else would be shown untranslated in every other language, unless
it is one of the few below that are not the program's own words.

  texts_outside_catalogue.py <folder>                 lists the bare literals; exit 1 when there are any
  texts_outside_catalogue.py --expect <n> <folder>    exit 0 only when exactly n are found (the scanner's
                                                      own check, on the samples beside this script)
"""
import os
import re
import sys

# Chinese literals that stay as they are in every language, because they are not texts of ours:
ALLOWED = {
    # A font family name (the windows were designed with it); the name is what fontconfig matches.
    "宋体",
    # Window titles of other programs' slide shows, matched to tell that a show is running: they are
    # the titles those programs give, whatever our language.
    "POWERPOINT 幻灯片放映",
    "正在演示: ",
    "正在演示：",
    # The order file beside a name list: its name and header row are the same whoever writes it, as
    # the list it belongs to is shared.
    "-抽签顺序-",
    "顺序,编号,姓名\\r\\n",
}

TRANSLATING = {"tr", "QT_TR_NOOP", "QT_TR_N_NOOP", "translate", "QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3",
               "QT_TRANSLATE_N_NOOP", "QT_TRANSLATE_N_NOOP3"}
WITH_CONTEXT = {"translate", "QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3", "QT_TRANSLATE_N_NOOP",
                "QT_TRANSLATE_N_NOOP3"}
CHINESE = re.compile(r"[\u3400-\u9fff\uf900-\ufaff]")
TOKEN = re.compile(r"""
    (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<string>(?:u8|u|U|L)?"(?:[^"\\\n]|\\.)*")
  | (?P<char>(?:u8|u|U|L)?'(?:[^'\\\n]|\\.)*')
  | (?P<word>[A-Za-z_][A-Za-z_0-9]*)
  | (?P<space>\s+)
  | (?P<other>.)
""", re.VERBOSE | re.DOTALL)


def tokens(text):
    """The tokens that matter here, with their line: words, string literals, punctuation."""
    line = 1
    for match in TOKEN.finditer(text):
        kind = match.lastgroup
        value = match.group()
        if kind not in ("comment", "space"):
            yield kind, value, line
        line += value.count("\n")


def body(literal):
    return literal[literal.index('"') + 1:-1]


def bare_literals(text):
    """(line, text) of each Chinese literal that is not the source text of a translation call."""
    found = []
    toks = list(tokens(text))
    i = 0
    while i < len(toks):
        if toks[i][0] != "string":
            i += 1
            continue
        # Adjacent literals are one text, as the compiler joins them.
        start = i
        while i < len(toks) and toks[i][0] == "string":
            i += 1
        joined = "".join(body(t[1]) for t in toks[start:i])
        if not CHINESE.search(joined) or joined in ALLOWED:
            continue
        if not is_source_text(toks, start):
            found.append((toks[start][2], joined))
    return found


def is_source_text(toks, start):
    def at(k):
        return toks[k] if k >= 0 else ("", "", 0)

    # tr("...") and QT_TR_NOOP("...")
    if at(start - 1)[1] == "(" and at(start - 2)[1] in TRANSLATING - WITH_CONTEXT:
        return True
    # translate("Context", "...") and QT_TRANSLATE_NOOP("Context", "...")
    if at(start - 1)[1] == "," and at(start - 2)[0] == "string" and at(start - 3)[1] == "(" \
            and at(start - 4)[1] in WITH_CONTEXT:
        return True
    return False


def scan(folder):
    found = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            with open(path, encoding="utf-8") as source:
                for line, text in bare_literals(source.read()):
                    found.append("%s:%d: \"%s\"" % (os.path.relpath(path, folder), line, text))
    return found


def main(argv):
    expected = None
    if len(argv) == 4 and argv[1] == "--expect":
        expected, folder = int(argv[2]), argv[3]
    elif len(argv) == 2:
        folder = argv[1]
    else:
        print(__doc__, file=sys.stderr)
        return 2
    found = scan(folder)
    for entry in found:
        print(entry)
    if expected is not None:
        if len(found) != expected:
            print("expected %d bare literals, found %d" % (expected, len(found)), file=sys.stderr)
            return 1
        return 0
    if found:
        print("%d Chinese literal(s) outside the catalogue: write them as tr(\"...\") or "
              "QCoreApplication::translate(\"Context\", \"...\"), then build the target "
              "'translations'" % len(found), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
