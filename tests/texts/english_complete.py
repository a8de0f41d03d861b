#!/usr/bin/env python3
"""Fails when a text of the program's catalogue has no finished English translation.

  english_complete.py CATALOGUE ENGLISH

CATALOGUE is the Chinese catalogue (every text of the sources), ENGLISH the English one. A text is
finished when the English catalogue holds it with a translation that is not marked unfinished, is
not empty and keeps the same placeholders (%1, %2, %n) as its source. Every text that is not is
listed, with its context, so that whoever translates them sees what is left.
"""
import re
import sys
import xml.etree.ElementTree as ET


def text_of(element):
    # Line breaks written as <byte value="xd"/> are part of the text.
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value").lstrip("x"), 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is not None and translation.get("type") in ("obsolete", "vanished"):
                continue
            found[(name, text_of(message.find("source")))] = message
    return found


def placeholders(text):
    return sorted(set(re.findall(r"%(?:\d+|n)", text)))


def problem(source, message):
    if message is None:
        return "not in the English catalogue"
    translation = message.find("translation")
    if translation is None or translation.get("type") == "unfinished":
        return "not translated"
    forms = [text_of(form) for form in translation.iter("numerusform")] or [text_of(translation)]
    if any(not form.strip() for form in forms):
        return "empty translation"
    for form in forms:
        if placeholders(form) != placeholders(source):
            return f"placeholders {placeholders(form)} where the source has {placeholders(source)}"
    return None


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    english = messages(argv[2])
    missing = []
    for (context, source), _ in sorted(messages(argv[1]).items()):
        why = problem(source, english.get((context, source)))
        if why:
            missing.append(f"  {context}: {source!r} ({why})")
    if missing:
        print(f"{len(missing)} texts have no finished English translation in {argv[2]}:")
        print("\n".join(missing))
        return 1
    print(f"every text of {argv[1]} has its English translation")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
