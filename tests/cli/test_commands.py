"""End-to-end tests of the corvane-cli commands as scripts use them."""

import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import ADDRESS_FIELDS, CliTestCase  # noqa: E402

ADDRESS_TAGS = [
    ("NAME", "UPPER(LNAME-FNAME)"), ("LNAME", "UPPER(LNAME)+UPPER(FNAME)"),
    ("FNAME", "UPPER(FNAME)"), ("TITLE", "UPPER(TITLE)"), ("ORG", "UPPER(ORG)"),
    ("STREET", "UPPER(STREET)"), ("STREET2", "UPPER(STREET2)"), ("CITY", "UPPER(CITY+STATE)"),
    ("STATE", "UPPER(STATE)"), ("ZIP", "UPPER(ZIP)"), ("COUNTRY", "UPPER(COUNTRY)"),
    ("PHONE", "UPPER(PHONE)"), ("PHONE2", "UPPER(PHONE2)"), ("EMAIL", "UPPER(EMAIL)"),
    ("FAX", "UPPER(FAX)"), ("USER1", "UPPER(USER1)"), ("USER2", "UPPER(USER2)"),
    ("DATE", "UPPER(DATE)"), ("TAG", "UPPER(TAG)"), ("CODES", "UPPER(CODES)"),
    ("PREFIX", "UPPER(PREFIX)"), ("MIDDLE", "UPPER(MIDDLE)"), ("DELETED", "DELETED()"),
    ("STATEZIP", "UPPER(STATE-ZIP)"), ("ISDEL", "ISDEL"), ("NOTISDEL", "!ISDEL"),
]

# The keys of NewFileFieldLengths and the field each one sizes.
WIDTH_KEYS = [
    "LNAME", "FNAME", "PREFIX", "TITLE", "ORG", "STREET", "STREET2", "CITY", "STATE", "ZIP",
    "COUNTRY", "PHONE", "PHONE2", "FAX", "EMAIL", "CODES", "USER1", "USER2",
]

MEMO = 'first line\nsecond, with "quotes"'

# Record numbers follow the list order: 1 Smith John ... 7 Lee.
PEOPLE = [
    {"LNAME": "Smith", "FNAME": "John", "CITY": "Boston", "STATE": "MA", "ZIP": "02110", "MEMO": MEMO},
    {"LNAME": "Müller", "FNAME": "Jürgen", "CITY": "München", "STATE": "BY", "ZIP": "80331", "ISDEL": "T",
     "MIDDLE": "É"},
    {"LNAME": "adams", "FNAME": "Zoe", "CITY": "Denver", "STATE": "CO", "ZIP": "80202"},
    {"LNAME": "Adams", "FNAME": "Al", "CITY": "New York", "STATE": "NY", "ZIP": "10001"},
    {"LNAME": "O'Brien, Jr.", "FNAME": 'Pat "Red"', "CITY": "Chicago", "STATE": "IL", "ZIP": "60601"},
    {"LNAME": "Smith", "FNAME": "Anna", "CITY": "Boston", "STATE": "MA", "ZIP": "02109"},
    {"LNAME": "Lee", "FNAME": "  Kim", "CITY": "Portland", "STATE": "OR", "ZIP": "97201"},
]
LNAME_ORDER = [4, 3, 7, 2, 5, 6, 1]  # ADAMS AL, ADAMS ZOE, LEE, MÜLLER, O'BRIEN, SMITH ANNA, SMITH JOHN
ZIP_ORDER = [6, 1, 4, 5, 3, 2, 7]


def recnos(rows):
    return [int(row[0]) for row in rows[1:]]


class CreateTests(CliTestCase):
    def fields_of(self, table):
        return [(f["name"], f["type"], f["width"], f["decimals"]) for f in self.info(table)["fields"]]

    def test_default_layout_without_settings_file(self):
        table = self.make_address_file("people.dbf")
        info = self.info(table)
        self.assertEqual(self.fields_of(table), [(n, t, w, 0) for n, t, w in ADDRESS_FIELDS])
        self.assertEqual(info["records"], 0)
        self.assertEqual(info["index"], "valid")
        self.assertEqual(info["codepage"], 1252)

    def test_every_width_key_sizes_its_own_field(self):
        # Distinct widths show a key that sizes the wrong field; fixed fields ignore look-alike keys.
        widths = {name: 10 + i for i, name in enumerate(WIDTH_KEYS)}
        self.write_settings("[NewFileFieldLengths]\n"
                            + "".join("Field%s=%d\n" % (n, w) for n, w in widths.items())
                            + "FieldMIDDLE=9\nFieldDATE=40\nFieldTAG=20\n")
        table = self.make_address_file("sized.dbf")
        self.assertEqual(self.fields_of(table),
                         [(n, t, widths.get(n, w), 0) for n, t, w in ADDRESS_FIELDS])

    def test_widths_outside_5_to_80_give_defaults(self):
        cases = [("4", 30), ("81", 30), ("5", 5), ("80", 80), ("0", 30), ("-7", 30), ("abc", 30),
                 ("", 30), (" 12 ", 12)]
        for text, expected in cases:
            with self.subTest(FieldLNAME=text):
                self.write_settings("[Other]\nFieldLNAME=44\n[NewFileFieldLengths]\nFieldLNAME=%s\n" % text)
                table = self.make_address_file("w%d.dbf" % cases.index((text, expected)))
                self.assertEqual(self.fields_of(table)[0], ("LNAME", "C", expected, 0))

    def test_configured_width_holds_values_of_that_width(self):
        self.write_settings("[NewFileFieldLengths]\nFieldTITLE=80\nFieldZIP=5\n")
        title = "T" * 79 + "é"
        table = self.make_address_file("wide.dbf", [{"LNAME": "X", "TITLE": title, "ZIP": "12345"}])
        self.assertEqual(self.records(table, "--fields", "TITLE,ZIP"), [{"TITLE": title, "ZIP": "12345"}])
        before = self.table_files(table)
        csv_path = self.write_csv("long.csv", ["ZIP"], [["123456"]])
        self.fails("append", table, "--csv", csv_path)
        self.assertUnchanged(before, table)

    def test_existing_file_is_refused(self):
        table = self.make_address_file("people.dbf", PEOPLE[:2])
        before = self.table_files(table)
        self.fails("create", table)
        self.assertUnchanged(before, table)
        other = self.path("notes.dbf")
        with open(other, "w") as f:
            f.write("not a table\n")
        self.fails("create", other)
        self.assertEqual(self.table_files(other), {"notes.dbf": b"not a table\n"})

    def test_missing_folder_is_an_error(self):
        self.fails("create", self.path("no/such/folder/people.dbf"))
        self.assertFalse(os.path.exists(self.path("no")))


class InfoTests(CliTestCase):
    def test_json_shape_and_the_26_tags_in_order(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        info = self.info(table)
        self.assertEqual(set(info), {"version", "codepage", "records", "fields", "tags", "index"})
        self.assertIsInstance(info["version"], int)
        self.assertEqual(info["records"], len(PEOPLE))
        for field in info["fields"]:
            self.assertEqual(set(field), {"name", "type", "width", "decimals"})
        self.assertEqual([(t["name"], t["key"], t["for"]) for t in info["tags"]],
                         [(n, k, "") for n, k in ADDRESS_TAGS])

    def test_missing_file(self):
        self.fails("info", self.path("absent.dbf"))


class ListTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE)

    def test_record_order_and_key_orders(self):
        cases = [("record order", [], list(range(1, 8))),
                 ("LNAME", ["--order", "LNAME"], LNAME_ORDER),
                 ("ZIP", ["--order", "ZIP"], ZIP_ORDER),
                 ("tag name in lower case", ["--order", "zip"], ZIP_ORDER),
                 ("LNAME with query", ["--order", "LNAME", "--query", 'LEFT(ZIP,1) = "8"'], [3, 2]),
                 ("ZIP with query", ["--order", "ZIP", "--query", 'STATE = "MA" .OR. ISDEL'], [6, 1, 2]),
                 ("query without order", ["--query", 'UPPER(LNAME) = "SMITH"'], [1, 6])]
        for name, options, expected in cases:
            with self.subTest(name):
                self.assertEqual(recnos(self.rows(self.table, "--recno", "--fields", "LNAME", *options)),
                                 expected)

    def test_all_fields_by_default_with_values_as_stored(self):
        records = self.records(self.table)
        self.assertEqual(len(records), len(PEOPLE))
        for got, person in zip(records, PEOPLE):
            self.assertEqual(list(got), [f[0] for f in ADDRESS_FIELDS])
            expected = {name: person.get(name, "F" if kind == "L" else "")
                        for name, kind, _ in ADDRESS_FIELDS}
            self.assertEqual(got, expected)

    def test_csv_text_quoting_utf8_and_line_ends(self):
        out = self.cli("list", self.table, "--recno", "--fields", "LNAME,FNAME,ISDEL,MEMO")
        self.assertEqual(out.returncode, 0, out.err)
        self.assertNotIn(b"\r", out.stdout)
        self.assertEqual(out.out,
                         "RECNO,LNAME,FNAME,ISDEL,MEMO\n"
                         '1,Smith,John,F,"first line\nsecond, with ""quotes"""\n'
                         "2,Müller,Jürgen,T,\n"
                         "3,adams,Zoe,F,\n"
                         "4,Adams,Al,F,\n"
                         '5,"O\'Brien, Jr.","Pat ""Red""",F,\n'
                         "6,Smith,Anna,F,\n"
                         "7,Lee,  Kim,F,\n")
        self.assertIn("Müller".encode("utf-8"), out.stdout)

    def test_fields_option_picks_and_orders_columns(self):
        rows = self.rows(self.table, "--fields", "ZIP,lname", "--order", "ZIP")
        self.assertEqual(rows[0], ["ZIP", "LNAME"])
        self.assertEqual(rows[1], ["02109", "Smith"])

    def test_count(self):
        cases = [([], 7), (["--query", 'UPPER(LNAME) = "SMITH"'], 2), (["--query", "ISDEL"], 1),
                 (["--query", 'CITY = "Nowhere"'], 0), (["--query", "!ISDEL .AND. ZIP > \"5\""], 3)]
        for options, expected in cases:
            with self.subTest(options=options):
                self.assertEqual(self.count(self.table, *options), expected)

    def test_reading_changes_nothing(self):
        before = self.table_files(self.table)
        for args in (["info"], ["list", "--order", "NAME"], ["count", "--query", "ISDEL"],
                     ["seek", "--order", "ZIP", "802"]):
            self.ok(args[0], self.table, *args[1:])
        self.assertUnchanged(before, self.table)

    def test_errors(self):
        cases = [("unknown tag", ["list", self.table, "--order", "NOSUCH"]),
                 ("unknown field", ["list", self.table, "--fields", "LNAME,NOSUCH"]),
                 ("bad query syntax", ["list", self.table, "--query", 'LNAME = "x']),
                 ("query of wrong type", ["list", self.table, "--query", "LNAME"]),
                 ("unknown function", ["count", self.table, "--query", "NOSUCH(LNAME)"]),
                 ("unknown field in query", ["count", self.table, "--query", 'NOSUCH = "x"']),
                 ("unknown option", ["list", self.table, "--sort", "LNAME"]),
                 ("missing table", ["list", self.path("absent.dbf")]),
                 ("missing table for count", ["count", self.path("absent.dbf")])]
        before = self.table_files(self.table)
        for name, args in cases:
            with self.subTest(name):
                self.fails(*args)
        self.assertUnchanged(before, self.table)


class SeekTests(CliTestCase):
    def test_seek(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        # (tag, soft, text, exit status, record number printed)
        cases = [("LNAME", False, "SMITH", 0, 6),
                 ("LNAME", False, "ADAMS", 0, 4),
                 ("LNAME", False, "MÜLLER", 0, 2),
                 ("LNAME", False, "JONES", 1, None),
                 ("LNAME", True, "JONES", 0, 7),
                 ("LNAME", True, "LEF", 0, 2),
                 ("LNAME", True, "ADAMS", 0, 4),
                 ("LNAME", True, "ZZZ", 1, None),
                 ("ZIP", False, "802", 0, 3),
                 ("ZIP", True, "5", 0, 5),
                 ("ZIP", False, "5", 1, None),
                 ("CITY", False, "BOSTON", 0, 1),
                 ("NAME", False, "SMITHANNA", 0, 6)]
        for tag, soft, text, status, recno in cases:
            with self.subTest(tag=tag, soft=soft, text=text):
                args = ["seek", table, "--order", tag] + (["--soft"] if soft else []) + [text]
                if status:
                    done = self.cli(*args)
                    self.assertEqual((done.returncode, done.out), (1, ""), done.err)
                    self.assertEqual(done.err.strip().splitlines()[-1], "not found")
                else:
                    self.assertEqual(self.ok(*args), "%d\n" % recno)

    def test_seek_needs_an_order(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        self.fails("seek", table, "SMITH")
        self.fails("seek", table, "--order", "NOSUCH", "SMITH")


class AppendTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("people.dbf", PEOPLE[:3])
        self.before = self.table_files(self.table)

    def test_bad_input_changes_nothing(self):
        # The bad value sits in the last row, after good ones, so a partial append would show.
        good = ["Good", "Row"]
        cases = [("unknown column", ["LNAME", "NOSUCH"], [good, ["x", "y"]]),
                 ("character outside the code page", ["LNAME", "FNAME"], [good, ["Ω", "Omega"]]),
                 ("memo outside the code page", ["LNAME", "MEMO"], [good, ["Greek", "αβγ"]]),
                 ("value too long", ["LNAME", "ZIP"], [good, ["Long", "12345678901"]]),
                 ("value too long by one multibyte char", ["LNAME", "MIDDLE"], [good, ["Long", "éé"]]),
                 ("bad logical", ["LNAME", "ISDEL"], [good, ["X", "maybe"]]),
                 ("too few values", ["LNAME", "FNAME"], [good, ["only"]]),
                 ("too many values", ["LNAME", "FNAME"], [good, ["a", "b", "c"]])]
        for name, header, rows in cases:
            with self.subTest(name):
                csv_path = self.write_csv("bad.csv", header, rows)
                self.fails("append", self.table, "--csv", csv_path)
                self.assertUnchanged(self.before, self.table)

    def test_unreadable_csv_changes_nothing(self):
        cases = [("missing file", None), ("unclosed quote", 'LNAME\n"open\n'),
                 ("text after quote", 'LNAME\n"a"b\n'), ("not UTF-8", b"LNAME\nM\xfcller\n")]
        for number, (name, text) in enumerate(cases):
            with self.subTest(name):
                csv_path = self.path("in-%d.csv" % number)
                if text is not None:
                    with open(csv_path, "wb") as f:
                        f.write(text if isinstance(text, bytes) else text.encode("utf-8"))
                self.fails("append", self.table, "--csv", csv_path)
                self.assertUnchanged(self.before, self.table)

    def test_rows_become_records_in_every_order(self):
        # Spreadsheet exports start with a byte-order mark and end lines in CR LF.
        with open(self.path("excel.csv"), "wb") as f:
            f.write("\ufeffZIP,LNAME,MEMO\r\n00501,Zeta,\"two\r\nlines\"\r\n\r\n99999,Ærø,\r\n"
                    .encode("utf-8"))
        self.ok("append", self.table, "--csv", self.path("excel.csv"))
        self.assertEqual(self.info(self.table)["records"], 5)
        self.assertEqual(self.rows(self.table, "--order", "ZIP", "--fields", "ZIP,LNAME,MEMO"),
                         [["ZIP", "LNAME", "MEMO"], ["00501", "Zeta", "two\r\nlines"],
                          ["02110", "Smith", MEMO],
                          ["80202", "adams", ""], ["80331", "Müller", ""], ["99999", "Ærø", ""]])
        self.assertEqual(self.ok("seek", self.table, "--order", "LNAME", "ÆRØ"), "5\n")

    def test_header_only_appends_nothing(self):
        csv_path = self.write_csv("empty.csv", ["LNAME"], [])
        self.ok("append", self.table, "--csv", csv_path)
        self.assertEqual(self.info(self.table)["records"], 3)


class DeleteTests(CliTestCase):
    def test_delete_marks_and_sets_isdel(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        self.ok("delete", table, "--query", 'UPPER(LNAME) = "SMITH"')
        self.assertEqual(self.count(table), 5)
        self.assertEqual(recnos(self.rows(table, "--recno", "--order", "LNAME")), [4, 3, 7, 2, 5])
        self.assertEqual(self.info(table)["records"], 7)  # marked, not yet removed
        marks = [(deleted, fields["ISDEL"] == b"T") for deleted, fields in clitest.raw_records(table)]
        self.assertEqual(marks, [(True, True), (False, True), (False, False), (False, False), (False, False),
                                 (True, True), (False, False)])
        # The index moved the deleted records' keys too: a seek no longer lands on them.
        self.fails("seek", table, "--order", "LNAME", "SMITH")
        self.assertEqual(self.count(table, "--query", "ISDEL"), 1)

    def test_nothing_matching_changes_nothing_visible(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        self.ok("delete", table, "--query", 'LNAME = "Nobody"')
        self.assertEqual(self.count(table), 7)

    def test_table_without_isdel(self):
        shutil.copy(clitest.xbase_fixture("test.dbf"), self.path("test.dbf"))
        shutil.copy(clitest.xbase_fixture("test.dbt"), self.path("test.dbt"))
        table = self.path("test.dbf")
        self.ok("delete", table, "--query", "ID = 3")
        self.assertEqual(recnos(self.rows(table, "--recno")), [1])
        self.assertEqual([d for d, _ in clitest.raw_records(table)], [False, True, True])

    def test_bad_query_changes_nothing(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        before = self.table_files(table)
        for query in ['LNAME = ', "ZIP", "NOSUCH", ""]:
            with self.subTest(query=query):
                self.fails("delete", table, "--query", query)
                self.assertUnchanged(before, table)
        self.fails("delete", table)
        self.assertUnchanged(before, table)


class ReindexTests(CliTestCase):
    def test_reindex_packs_and_keeps_orders(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        self.ok("delete", table, "--query", 'UPPER(LNAME) = "ADAMS" .OR. ZIP = "97201"')
        self.ok("reindex", table)
        info = self.info(table)
        self.assertEqual(info["records"], 4)
        self.assertEqual(info["index"], "valid")
        self.assertEqual([(t["name"], t["key"]) for t in info["tags"]], ADDRESS_TAGS)
        # After packing: 1 Smith John, 2 Müller, 3 O'Brien, 4 Smith Anna.
        self.assertEqual(recnos(self.rows(table, "--recno", "--order", "LNAME")), [2, 3, 4, 1])
        self.assertEqual(recnos(self.rows(table, "--recno", "--order", "ZIP")), [4, 1, 3, 2])
        self.assertEqual(self.records(table, "--fields", "LNAME,MEMO,ISDEL")[0],
                         {"LNAME": "Smith", "MEMO": MEMO, "ISDEL": "F"})
        self.assertEqual(self.ok("seek", table, "--order", "NAME", "MÜLLER"), "2\n")
        self.assertEqual([d for d, _ in clitest.raw_records(table)], [False] * 4)

    def test_lost_or_broken_index_is_reported_and_rebuilt(self):
        def remove(cdx):
            os.remove(cdx)

        def zero_fill(cdx):
            with open(cdx, "r+b") as f:
                f.write(bytes(2048))

        def truncate(cdx):
            with open(cdx, "r+b") as f:
                f.truncate(700)

        for damage in (remove, zero_fill, truncate):
            with self.subTest(damage.__name__):
                table = self.make_address_file("people-%s.dbf" % damage.__name__, PEOPLE)
                damage(self.path("people-%s.cdx" % damage.__name__))
                self.assertEqual(self.info(table)["index"], "invalid")
                self.fails("list", table, "--order", "LNAME")
                self.fails("seek", table, "--order", "LNAME", "SMITH")
                # Record order does not need the index.
                self.assertEqual(self.count(table), 7)
                self.ok("reindex", table)
                info = self.info(table)
                self.assertEqual(info["index"], "valid")
                self.assertEqual([t["name"] for t in info["tags"]], [n for n, _ in ADDRESS_TAGS])
                self.assertEqual(recnos(self.rows(table, "--recno", "--order", "LNAME")), LNAME_ORDER)

    def test_missing_table(self):
        self.fails("reindex", self.path("absent.dbf"))


class CommandLineTests(CliTestCase):
    def test_usage_errors(self):
        cases = [[], ["frobnicate"], ["create"], ["info"], ["list"], ["append", "x.dbf"],
                 ["info", "a.dbf", "b.dbf"], ["create", "x.dbf", "--force"]]
        for args in cases:
            with self.subTest(args=args):
                done = self.cli(*args)
                self.assertEqual(done.returncode, 1, done.err)
                self.assertTrue(done.err.strip())
                self.assertEqual(os.listdir(self.dir), ["home"])


if __name__ == "__main__":
    clitest.main()
