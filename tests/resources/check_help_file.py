#!/usr/bin/env python3
"""Reads the compiled Torvane.chm back with an independent CHM reader
(enum_chmLib and test_chmLib) and checks what the help viewer relies on:
every context number of the program's header maps to a topic stored in the
file, with the title expected for that screen; the table of contents, the
index and the topics' own links name only topics in the file, and every
topic is reachable from the table of contents.

Usage: check_help_file.py <Torvane.chm> <HelpIds.h>
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

# The screen each context belongs to: the title its topic must carry.
EXPECTED_TITLES = {
    "IDH_MAINWINDOW": "Torvane at a glance",
    "IDH_SNAPSHOT": "Instant snap-shot",
    "IDH_DELAYED": "Delayed snap-shot",
    "IDH_SEQUENCE": "Timed sequence of snap-shots",
    "IDH_MOVIE": "Recording a movie",
    "IDH_TIMELAPSE": "Time-lapse movie",
    "IDH_MOTION": "Motion detector",
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def stored_names(chm):
    listing = subprocess.run(["enum_chmLib", chm], capture_output=True, text=True, check=True).stdout
    return {line.split("\t")[-1] for line in listing.splitlines() if "\t" in line and " file" in line}


def extract(chm, name, folder):
    target = os.path.join(folder, name.strip("/").replace("/", "_") or "root")
    subprocess.run(["test_chmLib", chm, name, target], capture_output=True, check=True)
    with open(target, "rb") as f:
        return f.read()


def context_map(ivb, strings):
    """#IVB: a byte count, then (context number, offset into #STRINGS) pairs."""
    (size,) = struct.unpack_from("<I", ivb, 0)
    check(size == len(ivb) - 4, f"#IVB declares {size} bytes but holds {len(ivb) - 4}")
    pairs = {}
    for offset in range(4, 4 + size - size % 8, 8):
        number, at = struct.unpack_from("<II", ivb, offset)
        end = strings.find(b"\0", at)
        check(at < len(strings) and end > at, f"context {number} points outside #STRINGS")
        pairs[number] = strings[at:end].decode("latin-1")
    return pairs


def title_of(html):
    match = re.search(rb"<title>(.*?)</title>", html, re.I | re.S)
    return match.group(1).decode("utf-8").strip() if match else None


def main(chm, header):
    with open(header) as f:
        contexts = {name: int(value) for name, value in re.findall(r"#define\s+(IDH_\w+)\s+(\d+)", f.read())}
    check(set(contexts) == set(EXPECTED_TITLES), f"contexts of the header: {sorted(contexts)}")
    names = stored_names(chm)
    topics = {n for n in names if n.endswith(".htm")}
    check(len(topics) >= 14, f"only {len(topics)} topics stored")

    with tempfile.TemporaryDirectory() as folder:
        mapped = context_map(extract(chm, "/#IVB", folder), extract(chm, "/#STRINGS", folder))
        check(set(mapped) == set(contexts.values()),
              f"mapped numbers {sorted(mapped)} differ from the program's {sorted(contexts.values())}")
        for name, number in sorted(contexts.items(), key=lambda item: item[1]):
            target = mapped.get(number)
            if target not in names:
                check(False, f"context {number} ({name}) maps to {target!r}, not a stored topic")
                continue
            title = title_of(extract(chm, target, folder))
            check(title == EXPECTED_TITLES.get(name), f"context {number} opens {target} titled {title!r}")

        def locals_of(sitemap):
            return re.findall(rb'<param name="Local" value="([^"]+)"', sitemap, re.I)

        toc = extract(chm, "/Torvane.hhc", folder)
        index = extract(chm, "/Torvane.hhk", folder)
        in_toc = {"/" + local.decode() for local in locals_of(toc)}
        check(in_toc == topics, f"topics outside the contents: {sorted(topics - in_toc)}, "
                                f"contents entries not stored: {sorted(in_toc - topics)}")
        index_entries = locals_of(index)
        check(len(index_entries) >= 20, f"the index has only {len(index_entries)} entries")
        for local in index_entries:
            check("/" + local.decode() in topics, f"index entry names missing topic {local.decode()}")
        for topic in sorted(topics):
            html = extract(chm, topic, folder)
            check(title_of(html), f"{topic} has no title")
            for link in re.findall(rb'(?:href|src)="([^"#:]+)', html, re.I):
                check("/" + link.decode() in names, f"{topic} links to missing {link.decode()}")

    for failure in failures:
        print("FAIL:", failure)
    print("PASS" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
