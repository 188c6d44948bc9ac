"""End-to-end tests of corvane-cli filter, tag, untag and clear-tags."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase, parse_csv  # noqa: E402

# Record numbers follow the list order.
PEOPLE = [
    {"LNAME": "Martin", "FNAME": "Ann", "CITY": "Boston", "STATE": "MA", "CODES": "ABC"},
    {"LNAME": "Mason", "FNAME": "Bob", "CITY": "Boston", "STATE": "GA"},
    {"LNAME": "Jones", "FNAME": "Mary", "CITY": "Denver", "STATE": "CO"},
    {"LNAME": 'O"Brien', "FNAME": "Pat", "CITY": "Chicago", "STATE": "IL", "CODES": "C"},
    {"LNAME": "Müller", "FNAME": "Jürgen", "CITY": "München", "STATE": "BY"},
]

TOO_COMPLEX = "Sorry - filter is too complex.Please simplify it."


def flt_lines(criteria=None, tagged=False, reverse=False):
    """The 20 lines of a .FLT file; `criteria` maps a line number (1-18) to its text."""
    lines = [(criteria or {}).get(i, "") for i in range(1, 19)]
    return lines + ["T" if tagged else "F", "T" if reverse else "F"]


class FilterTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE)

    def write_flt(self, name, lines, encoding="cp1252", end="\r\n"):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write("".join(line + end for line in lines).encode(encoding))
        return path

    def filter(self, flt, *options):
        """query, count and the listing rows (header first)."""
        out = self.ok("filter", self.table, "--flt", flt, *options)
        query, count, listing = out.split("\n", 2)
        return query, int(count), parse_csv(listing)

    def test_matches_are_listed_like_list_does(self):
        flt = self.write_flt("ma.FLT", flt_lines({1: "ma"}))
        query, count, rows = self.filter(flt, "--fields", "LNAME,FNAME,ISDEL", "--order", "FNAME")
        self.assertEqual(query, 'UPPER(LNAME)="MA".and. !ISDEL')
        self.assertEqual(count, 2)
        self.assertEqual(rows, [["LNAME", "FNAME", "ISDEL"], ["Martin", "Ann", "F"], ["Mason", "Bob", "F"]])
        listed = self.rows(self.table, "--fields", "LNAME,FNAME,ISDEL", "--order", "FNAME", "--query", query)
        self.assertEqual(rows, listed)

    def test_edge_cases_of_the_criteria(self):
        cases = [
            ("city in every state", {8: "boston"}, False, False, ["Ann", "Bob"]),
            ("contains", {16: "$c"}, False, False, ["Ann", "Pat"]),
            ("connector", {1: "Jones", 2: "Mary"}, False, False, ["Mary"]),
            ("reverse", {1: "m"}, False, True, ["Mary", "Pat"]),
            ("double quote in a value", {1: 'o"b'}, False, False, ["Pat"]),
            ("upper case like the engine", {1: "mü"}, False, False, ["Jürgen"]),
        ]
        for name, criteria, tagged, reverse, expected in cases:
            with self.subTest(name):
                flt = self.write_flt("case.FLT", flt_lines(criteria, tagged, reverse))
                _, count, rows = self.filter(flt, "--fields", "FNAME")
                self.assertEqual([r[0] for r in rows[1:]], expected)
                self.assertEqual(count, len(expected))

    def test_a_crafted_value_cannot_match_every_record(self):
        flt = self.write_flt("crafted.FLT", flt_lines({1: 'x" .or. "" = "'}))
        query, count, rows = self.filter(flt)
        self.assertEqual((query, count, len(rows)), ("!ISDEL", 0, 1))

    def test_a_value_with_every_delimiter_is_refused_on_stderr(self):
        flt = self.write_flt("refused.FLT", flt_lines({1: "a\"b'c]"}))
        done = self.cli("filter", self.table, "--flt", flt)
        self.assertEqual(done.returncode, 0, done.err)
        self.assertEqual(done.out.splitlines()[:2], ["!ISDEL", "0"])
        self.assertIn("holds all of", done.err)

    def test_dropped_filters_print_no_records(self):
        long_value = "M;" + "Z" * 240
        for name, lines, message in [
            ("no match", flt_lines({1: "Zebra"}), ""),
            ("no criteria", flt_lines(reverse=True), ""),
            ("too complex", flt_lines({1: long_value}), TOO_COMPLEX + "\n"),
        ]:
            with self.subTest(name):
                flt = self.write_flt("dropped.FLT", lines)
                done = self.cli("filter", self.table, "--flt", flt, "--fields", "LNAME")
                self.assertEqual(done.returncode, 0, done.err)
                self.assertEqual(done.out, "!ISDEL\n0\nLNAME\n")
                self.assertEqual(done.err, message)

    def test_old_windows_1252_and_lf_only_files(self):
        flt = self.write_flt("old.FLT", ["Müller"], encoding="cp1252", end="\n")
        self.assertEqual(self.filter(flt, "--fields", "FNAME")[2], [["FNAME"], ["Jürgen"]])
        flt = self.write_flt("new.flt", ["Müller"], encoding="utf-8")
        self.assertEqual(self.filter(flt, "--fields", "FNAME")[1], 1)

    def test_tagged_uses_the_tag_id_of_the_settings_file(self):
        self.write_settings("[Misc]\nGlobalTagId=ABC123\n")
        self.assertEqual(self.ok("tag", self.table, "--query", 'STATE="MA" .or. STATE="CO"'), "2\n")
        self.assertEqual(self.ok("tag", self.table, "--query", 'STATE="MA"'), "0\n")  # already tagged
        tagged = self.write_flt("tagged.FLT", flt_lines(tagged=True))
        query, count, rows = self.filter(tagged, "--fields", "FNAME,TAG")
        self.assertEqual(query, '(UPPER(TAG)="ABC123").and. !ISDEL')
        self.assertEqual(rows[1:], [["Ann", "ABC123"], ["Mary", "ABC123"]])

        self.assertEqual(self.ok("untag", self.table, "--query", 'STATE="CO"'), "1\n")
        self.assertEqual(self.filter(tagged, "--fields", "FNAME")[2][1:], [["Ann"]])

        new_id = self.ok("clear-tags").strip()
        self.assertNotEqual(new_id, "ABC123")
        with open(os.path.join(self.home, "CORVAN.ini"), encoding="utf-8") as f:
            self.assertIn("GlobalTagId=" + new_id, f.read())
        self.assertEqual(self.filter(tagged)[:2], ("!ISDEL", 0))
        # Clearing wrote no record: the old id is still in TAG.
        self.assertEqual(self.count(self.table, "--query", 'TAG="ABC123"'), 1)

    def test_errors_change_nothing(self):
        before = self.table_files(self.table)
        flt = self.write_flt("ok.FLT", flt_lines({1: "m"}))
        txt = self.write_flt("filter.txt", flt_lines({1: "m"}))
        self.assertEqual(self.fails("filter", self.table, "--flt", txt), "corvane-cli: Must be a Filter (.FLT) file")
        self.assertIn("not found", self.fails("filter", self.path("none.dbf"), "--flt", flt))
        self.assertIn("Cannot read", self.fails("filter", self.table, "--flt", self.path("none.FLT")))
        self.assertIn("NOPE", self.fails("filter", self.table, "--flt", flt, "--fields", "NOPE"))
        self.fails("filter", self.table)
        self.fails("tag", self.table, "--query", "NOSUCHFIELD=1")
        self.fails("tag", self.table, "--query", "")
        self.fails("untag", self.table, "--query", "LNAME")  # not a condition
        self.fails("clear-tags", "extra")
        self.assertUnchanged(before, self.table)

    def test_engine_error_is_an_error_not_no_match(self):
        # A dBase table with LNAME and ISDEL only, written by hand, cannot run a Codes criterion.
        flt = self.write_flt("codes.FLT", flt_lines({16: "$c"}))
        plain = self.path("plain.dbf")
        header = bytearray(32)
        header[0] = 0x03
        fields = [(b"LNAME", b"C", 10), (b"ISDEL", b"L", 1)]
        record_length = 1 + sum(w for _, _, w in fields)
        header_length = 32 + 32 * len(fields) + 1
        header[4:8] = (1).to_bytes(4, "little")
        header[8:10] = header_length.to_bytes(2, "little")
        header[10:12] = record_length.to_bytes(2, "little")
        descriptors = b""
        for name, kind, width in fields:
            d = bytearray(32)
            d[0:len(name)] = name
            d[11:12] = kind
            d[16] = width
            descriptors += bytes(d)
        with open(plain, "wb") as f:
            f.write(bytes(header) + descriptors + b"\r" + b" " + b"Smith     " + b"F" + b"\x1a")
        line = self.fails("filter", plain, "--flt", flt)
        self.assertIn("CODES", line)


if __name__ == "__main__":
    clitest.main()
