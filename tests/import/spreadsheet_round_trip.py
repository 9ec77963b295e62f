#!/usr/bin/env python3
"""The round trip through a real spreadsheet program, LibreOffice (headless),
driven through UNO as a user drives it. zuninfo-export's xlsx is opened and:

- saved as it is, as ods, a semicolon CSV in UTF-8, a comma CSV in
  Windows-1252, UTF-16 "Unicode Text" and xlsx again: each imports back with
  -o to the monster file's own bytes;
- edited (one Str typed over, another skin picked from the Skin cell's
  drop-down, an entry of its list validation) and saved in the same forms:
  each imports back to a file that differs from the original in those two
  numbers and nothing else.

On the sample data, and on names that a spreadsheet would take for numbers,
dates, times, percentages or formulas, or that hold a semicolon and a tab.
Skipped (exit code 77) where LibreOffice or its Python module (UNO) is
missing.

Usage: spreadsheet_round_trip.py ZUNINFO_EXPORT ZUNINFO_IMPORT EXAMPLES_FOLDER
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

# The whole test, LibreOffice's start included, ends within this (CTest's own
# timeout is the last resort).
DEADLINE_SECONDS = 600

# How LibreOffice saves, by its filter and filter options: separator, text
# delimiter, character set (76 UTF-8, 1252 Windows-1252, 65535 UTF-16), first
# line.
CSV_FILTER = "Text - txt - csv (StarCalc)"
SAVES = [
    ("ods", "calc8", "", "ods"),
    ("semicolon CSV in UTF-8", CSV_FILTER, "59,34,76,1", "csv"),
    ("comma CSV in Windows-1252", CSV_FILTER, "44,34,1252,1", "csv"),
    ("UTF-16 text with tabs", CSV_FILTER, "9,34,65535,1", "txt"),
    ("xlsx", "Calc MS Excel 2007 XML", "", "xlsx"),
]

ODD_NAMES = ["007", "1E5", "1/2", "12:30", "50%", "=Imp", "Orc; the\tTall", "\u00c9mile \"Quick\""]

# The fields edited, by their place on a record's line.
SKIN, STR = 1, 14
# The edit on each data set: the record (by its Index), and the skin to pick
# from its drop-down.
EDITS = {"sample": (5, "Goblin \u00c9claireur"), "odd": (1, "1E5")}


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


def with_fields(original, index, changed):
    """The monster file's bytes with the record `index`'s fields in `changed`
    (place: value) written over, each token in its place."""
    lines = original.split(b"\n")
    for number, line in enumerate(lines):
        if line.lstrip().startswith(b";"):
            continue
        tokens = list(re.finditer(rb"-?\d+", line))[:23]
        if len(tokens) < 23 or int(tokens[0].group()) != index:
            continue
        for place in sorted(changed, reverse=True):
            token = tokens[place]
            line = line[:token.start()] + str(changed[place]).encode() + line[token.end():]
        lines[number] = line
        return b"\n".join(lines)
    raise ValueError(f"no record {index}")


class Office:
    """LibreOffice headless with a profile of its own, listening on a pipe."""

    def __init__(self, folder):
        """`folder`: where its profile and its temporary files go."""
        import uno
        from com.sun.star.connection import NoConnectException
        self.uno = uno
        pipe = self.pipe = f"zuninfo-round-trip-{os.getpid()}"
        profile, temporary = os.path.join(folder, "profile"), os.path.join(folder, "tmp")
        os.makedirs(temporary)
        self.process = subprocess.Popen(
            ["soffice", f"-env:UserInstallation={uno.systemPathToFileUrl(profile)}", "--headless", "--invisible",
             "--norestore", "--nologo", "--nodefault", f"--accept=pipe,name={pipe};urp;"],
            env=dict(os.environ, TMPDIR=temporary), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        started = time.monotonic()
        while True:
            try:
                context = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
                break
            except NoConnectException:
                if self.process.poll() is not None or time.monotonic() - started > 180:
                    self.kill()
                    raise RuntimeError("LibreOffice did not start")
                time.sleep(0.2)
        self.context = context
        self.desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)

    def properties(self, **values):
        from com.sun.star.beans import PropertyValue
        return tuple(PropertyValue(Name=name, Value=value) for name, value in values.items())

    def open(self, path):
        return self.desktop.loadComponentFromURL(self.uno.systemPathToFileUrl(path), "_blank", 0,
                                                 self.properties(Hidden=True))

    def save(self, document, path, filter_name, options):
        document.CurrentController.setActiveSheet(document.Sheets.getByIndex(0))
        values = {"FilterName": filter_name, "Overwrite": True}
        if options:
            values["FilterOptions"] = options
        document.storeToURL(self.uno.systemPathToFileUrl(path), self.properties(**values))

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge goes as LibreOffice ends
            pass
        try:
            self.process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.kill()

    def kill(self):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        # The socket of its pipe, which only an orderly end removes.
        for left in glob.glob(f"/tmp/OSL_PIPE_*_{self.pipe}"):
            os.remove(left)


def drop_down(document, cell):
    """The entries of a cell's list validation, read from the range it names."""
    validation = cell.Validation
    if validation.Type.value != "LIST":
        raise AssertionError(f"the cell has no drop-down (validation {validation.Type.value})")
    conversion = document.createInstance("com.sun.star.table.CellRangeAddressConversion")
    conversion.PersistentRepresentation = validation.getFormula1()
    address = conversion.Address
    cells = document.Sheets.getByIndex(address.Sheet).getCellRangeByPosition(
        address.StartColumn, address.StartRow, address.EndColumn, address.EndRow)
    return [row[0] for row in cells.DataArray if row[0] != ""]


def edit(document, index, wanted):
    """Types over the record's Str and picks another skin from its drop-down;
    gives the new Str and the name picked."""
    sheet = document.Sheets.getByIndex(0)
    header = sheet.getCellRangeByPosition(0, 0, 40, 0).DataArray[0]
    column = {caption: at for at, caption in enumerate(header) if caption}
    row = next(r for r in range(1, 1000) if sheet.getCellByPosition(column["Index"], r).Value == index
               and sheet.getCellByPosition(column["Index"], r).Type.value == "VALUE")
    strength = sheet.getCellByPosition(column["Str"], row)
    new_str = int(strength.Value) + 5
    strength.setValue(new_str)
    skin = sheet.getCellByPosition(column["Skin"], row)
    entries = drop_down(document, skin)
    if wanted not in entries or wanted == skin.String:
        raise AssertionError(f"{wanted!r} is not another entry of the drop-down {entries}")
    skin.setString(entries[entries.index(wanted)])
    return new_str, wanted


def skin_id(folder, name):
    """The id mons.txt gives the name (its lines: id, a space or colon, name)."""
    for line in open(os.path.join(folder, "mons.txt"), "rb").read().decode("utf-8").splitlines():
        match = re.match(r"\s*(\d+)[ :](.*)$", line)
        if match and match.group(2) == name:
            return int(match.group(1))
    raise ValueError(f"no skin {name!r}")


def import_back(import_, folder, saved, expected, what):
    new = os.path.join(folder, "new.qdf")
    if os.path.exists(new):
        os.remove(new)
    # The Windows-1252 CSV is read in the locale's code page.
    ran = subprocess.run([import_, "-o", new, saved, "zuninfo.qdf"], cwd=folder, env=dict(os.environ, LC_ALL="C"),
                         capture_output=True, text=True, timeout=60)
    same = ran.returncode == 0 and open(new, "rb").read() == expected
    print(f"{what}: {'as meant' if same else 'FAILED'}")
    if not same:
        print(ran.stdout + ran.stderr)
    return same


def uno_or_skip():
    """Imports UNO, or runs this script again with the system's Python that has
    it (python3-uno goes with the distribution's interpreter); None where none has."""
    try:
        import uno  # noqa: F401
        return None
    except ImportError:
        pass
    system = "/usr/bin/python3"
    if os.path.realpath(sys.executable) != os.path.realpath(system) and os.access(system, os.X_OK) and \
            subprocess.run([system, "-c", "import uno"], capture_output=True).returncode == 0:
        return subprocess.run([system] + sys.argv).returncode
    print("skipped: LibreOffice's Python module (python3-uno) is missing; scripts/setup spreadsheet installs it")
    return 77


def main():
    export, import_, examples = sys.argv[1:4]
    if shutil.which("soffice") is None:
        print("skipped: LibreOffice (soffice) is not installed; scripts/setup spreadsheet installs it")
        return 77
    again = uno_or_skip()
    if again is not None:
        return again
    failures = 0
    with tempfile.TemporaryDirectory() as temporary:
        office = Office(os.path.join(temporary, "office"))

        def too_long():
            # A LibreOffice that stops answering ends the test, not the
            # suite, and leaves no profile behind.
            print("FAILED: LibreOffice took too long")
            office.kill()
            shutil.rmtree(temporary, ignore_errors=True)
            os._exit(1)
        watchdog = threading.Timer(DEADLINE_SECONDS, too_long)
        watchdog.start()
        try:
            folders = {"sample": os.path.join(temporary, "sample"), "odd": os.path.join(temporary, "odd")}
            shutil.copytree(examples, folders["sample"], ignore=shutil.ignore_patterns("windows-1251", "*.md"))
            odd_data(folders["odd"])
            for name, folder in folders.items():
                subprocess.run([export, "-o", name + ".xlsx", "zuninfo.qdf"], cwd=folder, check=True, timeout=60)
                original = open(os.path.join(folder, "zuninfo.qdf"), "rb").read()
                document = office.open(os.path.join(folder, name + ".xlsx"))
                for edited in (False, True):
                    expected, how = original, "as exported"
                    if edited:
                        index, wanted = EDITS[name]
                        new_str, picked = edit(document, index, wanted)
                        expected = with_fields(original, index, {STR: new_str, SKIN: skin_id(folder, picked)})
                        how = f"Str {new_str} and skin {picked!r} picked from the drop-down"
                    for number, (what, filter_name, options, extension) in enumerate(SAVES):
                        saved = os.path.join(folder, f"saved-{int(edited)}-{number}.{extension}")
                        office.save(document, saved, filter_name, options)
                        if "Windows-1252" in what and name == "sample" and open(saved, "rb").read().isascii():
                            print(f"{name}, {what}: FAILED: LibreOffice wrote no byte past ASCII")
                            failures += 1
                        if not import_back(import_, folder, saved, expected, f"{name}, {how}, {what}"):
                            failures += 1
                document.close(True)
        finally:
            watchdog.cancel()
            office.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
