"""Address files that corvane-cli writes are read back by dbfread, an independent DBF/FPT reader."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cli"))
import clitest  # noqa: E402
from clitest import ADDRESS_FIELDS, CliTestCase  # noqa: E402

from dbfread import DBF  # noqa: E402

# 0x80-0x9F hold letters in cp1252 that Latin-1 lacks (€, –, Œ), so a wrong code page shows.
LONG_MEMO = "\n".join("Zeile %d: Grüße aus Köln – 5 € für Œuvre" % i for i in range(40))
PEOPLE = [
    {"LNAME": "Müller", "FNAME": "Jürgen", "CITY": "Köln", "MEMO": LONG_MEMO},
    {"LNAME": "Façade", "FNAME": "Zoë", "ORG": "Café Crème", "MEMO": "kurz"},
    {"LNAME": "Gone", "FNAME": "Away", "MEMO": "deleted but kept until packed"},
    {"LNAME": "Plain", "FNAME": "Jane", "ISDEL": "T", "MIDDLE": "Q"},
    {"LNAME": "Also Gone", "MEMO": "second deleted memo"},
    {"LNAME": "Last", "TITLE": "  leading blanks stay", "MEMO": 'with "quotes", commas\nand lines'},
]
DELETED = {"Gone", "Also Gone"}


def expected(person, deleted):
    record = {name: person.get(name, "") for name, kind, _ in ADDRESS_FIELDS if kind != "L"}
    record["ISDEL"] = deleted or person.get("ISDEL") == "T"
    return record


def normalised(record):
    """dbfread's values as text; a blank logical reads as None there and as false here."""
    return {name: (bool(value) if name == "ISDEL" else (value or "")) for name, value in record.items()}


class DbfreadTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE)
        self.ok("delete", self.table, "--query", 'LNAME = "Gone" .OR. LNAME = "Also Gone"')

    def read(self):
        # No encoding given: dbfread has to take cp1252 from the code page byte.
        table = DBF(self.table, load=True)
        return [normalised(r) for r in table.records], [normalised(r) for r in table.deleted], table

    def test_header_and_fields(self):
        _, _, table = self.read()
        self.assertEqual(table.header.dbversion, 0xF5)
        self.assertEqual(table.header.language_driver, 0x03)
        self.assertEqual([(f.name, f.type, f.length) for f in table.fields], ADDRESS_FIELDS)

    def test_records_memos_and_deletion_marks(self):
        records, deleted, _ = self.read()
        self.assertEqual(records, [expected(p, False) for p in PEOPLE if p["LNAME"] not in DELETED])
        self.assertEqual(deleted, [expected(p, True) for p in PEOPLE if p["LNAME"] in DELETED])

    def test_after_reindex_packed_records_and_memos(self):
        self.ok("reindex", self.table)
        records, deleted, _ = self.read()
        self.assertEqual(deleted, [])
        self.assertEqual(records, [expected(p, False) for p in PEOPLE if p["LNAME"] not in DELETED])

    def test_appended_later(self):
        # Memo blocks added to an FPT that already holds memos and deleted records' memos.
        more = [{"LNAME": "Neu", "MEMO": LONG_MEMO[::-1]}, {"LNAME": "Œdipe", "FNAME": "Ÿves"}]
        self.append(self.table, more, name="more.csv")
        records, _, _ = self.read()
        self.assertEqual(records[-2:], [expected(p, False) for p in more])
        self.assertEqual(records[0]["MEMO"], LONG_MEMO)


if __name__ == "__main__":
    clitest.main()
