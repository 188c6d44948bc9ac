"""corvane-cli on the system data directory, and the one-line error reports of create and reindex."""

import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

LABEL_STOCK = [
    ("DESCRIPT", "C", 60, 0), ("PRINTER", "C", 2, 0), ("LBLHEIGHT", "N", 6, 3), ("LBLWIDTH", "N", 6, 3),
    ("NBRACROSS", "N", 2, 0), ("NBRDOWN", "N", 2, 0), ("TOPMARG", "N", 6, 3), ("LEFTMARG", "N", 6, 3),
    ("HORIZPITCH", "N", 6, 3), ("VERTPITCH", "N", 6, 3), ("SHEETWIDTH", "N", 6, 3), ("SHEETDEPTH", "N", 6, 3),
    ("PAPERSIZE", "C", 5, 0), ("LBLSHAPE", "C", 2, 0), ("MANUFAC", "C", 10, 0), ("PRODTYPE", "C", 25, 0),
    ("MIDEXTRAX", "N", 6, 3), ("MIDEXTRAY", "N", 6, 3), ("ART", "C", 12, 0),
]

# File name, schema, the column the tag is on, and the tag the rebuild gives it.
SYSTEM_TABLES = [
    ("LETTER.DBF", [("DESCRIPT", "C", 50, 0), ("RTF", "M", 10, 0)], "DESCRIPT", ("DESCRIPT", "UPPER(DESCRIPT)")),
    ("LABEL.DBF", LABEL_STOCK[:14] + [("TPLDESCRIP", "C", 60, 0)] + LABEL_STOCK[14:]
     + [("DELETED", "L", 1, 0), ("BINARY", "C", 12, 0)], "DESCRIPT", ("DESCRIPT", "UPPER(DESCRIPT)")),
    ("CSZ.DBF", [("NAME", "C", 20, 0), ("STATE", "C", 4, 0), ("LOW_ZIP", "C", 10, 0), ("HIGH_ZIP", "C", 10, 0)],
     "STATE", ("STATE", "UPPER(STATE)")),
    ("LBLTPL.DBF", LABEL_STOCK, "DESCRIPT", ("DESCRIPT", "UPPER(descript)")),
    ("ENVELOPE.DBF", [("DESCRIPT", "C", 60, 0), ("NUMBER", "N", 5, 0), ("BINARY", "C", 12, 0)],
     "DESCRIPT", ("DESCRIPT", "UPPER(descript)")),
    ("REPORT.DBF", [("DESCRIPT", "C", 60, 0), ("LAYOUT", "C", 60, 0), ("BINARY", "C", 12, 0)],
     "DESCRIPT", ("DESCRIPT", "UPPER(descript)")),
]


def write_dbf(path, fields, records):
    """A FoxPro 2.x table (with an empty memo file when a field is a memo); `records` are
    (deleted, {field: text}) pairs."""
    memo = any(t == "M" for _, t, _, _ in fields)
    record_length = 1 + sum(w for _, _, w, _ in fields)
    header_length = 32 + 32 * len(fields) + 1
    head = bytearray(32)
    head[0] = 0xF5 if memo else 0x03
    head[1:4] = bytes([124, 1, 1])
    head[4:8] = len(records).to_bytes(4, "little")
    head[8:10] = header_length.to_bytes(2, "little")
    head[10:12] = record_length.to_bytes(2, "little")
    head[28] = 0x02 if memo else 0
    head[29] = 0x03
    out = bytes(head)
    for name, ftype, width, decimals in fields:
        descriptor = bytearray(32)
        descriptor[0:len(name)] = name.encode("ascii")
        descriptor[11] = ord(ftype)
        descriptor[16] = width
        descriptor[17] = decimals
        out += bytes(descriptor)
    out += b"\r"
    for deleted, values in records:
        out += b"*" if deleted else b" "
        for name, ftype, width, _ in fields:
            text = values.get(name, "").encode("cp1252")
            out += text.rjust(width) if ftype == "N" else text.ljust(width)
    out += b"\x1a"
    with open(path, "wb") as f:
        f.write(out)
    if memo:
        with open(os.path.splitext(path)[0] + ".FPT", "wb") as f:
            f.write((8).to_bytes(4, "big") + bytes(2) + (64).to_bytes(2, "big") + bytes(504))


class ReindexSystemTests(CliTestCase):
    def make_tables(self, folder_name="sysdata", lower=()):
        """The six tables, each with a deleted record "zz" and a live one "aa"."""
        folder = os.path.join(self.home, folder_name)
        os.makedirs(folder, exist_ok=True)
        paths = {}
        for name, fields, column, _ in SYSTEM_TABLES:
            file_name = name.lower() if name in lower else name
            paths[name] = os.path.join(folder, file_name)
            write_dbf(paths[name], fields, [(True, {column: "zz"}), (False, {column: "aa"})])
        return paths

    def assert_rebuilt(self, paths, names):
        for name, _, column, tag in SYSTEM_TABLES:
            if name not in names:
                continue
            with self.subTest(table=name):
                info = self.info(paths[name])
                self.assertEqual(info["records"], 1, "the deleted record is gone")
                self.assertEqual(info["index"], "valid")
                self.assertEqual([(t["name"], t["key"]) for t in info["tags"]], [tag])
                self.assertEqual(self.records(paths[name], "--order", tag[0], "--fields", column),
                                 [{column: "aa"}])

    def test_rebuilds_all_six_in_a_folder_of_any_case(self):
        paths = self.make_tables("SYSDATA", lower={"LABEL.DBF", "CSZ.DBF"})
        with open(os.path.join(self.home, "SYSDATA", "label.cdx"), "wb") as f:
            f.write(b"\x55" * 1024)  # a damaged index is replaced
        self.assertEqual(self.ok("reindex-system"), "")
        self.assert_rebuilt(paths, [name for name, *_ in SYSTEM_TABLES])
        self.assertEqual(sorted(os.listdir(self.home)), ["DATA", "SYSDATA"])

    def test_a_missing_table_is_one_line_and_the_others_are_rebuilt(self):
        # ENVELOPE.DBF: the stock catalogue would come back from the shipped files at the start.
        paths = self.make_tables()
        os.remove(paths["ENVELOPE.DBF"])
        line = self.fails("reindex-system")
        self.assertIn("ENVELOPE.DBF", line)
        self.assert_rebuilt(paths, [name for name, *_ in SYSTEM_TABLES if name != "ENVELOPE.DBF"])
        self.assertFalse(os.path.exists(paths["ENVELOPE.DBF"]))

    def test_a_missing_catalogue_comes_back_from_the_shipped_files(self):
        paths = self.make_tables()
        os.remove(paths["LBLTPL.DBF"])
        self.assertEqual(self.ok("reindex-system"), "")
        self.assertGreater(self.info(paths["LBLTPL.DBF"])["records"], 1000)
        self.assert_rebuilt(paths, [name for name, *_ in SYSTEM_TABLES if name != "LBLTPL.DBF"])

    def test_each_failing_table_has_its_line(self):
        paths = self.make_tables()
        for name in ("LETTER.DBF", "REPORT.DBF"):
            with open(paths[name], "wb") as f:
                f.write(b"not a table at all, only text")
        done = self.cli("reindex-system")
        self.assertEqual(done.returncode, 1)
        lines = done.err.splitlines()
        self.assertEqual(len(lines), 2, done.err)
        self.assertIn("LETTER.DBF", lines[0])
        self.assertIn("REPORT.DBF", lines[1])
        with open(paths["LETTER.DBF"], "rb") as f:
            self.assertEqual(f.read(), b"not a table at all, only text")
        self.assert_rebuilt(paths, ["LABEL.DBF", "CSZ.DBF", "LBLTPL.DBF", "ENVELOPE.DBF"])

    def test_usage(self):
        done = self.cli("reindex-system", "extra")
        self.assertEqual(done.returncode, 1)
        self.assertIn("usage", done.err)


class OneLineErrorTests(CliTestCase):
    def test_create_through_a_link_to_nowhere(self):
        os.symlink(self.path("no/such/folder/people.dbf"), self.path("people.dbf"))
        self.assertIn("File creation failed", self.fails("create", self.path("people.dbf")))
        self.assertTrue(os.path.islink(self.path("people.dbf")), "the link is the user's and stays")

    def test_create_whose_index_cannot_be_written(self):
        os.makedirs(self.path("people.cdx/keep"))
        line = self.fails("create", self.path("people.dbf"))
        self.assertIn("Unable to create index files: File creation failed", line)
        self.assertEqual(sorted(os.listdir(self.dir)), ["home", "people.cdx"])

    def test_reindex_whose_index_cannot_be_replaced_changes_nothing(self):
        table = self.make_address_file("people.dbf", [{"LNAME": "Smith"}, {"LNAME": "Jones"}])
        self.ok("delete", table, "--query", 'LNAME = "Jones"')
        os.remove(self.path("people.cdx"))
        os.makedirs(self.path("people.cdx/keep"))
        before = {name: open(self.path(name), "rb").read() for name in ("people.dbf", "people.fpt")}
        self.fails("reindex", table)
        for name, data in before.items():
            with open(self.path(name), "rb") as f:
                self.assertTrue(f.read() == data, "%s changed" % name)
        self.assertEqual(len(clitest.raw_records(table)), 2)


if __name__ == "__main__":
    clitest.main()
