#!/usr/bin/env python3
"""Turns data/stations.tsv into the program's built-in directory lines ("name,address"), ended
by a line "fin". Names keep every space; bytes outside printable ASCII are escaped."""

import sys


def c_string(text):
    out = []
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\' or not 32 <= byte < 127:
            out.append(f"\\{byte:03o}")
        else:
            out.append(char)
    return '"' + "".join(out) + '"'


def main(source, target):
    with open(source, encoding="utf-8", newline="") as tsv:
        rows = [line.rstrip("\r\n").split("\t") for line in tsv][1:]
    lines = []
    for number, row in enumerate(rows):
        index, name, url = row
        if int(index) != number:
            sys.exit(f"{source}: row {number} carries index {index}")
        if "," in name or "," in url:
            sys.exit(f"{source}: row {number} holds a comma, which would split the line")
        lines.append(f"{name},{url}")
    with open(target, "w", encoding="ascii") as out:
        out.write("// Generated from data/stations.tsv by tools/embed_stations.py. Do not edit.\n")
        out.write('#include "app/station_directory.h"\n\nnamespace app {\n\n')
        out.write("const char* const BuiltInStationLines[] = {\n")
        for line in lines + ["fin"]:
            out.write(f"    {c_string(line)},\n")
        out.write("};\n\n}  // namespace app\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
