"""End-to-end tests of corvane-cli convert-case, delete --all/--flt and replace."""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

# Record numbers follow the list order.
PEOPLE = [
    {"LNAME": "smith", "FNAME": "mary  ann", "CITY": "boston", "STATE": "MA", "USER1": "a" * 39},
    {"LNAME": "SMITHERS", "FNAME": "o'neil-smith", "CITY": "salem", "STATE": "MA", "USER1": "a"},
    {"LNAME": "jones", "FNAME": "bob", "CITY": "albany", "STATE": "NY"},
    {"LNAME": "Osmith", "FNAME": "cy", "CITY": "troy", "STATE": "NY"},
    {"LNAME": "gone", "FNAME": "dee", "CITY": "gone", "STATE": "MA"},
]


def flt_lines(criteria):
    """The 20 lines of a .FLT file; `criteria` maps a line number (1-18) to its text."""
    return [criteria.get(i, "") for i in range(1, 19)] + ["F", "F"]


class BulkEditTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE)
        self.assertEqual(self.ok("delete", self.table, "--query", 'LNAME = "gone"').strip(), "1")

    def write_flt(self, name, criteria):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write("".join(line + "\r\n" for line in flt_lines(criteria)).encode("cp1252"))
        return path

    def column(self, field):
        """The field of every record, deleted ones included, in record order."""
        return [fields[field].decode("cp1252").rstrip() for _, fields in clitest.raw_records(self.table)]

    def deleted(self):
        return [deleted for deleted, _ in clitest.raw_records(self.table)]

    # ---- convert-case ----

    def test_convert_case_all_fields_of_every_record_not_deleted(self):
        self.assertEqual(self.ok("convert-case", self.table, "--case", "proper").strip(), "4")
        self.assertEqual(self.column("FNAME"), ["Mary  Ann", "O'neil-smith", "Bob", "Cy", "dee"])
        self.assertEqual(self.column("LNAME"), ["Smith", "Smithers", "Jones", "Osmith", "gone"])
        self.assertEqual(self.info(self.table)["index"], "valid")

    def test_convert_case_scopes(self):
        self.assertEqual(self.ok("convert-case", self.table, "--case", "upper", "--fields", "CITY",
                                 "--scope", "current", "--recno", "3").strip(), "1")
        self.assertEqual(self.column("CITY"), ["boston", "salem", "ALBANY", "troy", "gone"])
        flt = self.write_flt("ny.FLT", {9: "NY"})
        self.assertEqual(self.ok("convert-case", self.table, "--case", "lower", "--fields", "LNAME,CITY",
                                 "--flt", flt).strip(), "2")
        self.assertEqual(self.column("LNAME"), ["smith", "SMITHERS", "jones", "osmith", "gone"])
        self.assertEqual(self.column("CITY"), ["boston", "salem", "albany", "troy", "gone"])

    def test_convert_case_refusals_change_nothing(self):
        before = self.table_files(self.table)
        nothing = self.write_flt("nothing.FLT", {1: "nobody"})
        for args, message in [
            (["--case", "title"], "upper, lower or proper"),
            (["--case", "upper", "--fields", "LNAME,PHONE"], "PHONE"),
            (["--case", "upper", "--scope", "current"], "--recno"),
            (["--case", "upper", "--scope", "current", "--recno", "5"], "deleted"),
            (["--case", "upper", "--flt", nothing], "selects no records"),
        ]:
            with self.subTest(args):
                self.assertIn(message, self.fails("convert-case", self.table, *args))
        self.assertUnchanged(before, self.table)

    # ---- delete ----

    def test_delete_all_empties_the_file_and_counts_the_records_not_deleted(self):
        self.assertEqual(self.ok("delete", self.table, "--all").strip(), "4")
        self.assertEqual(self.info(self.table)["records"], 0)
        self.assertEqual(self.info(self.table)["index"], "valid")

    def test_delete_outside_the_filter_keeps_exactly_the_filters_records(self):
        flt = self.write_flt("ma.FLT", {9: "MA"})
        self.assertEqual(self.ok("delete", self.table, "--flt", flt, "--not").strip(), "2")
        self.assertEqual([r["LNAME"] for r in self.records(self.table, "--query", "!ISDEL")],
                         ["smith", "SMITHERS"])
        self.assertEqual(self.deleted(), [False, False, True, True, True])
        self.assertEqual(self.ok("delete", self.table, "--flt", flt).strip(), "2")
        self.assertEqual(self.count(self.table, "--query", "!ISDEL"), 0)

    def test_delete_refusals_change_nothing(self):
        before = self.table_files(self.table)
        nothing = self.write_flt("nothing.FLT", {1: "nobody"})
        self.assertIn("selects no records", self.fails("delete", self.table, "--flt", nothing, "--not"))
        for args in (["--not"], ["--all", "--not"], ["--all", "--flt", nothing], []):
            with self.subTest(args):
                self.assertIn("usage", self.fails("delete", self.table, *args))
        self.assertUnchanged(before, self.table)

    # ---- replace ----

    def test_replace_the_matching_text_without_regard_to_case(self):
        out = self.ok("replace", self.table, "--field", "LNAME", "--contains", "smi", "--ignore-case",
                      "--text", "Smy")
        self.assertEqual(json.loads(out), {"replaced": 3, "too_long": 0})
        self.assertEqual(self.column("LNAME"), ["Smyth", "SmyTHERS", "jones", "OSmyth", "gone"])

    def test_replace_the_whole_field_of_the_filters_records_that_begin_with_the_value(self):
        flt = self.write_flt("ma.FLT", {9: "MA"})
        out = self.ok("replace", self.table, "--field", "LNAME", "--equals", "SMI", "--ignore-case",
                      "--whole", "Smith", "--flt", flt)
        self.assertEqual(json.loads(out), {"replaced": 2, "too_long": 0})
        self.assertEqual(self.column("LNAME"), ["Smith", "Smith", "jones", "Osmith", "gone"])

    def test_a_result_too_long_for_the_field_is_left_and_counted(self):
        out = self.ok("replace", self.table, "--field", "USER1", "--contains", "a", "--text", "aa")
        self.assertEqual(out, '{"replaced":1,"too_long":1}\n')
        self.assertEqual(self.column("USER1"), ["a" * 39, "aa", "", "", ""])

    def test_dry_run_asks_and_counts_but_changes_nothing(self):
        before = self.table_files(self.table)
        out = self.ok("replace", self.table, "--field", "LNAME", "--contains", "smi", "--ignore-case",
                      "--text", "Smy", "--dry-run")
        self.assertTrue(out.startswith('{"question":'), out)
        self.assertEqual(json.loads(out), {
            "question": 'Find records where field Last Name\rcontains: "smi" (not case sensitive)\r'
                        'and replace only the matching text with "Smy"',
            "matches": 3})
        empty = json.loads(self.ok("replace", self.table, "--field", "USER2", "--equals", "", "--whole", "",
                                   "--dry-run"))
        self.assertEqual(empty["matches"], 4)
        injected = json.loads(self.ok("replace", self.table, "--field", "LNAME", "--contains",
                                      'x")$LNAME .or. .T. .or. ("', "--whole", "hit", "--dry-run"))
        self.assertEqual(injected["matches"], 0)
        self.assertUnchanged(before, self.table)

    def test_replace_refusals_change_nothing(self):
        before = self.table_files(self.table)
        for args, message in [
            (["--field", "DATE", "--equals", "1", "--whole", "2"], "DATE"),
            (["--field", "MIDDLE", "--equals", "AB", "--whole", "C"], "longer than the field MIDDLE"),
            (["--field", "LNAME", "--equals", "x", "--whole", "y" * 31], "longer than the field LNAME"),
            (["--field", "LNAME", "--equals", "x", "--contains", "y", "--whole", "z"], "usage"),
            (["--field", "LNAME", "--equals", "x"], "usage"),
        ]:
            with self.subTest(args):
                self.assertIn(message, self.fails("replace", self.table, *args))
        self.assertUnchanged(before, self.table)


if __name__ == "__main__":
    clitest.main()
