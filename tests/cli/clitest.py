"""Shared helpers for the corvane-cli end-to-end and interoperability tests.

Every script is run as `python3 script <path-to-corvane-cli> <fixtures-dir>`; call main() at
the bottom of a test script. Each test gets its own temporary program directory (CORVANE_HOME),
so no test sees another's CORVAN.ini or files.
"""

import csv
import io
import json
import os
import subprocess
import sys
import tempfile
import unittest

CLI = None
FIXTURES = None

# The fields of an address file in physical order, with their default widths.
ADDRESS_FIELDS = [
    ("LNAME", "C", 30), ("FNAME", "C", 30), ("MIDDLE", "C", 1), ("PREFIX", "C", 12),
    ("TITLE", "C", 30), ("ORG", "C", 30), ("STREET", "C", 40), ("STREET2", "C", 40),
    ("CITY", "C", 30), ("STATE", "C", 20), ("ZIP", "C", 10), ("COUNTRY", "C", 30),
    ("DATE", "C", 15), ("PHONE", "C", 30), ("PHONE2", "C", 30), ("FAX", "C", 40),
    ("EMAIL", "C", 40), ("CODES", "C", 30), ("USER1", "C", 40), ("USER2", "C", 40),
    ("ISDEL", "L", 1), ("TAG", "C", 8), ("MEMO", "M", 10),
]


def main():
    """Takes the CLI path and fixtures folder off the command line and runs the tests."""
    global CLI, FIXTURES
    if len(sys.argv) < 3:
        sys.exit("usage: %s <path-to-corvane-cli> <fixtures-dir>" % sys.argv[0])
    CLI = os.path.abspath(sys.argv[1])
    FIXTURES = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0]], verbosity=2)


def raw_records(table):
    """The records of a DBF straight from its bytes, for checks independent of the engine:
    a list of (deleted, {field name: raw field bytes}) in record order."""
    with open(table, "rb") as f:
        data = f.read()
    count = int.from_bytes(data[4:8], "little")
    header_length = int.from_bytes(data[8:10], "little")
    record_length = int.from_bytes(data[10:12], "little")
    fields, offset, pos = [], 1, 32
    while data[pos] != 0x0D:
        name = data[pos:pos + 11].split(b"\0")[0].decode("ascii")
        width = data[pos + 16]
        fields.append((name, offset, width))
        offset += width
        pos += 32
    records = []
    for i in range(count):
        record = data[header_length + i * record_length:header_length + (i + 1) * record_length]
        records.append((record[0:1] == b"*", {n: record[o:o + w] for n, o, w in fields}))
    return records


def xbase_fixture(name):
    return os.path.join(FIXTURES, "xbase", name)


def parse_csv(text):
    """Rows of the CLI's CSV output as lists of strings (header first)."""
    return list(csv.reader(io.StringIO(text, newline="")))


def format_csv(rows):
    out = io.StringIO(newline="")
    writer = csv.writer(out, lineterminator="\n")
    writer.writerows(rows)
    return out.getvalue()


class CliTestCase(unittest.TestCase):
    """A test with a fresh program directory and helpers to drive corvane-cli in it."""

    maxDiff = None

    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="corvane-cli-")
        self.addCleanup(self._tmp.cleanup)
        self.dir = self._tmp.name
        self.home = os.path.join(self.dir, "home")
        os.mkdir(self.home)
        self.env = dict(os.environ, CORVANE_HOME=self.home, LC_ALL="C.UTF-8")

    def path(self, name):
        return os.path.join(self.dir, name)

    def cli(self, *args, stdin=None):
        """Runs corvane-cli; stdout and stderr come back as UTF-8 text (LF kept as it is)."""
        done = subprocess.run([CLI, *args], cwd=self.dir, env=self.env, input=stdin,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
        done.out = done.stdout.decode("utf-8")
        done.err = done.stderr.decode("utf-8", errors="replace")
        return done

    def ok(self, *args):
        """Runs corvane-cli, requiring success; returns its stdout."""
        done = self.cli(*args)
        self.assertEqual(done.returncode, 0,
                         "corvane-cli %s failed (%d): %s" % (" ".join(args), done.returncode, done.err))
        return done.out

    def fails(self, *args):
        """Runs corvane-cli, requiring exit status 1 with one message line on stderr; returns it."""
        done = self.cli(*args)
        self.assertEqual(done.returncode, 1,
                         "corvane-cli %s: exit %d, stdout %r, stderr %r"
                         % (" ".join(args), done.returncode, done.out[:300], done.err))
        lines = done.err.splitlines()
        self.assertEqual(len(lines), 1, "expected one error line, got %r" % done.err)
        self.assertTrue(lines[0].strip(), "empty error line")
        return lines[0]

    def info(self, table):
        return json.loads(self.ok("info", table))

    def rows(self, table, *options):
        """`list` output as a header row plus data rows."""
        return parse_csv(self.ok("list", table, *options))

    def records(self, table, *options):
        """`list` output as dicts keyed by field name."""
        rows = self.rows(table, *options)
        return [dict(zip(rows[0], row)) for row in rows[1:]]

    def count(self, table, *options):
        return int(self.ok("count", table, *options).strip())

    def write_csv(self, name, header, rows):
        path = self.path(name)
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(format_csv([header, *rows]))
        return path

    def append(self, table, records, name="in.csv"):
        """Appends dicts (field -> text) through `append --csv`, columns in first-seen order."""
        header = []
        for record in records:
            header.extend(k for k in record if k not in header)
        csv_path = self.write_csv(name, header, [[r.get(k, "") for k in header] for r in records])
        self.ok("append", table, "--csv", csv_path)

    def make_address_file(self, name, records=()):
        """A new address file in the test folder holding `records` (dicts field -> text)."""
        table = self.path(name)
        self.ok("create", table)
        if records:
            self.append(table, list(records))
        return table

    def write_settings(self, text):
        with open(os.path.join(self.home, "CORVAN.ini"), "w", encoding="utf-8", newline="\r\n") as f:
            f.write(text)

    def table_files(self, table):
        """The bytes of a table and its companion files (same base name, any extension case)."""
        folder, base = os.path.split(table)
        stem = os.path.splitext(base)[0].lower()
        files = {}
        for entry in sorted(os.listdir(folder)):
            if os.path.splitext(entry)[0].lower() == stem:
                with open(os.path.join(folder, entry), "rb") as f:
                    files[entry] = f.read()
        return files

    def assertUnchanged(self, before, table):
        after = self.table_files(table)
        self.assertEqual(sorted(before), sorted(after), "the set of files changed")
        for name in before:
            self.assertTrue(before[name] == after[name], "%s changed on disk" % name)
