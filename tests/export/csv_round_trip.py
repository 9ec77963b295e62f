#!/usr/bin/env python3
"""zuninfo-export's CSV of the sample data, read back with Python's csv
module, gives the sample's records: every field's value, and for the id
fields the name the list gives the id (the last line for an id wins), as a
reader of the files written here makes them.

Usage: csv_round_trip.py ZUNINFO_EXPORT EXAMPLES_FOLDER
"""
import csv
import io
import os
import subprocess
import sys

FIELDS = 23
ID_FIELDS = {1: "mons.txt", 8: "attacks.txt", 9: "attacks.txt", 10: "skills.txt", 11: "skills.txt"}


def read_list(path):
    names = {}
    for line in open(path, "rb").read().split(b"\r\n"):
        if line:
            cut = min(i for i in (line.find(b" "), line.find(b":")) if i >= 0)
            names[int(line[:cut])] = line[cut + 1:].decode("utf-8")
    return names


def read_records(path):
    records = []
    for line in open(path, "rb").read().split(b"\r\n"):
        if line and not line.startswith(b";"):
            records.append([int(token) for token in line.split()[:FIELDS]])
    return records


def main():
    export, examples = sys.argv[1], sys.argv[2]
    lists = {name: read_list(os.path.join(examples, name)) for name in set(ID_FIELDS.values())}
    files = [os.path.join(examples, name) for name in sorted(lists)] + [os.path.join(examples, "zuninfo.qdf")]
    out = subprocess.run([export] + files, check=True, capture_output=True).stdout
    rows = list(csv.reader(io.StringIO(out.decode("utf-8"), newline="")))
    expected = read_records(files[-1])
    assert len(rows) == len(expected) + 1, (len(rows), len(expected))
    for number, (row, record) in enumerate(zip(rows[1:], expected)):
        cells = iter(row)
        for field, value in enumerate(record):
            if field in ID_FIELDS:
                name = next(cells)
                assert name == lists[ID_FIELDS[field]].get(value, ""), (number, field, name)
            assert int(next(cells)) == value, (number, field)
    print("%d records read back" % len(expected))


if __name__ == "__main__":
    main()
