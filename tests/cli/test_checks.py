"""End-to-end tests of corvane-cli check-duplicates, check-state-zip and csz."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

PEOPLE = [
    {"LNAME": "Jones", "FNAME": "Mary", "STREET": "123 Main Street", "STATE": "NY", "ZIP": "10001"},
    {"LNAME": "JONES", "FNAME": "MARY", "STREET": "123 Main St.", "STATE": "NY", "ZIP": "15000"},
    {"LNAME": "Jones", "FNAME": "Mark", "STREET": "9 Elm Road", "STATE": "ny", "ZIP": "14999-1234"},
    {"LNAME": "", "FNAME": "Mary", "STREET": "", "STATE": "N", "ZIP": "10001"},
    {"LNAME": "Lee", "FNAME": "Al", "STREET": "", "STATE": "", "ZIP": ""},
]


class CheckTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE)

    def check(self, *args):
        lines = self.ok(*args).splitlines()
        return int(lines[0]), clitest.parse_csv("\n".join(lines[1:]) + "\n")

    def lists_left(self):
        return [name for name in os.listdir(self.dir) + os.listdir(self.home) if name.endswith(".idx")]

    def test_duplicates_by_each_kind(self):
        cases = [
            (["--by", "name"], 1, [["Jones", "Mary"], ["JONES", "MARY"]]),
            (["--by", "initial"], 2, [["Jones", "Mark"], ["Jones", "Mary"], ["JONES", "MARY"]]),
            (["--by", "street", "--chars", "10"], 1, [["JONES", "MARY"], ["Jones", "Mary"]]),
            (["--by", "street"], 0, []),
        ]
        for options, found, rows in cases:
            with self.subTest(options=options):
                count, listing = self.check("check-duplicates", self.table, *options, "--fields", "LNAME,FNAME")
                self.assertEqual(count, found)
                self.assertEqual(listing, [["LNAME", "FNAME"], *rows])
                self.assertEqual(self.lists_left(), [])

    def test_tag_marks_only_the_suspects(self):
        count, _ = self.check("check-duplicates", self.table, "--tag")
        self.assertEqual(count, 1)
        tags = [r["TAG"] for r in self.records(self.table, "--fields", "LNAME,TAG")]
        self.assertTrue(tags[0])
        self.assertEqual(tags[0], tags[1])
        self.assertEqual(tags[2:], ["", "", ""])

    def test_state_zip_with_and_without_blanks(self):
        count, listing = self.check("check-state-zip", self.table, "--fields", "LNAME,STATE,ZIP")
        self.assertEqual(count, 2)
        self.assertEqual(listing, [["LNAME", "STATE", "ZIP"], ["", "N", "10001"], ["JONES", "NY", "15000"]])
        count, listing = self.check("check-state-zip", self.table, "--blanks", "--fields", "LNAME,ZIP")
        self.assertEqual(count, 3)
        self.assertEqual(listing, [["LNAME", "ZIP"], ["", "10001"], ["JONES", "15000"], ["Lee", ""]])
        self.assertEqual(self.lists_left(), [])

    def test_csz_add_list_delete(self):
        self.ok("csz", "add", "--name", "Nowhere", "--state", "zz", "--low", "1", "--high", "2")
        rows = clitest.parse_csv(self.ok("csz", "list"))
        self.assertEqual(rows[0], ["NAME", "STATE", "LOW_ZIP", "HIGH_ZIP"])
        self.assertIn(["New York", "NY", "10000", "14999"], rows)
        self.assertEqual([r[1].upper() for r in rows[1:]], sorted(r[1].upper() for r in rows[1:]))
        removed = clitest.parse_csv(self.ok("csz", "delete", "--state", "ZZ"))
        self.assertEqual(removed, [["NAME", "STATE", "LOW_ZIP", "HIGH_ZIP"], ["Nowhere", "zz", "1", "2"]])
        self.assertNotIn("Nowhere", self.ok("csz", "list"))
        self.fails("csz", "delete", "--state", "ZZ")

    def test_errors_leave_everything_as_it_was(self):
        before = clitest.raw_records(self.table)
        self.fails("check-duplicates", self.table, "--chars", "31")
        self.fails("check-duplicates", self.table, "--by", "city")
        self.fails("csz", "add", "--name", "x" * 21, "--state", "ZZ", "--low", "1", "--high", "2")
        os.remove(os.path.join(self.home, "sysdata", "CSZ.DBF"))
        line = self.fails("check-state-zip", self.table, "--tag")
        self.assertIn("The file CSZ.DBF has been removed from the SYSDATA directory. Unable to continue.", line)
        self.assertEqual(clitest.raw_records(self.table), before)
        self.assertEqual(self.lists_left(), [])


if __name__ == "__main__":
    clitest.main()
