"""Tables and indexes that other xBase tools wrote, read (and extended) through corvane-cli."""

import datetime
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cli"))
import clitest  # noqa: E402
from clitest import CliTestCase, xbase_fixture  # noqa: E402

import dbf  # noqa: E402

STRUCTURE = "NAME C(20); AMOUNT N(10,2); ACTIVE L; JOINED D; NOTES M"
ROWS = [  # (values, deleted)
    (("Müller", 12.5, True, datetime.date(2024, 2, 29), "first note\nline two, with € and –"), False),
    (("Façade", -3, False, None, ""), False),
    (("Gone", 1, True, datetime.date(1999, 12, 31), "memo of a deleted record"), True),
    (("Blank",), False),
    (("Long memo", 0.05, False, datetime.date(2000, 1, 1), "Äö" * 700), False),
]
# What corvane-cli lists for the visible rows.
LISTED = [
    {"NAME": "Müller", "AMOUNT": "12.50", "ACTIVE": "T", "JOINED": "20240229",
     "NOTES": "first note\nline two, with € and –"},
    {"NAME": "Façade", "AMOUNT": "-3.00", "ACTIVE": "F", "JOINED": "", "NOTES": ""},
    {"NAME": "Blank", "AMOUNT": "", "ACTIVE": "F", "JOINED": "", "NOTES": ""},
    {"NAME": "Long memo", "AMOUNT": "0.05", "ACTIVE": "F", "JOINED": "20000101", "NOTES": "Äö" * 700},
]
KINDS = [("db3", 0x83, 10), ("fp", 0xF5, 10), ("vfp", 0x30, 4)]  # dbf_type, version, memo width


class PythonDbfTableTests(CliTestCase):
    def write_table(self, kind):
        table = dbf.Table(self.path("people_%s" % kind), STRUCTURE, dbf_type=kind, codepage="cp1252")
        table.open(dbf.READ_WRITE)
        for values, deleted in ROWS:
            table.append(values)
            if deleted:
                dbf.delete(table[-1])
        table.close()
        return self.path("people_%s.dbf" % kind)

    def test_info_and_list_match_what_python_dbf_wrote(self):
        for kind, version, memo_width in KINDS:
            with self.subTest(kind):
                path = self.write_table(kind)
                info = self.info(path)
                self.assertEqual(
                    (info["version"], info["codepage"], info["records"], info["tags"], info["index"]),
                    (version, 1252, len(ROWS), [], "none"))
                self.assertEqual([(f["name"], f["type"], f["width"], f["decimals"]) for f in info["fields"]],
                                 [("NAME", "C", 20, 0), ("AMOUNT", "N", 10, 2), ("ACTIVE", "L", 1, 0),
                                  ("JOINED", "D", 8, 0), ("NOTES", "M", memo_width, 0)])
                self.assertEqual(self.records(path), LISTED)
                self.assertEqual(self.count(path, "--query", "AMOUNT > 0"), 2)
                self.assertEqual(self.count(path, "--query", 'DTOS(JOINED) = "20240229" .AND. ACTIVE'), 1)

    def test_records_appended_by_us_are_read_by_python_dbf(self):
        row = ["Neu Ölmann", "7.25", "T", "20240101", "appended memo ü"]
        for kind, _, _ in KINDS:
            with self.subTest(kind):
                path = self.write_table(kind)
                before = self.table_files(path)
                csv_path = self.write_csv("new_%s.csv" % kind,
                                          ["NAME", "AMOUNT", "ACTIVE", "JOINED", "NOTES"], [row])
                done = self.cli("append", path, "--csv", csv_path)
                if done.returncode != 0:
                    # A memo file the engine cannot write may refuse the row, but then as an error
                    # that leaves the table as it was.
                    self.assertEqual(done.returncode, 1, done.err)
                    self.assertUnchanged(before, path)
                    continue
                table = dbf.Table(path)
                table.open(dbf.READ_ONLY)
                try:
                    got = [(dbf.is_deleted(r), r.name.rstrip(), r.amount, r.active, r.joined, r.notes)
                           for r in table]
                finally:
                    table.close()
                self.assertEqual(got[-1], (False, "Neu Ölmann", 7.25, True, datetime.date(2024, 1, 1),
                                           "appended memo ü"))
                self.assertEqual([g[5] for g in got[:-1]], [values[4] if len(values) > 4 else ""
                                                            for values, _ in ROWS])
                self.assertEqual([g[0] for g in got[:-1]], [deleted for _, deleted in ROWS])


class ForeignWriterTests(CliTestCase):
    def test_append_by_a_tool_without_cdx_support_invalidates_the_index(self):
        # Upper-case names: python-dbf looks for the memo file with the table's extension case.
        table = self.make_address_file("PEOPLE.DBF", [{"LNAME": "Smith", "MEMO": "ours"},
                                                      {"LNAME": "Adams"}])
        other = dbf.Table(table)
        other.open(dbf.READ_WRITE)
        try:
            self.assertEqual([(r.lname.rstrip(), r.memo) for r in other], [("Smith", "ours"), ("Adams", "")])
            other.append({"lname": "Baker", "memo": "theirs"})
        finally:
            other.close()
        self.assertEqual(self.info(table)["index"], "invalid")
        self.fails("list", table, "--order", "LNAME")
        self.assertEqual(self.count(table), 3)
        self.ok("reindex", table)
        self.assertEqual(self.records(table, "--order", "LNAME", "--fields", "LNAME,MEMO"),
                         [{"LNAME": "Adams", "MEMO": ""}, {"LNAME": "Baker", "MEMO": "theirs"},
                          {"LNAME": "Smith", "MEMO": "ours"}])


def fixture_lines(name):
    with open(xbase_fixture(name), encoding="cp1252") as f:
        return f.read().split("\n")[:-1]


def perl_records(name):
    """A *.records.txt file as (deleted, {field: text}); logicals 1/0/empty become T/F."""
    lines = fixture_lines(name)
    header = lines[0].lstrip("#").split("|")
    records = []
    for line in lines[1:]:
        values = dict(zip(header, line.split("|")))
        records.append((values.pop("deleted") == "1", values))
    return records


class ForeignFixtureTests(CliTestCase):
    def test_rooms_cdx_in_roomname_order(self):
        rows = self.rows(xbase_fixture("rooms.dbf"), "--order", "ROOMNAME", "--fields", "ROOMNAME,FACILITY")
        self.assertEqual(["%s %s" % (room, facility) for room, facility in rows[1:]],
                         fixture_lines("rooms.roomname-order.txt"))

    def test_rooms_cdx_seek(self):
        rooms = xbase_fixture("rooms.dbf")
        found = int(self.ok("seek", rooms, "--order", "FACILITY", "Film"))
        rows = self.rows(rooms, "--order", "FACILITY", "--recno")
        position = [int(r[0]) for r in rows[1:]].index(found) + 1
        run = []
        for recno, room, facility in rows[position:]:
            if facility != "Film":
                break
            run.append("%s %s" % (facility, room))
        self.assertEqual(run, fixture_lines("rooms.facility-seek-Film.txt"))
        # The first key of the run is where the seek landed.
        self.assertEqual(position, 1 + [r[2] for r in rows[1:]].index("Film"))
        celco = self.ok("seek", rooms, "--order", "ROOMNAME", "Celco")
        self.assertEqual(self.records(rooms, "--query", "RECNO() = %d" % int(celco)),
                         [{"ROOMNAME": "Celco", "FACILITY": "Film"}])
        self.assertEqual(self.ok("seek", rooms, "--order", "ROOMNAME", "--soft", "Celca"), celco)
        self.assertEqual(self.cli("seek", rooms, "--order", "ROOMNAME", "Celca").returncode, 1)

    def test_rooms_tags_with_for_expressions(self):
        rooms = xbase_fixture("rooms.dbf")
        all_rooms = perl_records("rooms.records.txt")
        for tag, facility in (("AUDIO", "AUDIO"), ("MAIN", "MAIN"), ("FILM", "FILM")):
            with self.subTest(tag):
                listed = [r["ROOMNAME"] for r in self.records(rooms, "--order", tag)]
                wanted = [v["ROOMNAME"] for _, v in all_rooms if v["FACILITY"].strip().upper() == facility]
                self.assertEqual(listed, sorted(wanted, key=lambda name: name.encode("cp1252")))

    def test_dbase3_and_visual_foxpro_fixtures(self):
        for name, memo_fields in (("test", ["NOTE"]), ("afox5", ["DESC", "MESSAGE"])):
            with self.subTest(name):
                expected = [values for deleted, values in perl_records(name + ".records.txt") if not deleted]
                for values in expected:
                    for field, text in values.items():
                        if field == "BOOLEAN":
                            values[field] = "T" if text == "1" else "F"
                listed = self.records(xbase_fixture(name + ".dbf"))
                self.assertEqual(listed, expected)
                self.assertTrue(all(r[m] for r in listed for m in memo_fields))
                self.assertEqual(self.count(xbase_fixture(name + ".dbf")), len(expected))

    def test_reindex_rebuilds_a_foreign_index_with_its_tags(self):
        for name in ("rooms.dbf", "rooms.cdx"):
            shutil.copy(xbase_fixture(name), self.path(name))
        rooms = self.path("rooms.dbf")
        tags = self.info(rooms)["tags"]
        orders = {t["name"]: self.rows(rooms, "--order", t["name"], "--recno") for t in tags}
        self.ok("reindex", rooms)
        info = self.info(rooms)
        self.assertEqual((info["tags"], info["index"], info["records"]), (tags, "valid", 42))
        for tag, rows in orders.items():
            with self.subTest(tag):
                self.assertEqual(self.rows(rooms, "--order", tag, "--recno"), rows)

    def test_unsupported_field_types_never_crash(self):
        types = xbase_fixture("types.dbf")
        for args in (["info", types], ["list", types], ["count", types], ["list", types, "--fields", "ID"]):
            with self.subTest(args[0]):
                done = self.cli(*args)
                self.assertIn(done.returncode, (0, 1), "killed by a signal or odd status: %s" % done.err)
                if done.returncode:
                    self.assertEqual(len(done.err.splitlines()), 1, done.err)

    def test_fixtures_are_opened_read_only(self):
        # Reading must not touch a file another program owns; copy to compare bytes.
        for name in ("rooms.dbf", "rooms.cdx", "test.dbf", "test.dbt"):
            shutil.copy(xbase_fixture(name), self.path(name))
        before = {**self.table_files(self.path("rooms.dbf")), **self.table_files(self.path("test.dbf"))}
        self.ok("list", self.path("rooms.dbf"), "--order", "FACILITY")
        self.ok("seek", self.path("rooms.dbf"), "--order", "ROOMNAME", "Celco")
        self.ok("list", self.path("test.dbf"))
        for stem in ("rooms", "test"):
            files = {name: data for name, data in before.items() if name.startswith(stem)}
            self.assertUnchanged(files, self.path(stem + ".dbf"))


if __name__ == "__main__":
    clitest.main()
