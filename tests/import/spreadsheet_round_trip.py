#!/usr/bin/env python3
"""The round trip through a real spreadsheet program: zuninfo-export's xlsx,
turned by LibreOffice (headless) into ods, a semicolon CSV in UTF-8, a comma
CSV in Windows-1252, UTF-16 text and xlsx again, each imported back with -o
to the monster file's own bytes. On the sample data, and on names that a
spreadsheet would take for numbers, dates, times, percentages or formulas,
or that hold a semicolon and a tab. Skipped (exit code 77) where LibreOffice
is not installed.

Usage: spreadsheet_round_trip.py ZUNINFO_EXPORT ZUNINFO_IMPORT EXAMPLES_FOLDER
"""
import os
import shutil
import subprocess
import sys
import tempfile

# What LibreOffice writes, by its filter options: separator, text delimiter,
# character set (76 UTF-8, 1252 Windows-1252, 65535 UTF-16), first line.
SAVES = [
    ("ods", "ods", "ods"),
    ("semicolon CSV in UTF-8", "csv:Text - txt - csv (StarCalc):59,34,76,1", "csv"),
    ("comma CSV in Windows-1252", "csv:Text - txt - csv (StarCalc):44,34,1252,1", "csv"),
    ("UTF-16 text with tabs", "txt:Text - txt - csv (StarCalc):9,34,65535,1", "txt"),
    ("xlsx", "xlsx", "xlsx"),
]

ODD_NAMES = ["007", "1E5", "1/2", "12:30", "50%", "=Imp", "Orc; the\tTall", "\u00c9mile \"Quick\""]


def odd_data(folder):
    os.makedirs(folder)
    with open(os.path.join(folder, "mons.txt"), "wb") as names:
        for i, name in enumerate(ODD_NAMES, 1):
            names.write(f"{i} {name}\r\n".encode("utf-8"))
    for other in ("skills.txt", "attacks.txt"):
        open(os.path.join(folder, other), "wb").write(b"1 Bite\r\n")
    with open(os.path.join(folder, "zuninfo.qdf"), "wb") as monsters:
        for i in range(1, len(ODD_NAMES) + 1):
            fields = [i, i] + [i * 10 + f for f in range(2, 23)]
            fields[8:12] = [1, 1, 1, 1]
            monsters.write((" ".join(map(str, fields)) + "\r\n").encode())


def soffice(profile, convert, outdir, sources):
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to", convert,
                    "--outdir", outdir] + sources, check=True, capture_output=True, timeout=300)


def main():
    export, import_, examples = sys.argv[1:4]
    if shutil.which("soffice") is None:
        print("skipped: LibreOffice (soffice) is not installed; scripts/setup spreadsheet installs it")
        return 77
    failures = 0
    with tempfile.TemporaryDirectory() as temporary:
        profile = os.path.join(temporary, "profile")
        folders = {"sample": os.path.join(temporary, "sample"), "odd": os.path.join(temporary, "odd")}
        shutil.copytree(examples, folders["sample"], ignore=shutil.ignore_patterns("windows-1251", "*.md"))
        odd_data(folders["odd"])
        exported = []
        for name, folder in folders.items():
            subprocess.run([export, "-o", name + ".xlsx", "zuninfo.qdf"], cwd=folder, check=True)
            exported.append(os.path.join(folder, name + ".xlsx"))
        # The Windows-1252 CSV is read in the locale's code page.
        environment = dict(os.environ, LC_ALL="C")
        for number, (what, convert, extension) in enumerate(SAVES):
            # Both workbooks in one start of LibreOffice.
            outdir = os.path.join(temporary, f"save{number}")
            soffice(profile, convert, outdir, exported)
            for name, folder in folders.items():
                saved = os.path.join(outdir, name + "." + extension)
                bytes_saved = open(saved, "rb").read()
                if "Windows-1252" in what and name == "sample" and bytes_saved.isascii():
                    print(f"{name}, {what}: FAILED: LibreOffice wrote no byte past ASCII")
                    failures += 1
                new = os.path.join(folder, "new.qdf")
                if os.path.exists(new):
                    os.remove(new)
                ran = subprocess.run([import_, "-o", new, saved, "zuninfo.qdf"], cwd=folder, env=environment,
                                     capture_output=True, text=True)
                original = open(os.path.join(folder, "zuninfo.qdf"), "rb").read()
                same = ran.returncode == 0 and open(new, "rb").read() == original
                print(f"{name}, {what}: {'the same bytes' if same else 'FAILED'}")
                if not same:
                    failures += 1
                    print(ran.stdout + ran.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
