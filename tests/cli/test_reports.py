"""End-to-end tests of corvane-cli count-zip, zip-report, print-report, print-record and the
report definition commands, with the PDF files read back by poppler's pdfinfo and pdftotext."""

import json
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402


class ReportCommandTests(CliTestCase):
    def pages(self, pdf):
        done = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True)
        for line in done.stdout.decode().splitlines():
            if line.startswith("Pages:"):
                return int(line.split()[1])
        return 0

    def text(self, pdf, page=None):
        args = ["pdftotext", "-layout"]
        if page:
            args += ["-f", str(page), "-l", str(page)]
        done = subprocess.run(args + [pdf, "-"], stdout=subprocess.PIPE, check=True)
        return done.stdout.decode()

    def test_count_zip_lists_keys_others_and_blanks(self):
        table = self.make_address_file("zips.dbf", [
            {"LNAME": "A", "ZIP": "12345-6789"}, {"LNAME": "B", "ZIP": "12345"}, {"LNAME": "C", "ZIP": "K1A 0B1"},
            {"LNAME": "D", "ZIP": "1234"}, {"LNAME": "E"}, {"LNAME": "F"}, {"LNAME": "G", "ZIP": "02134"}])
        self.assertEqual(self.ok("count-zip", table).splitlines(),
                         ["02134     1", "12345     2", "", "", "1234      1", "K1A 0     1", "BLANK     2"])
        self.assertEqual(self.ok("count-zip", table, "--query", 'LNAME = "A"').splitlines(),
                         ["12345     1", "", ""])
        self.fails("count-zip", table, "--query", "NOSUCHFIELD = 1")
        self.fails("count-zip", self.path("missing.dbf"))

    def test_zip_report_pages_and_whole_counts(self):
        records = [{"LNAME": "P%d" % i, "ZIP": "%05d" % (10000 + i)} for i in range(250)]
        table = self.make_address_file("many.dbf", records)
        pdf = self.path("zips.pdf")
        out = json.loads(self.ok("zip-report", table, "--pdf", pdf))
        self.assertEqual(out["lines"], 252)
        self.assertEqual(out["pages"], self.pages(pdf))
        self.assertEqual(out["pages"], 2)
        first = self.text(pdf, 1)
        self.assertIn("Zip Code Count Report", first)
        self.assertIn("Page 1", first)
        self.assertIn("Page 2", self.text(pdf, 2))

    def test_print_report_builtin(self):
        table = self.make_address_file("people.dbf", [
            {"LNAME": "Brown", "FNAME": "Ann", "STREET": "1 Elm St", "CITY": "Boston", "ZIP": "02134",
             "PHONE": "555-0101", "CODES": "VIP", "MEMO": "Met at the fair"},
            {"LNAME": "", "FNAME": "Nameless"},
            {"LNAME": "Adams", "FNAME": "Bo", "PREFIX": "deleted"},
            {"LNAME": "Cole", "FNAME": "Cy"}])
        pdf = self.path("r1.pdf")
        out = json.loads(self.ok("print-report", table, "--builtin", "1", "--memo", "--codes", "--pdf", pdf))
        self.assertEqual(out, {"records": 2, "pages": 1, "pdf": pdf})
        text = self.text(pdf)
        for expected in ("Report 1", "Page 1", "City/St/Zip", "Brown, Ann", "Boston, 02134", "Codes: VIP",
                         "Met at the fair", "Cole, Cy"):
            self.assertIn(expected, text)
        self.assertNotIn("Adams", text)

        out = json.loads(self.ok("print-report", table, "--builtin", "2", "--scope", "filter", "--title",
                                 "Phone list", "--copies", "3", "--pdf", pdf))
        self.assertEqual(out, {"records": 3, "pages": 3, "pdf": pdf})
        self.assertIn("Phone list", self.text(pdf, 3))

        # The current record prints whatever its name.
        out = json.loads(self.ok("print-report", table, "--builtin", "3", "--scope", "current", "--recno", "2",
                                 "--pdf", pdf))
        self.assertEqual(out["records"], 1)
        self.assertIn("Nameless", self.text(pdf))

    def test_print_report_page_range(self):
        table = self.make_address_file("long.dbf", [{"LNAME": "Person%03d" % i} for i in range(200)])
        pdf = self.path("range.pdf")
        out = json.loads(self.ok("print-report", table, "--builtin", "2", "--pages", "2-3", "--pdf", pdf))
        self.assertEqual(out["records"], 200)
        self.assertEqual(out["pages"], 2)
        self.assertEqual(self.pages(pdf), 2)
        self.assertIn("Page 2", self.text(pdf, 1))
        self.assertNotIn("Person000", self.text(pdf))
        # A range past the last page prints nothing and says so.
        os.remove(pdf)
        self.assertIn("none of pages 9 to 9", self.fails("print-report", table, "--builtin", "2", "--pages", "9",
                                                         "--pdf", pdf))
        self.assertFalse(os.path.exists(pdf))

    def test_print_report_errors_write_nothing(self):
        table = self.make_address_file("e.dbf", [{"LNAME": "X"}])
        pdf = self.path("none.pdf")
        self.fails("print-report", table, "--builtin", "5", "--pdf", pdf)
        self.fails("print-report", table, "--builtin", "1", "--scope", "current", "--pdf", pdf)
        self.fails("print-report", table, "--builtin", "1", "--pages", "3-2", "--pdf", pdf)
        self.fails("print-report", table, "--builtin", "1", "--copies", "0", "--pdf", pdf)
        self.fails("print-report", table, "--builtin", "1", "--report", "Mine", "--pdf", pdf)
        self.assertFalse(os.path.exists(pdf))
        # A PDF that cannot be written ends with its reason, never as done.
        unwritable = os.path.join(self.dir, "no-such-folder", "out.pdf")
        self.fails("print-report", table, "--builtin", "1", "--pdf", unwritable)
        self.fails("zip-report", table, "--pdf", unwritable)

    def test_print_record(self):
        table = self.make_address_file("one.dbf", [
            {"LNAME": "Brown", "FNAME": "Ann", "STREET": "1 Elm St", "MEMO": "A long memo"}])
        pdf = self.path("rec.pdf")
        self.assertEqual(json.loads(self.ok("print-record", table, "--recno", "1", "--pdf", pdf)),
                         {"pages": 1, "pdf": pdf})
        text = self.text(pdf)
        for expected in ("Address 1", "1 Elm St", "Last", "Brown", "A long memo"):
            self.assertIn(expected, text)
        self.ok("print-record", table, "--recno", "1", "--fields", "Last,Address 1", "--pdf", pdf)
        text = self.text(pdf)
        self.assertIn("Brown", text)
        self.assertNotIn("Ann", text)
        self.ok("print-record", table, "--recno", "1", "--fields", "none", "--pdf", pdf)
        self.assertNotIn("Brown", self.text(pdf))
        self.fails("print-record", table, "--recno", "2", "--pdf", pdf)
        self.fails("print-record", table, "--recno", "1", "--fields", "Shoe size", "--pdf", pdf)

    def write_layout(self, name):
        """A report layout file: three empty bands and the default settings block at 96 ppi."""
        def short(v):
            return bytes([3]) + struct.pack("<h", v)
        block = short(8500) + short(11000) + short(500) * 4 + short(343) * 3 + bytes([9, 9, 8, 8])
        block += bytes([6, 5]) + b"Arial" + bytes([2, 10, 8, 8, 2, 0]) + bytes([6, 5]) + b"Arial" + bytes([2, 10, 8, 8])
        block += bytes([8, 8, 8, 8, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0]) * 4
        sysdata = os.path.join(self.home, "sysdata")
        os.makedirs(sysdata, exist_ok=True)
        with open(os.path.join(sysdata, name), "wb") as f:
            f.write(bytes([1, 0]) * 3 + bytes([1]) + block + bytes([0]))
        return os.path.join(sysdata, name)

    def test_report_settings_lists_the_fifty_values(self):
        path = self.write_layout("BIN00001.R")
        values = json.loads(self.ok("report-settings", path))
        self.assertEqual(len(values), 50)
        self.assertEqual(values[:9], [8500, 11000, 500, 500, 500, 500, 343, 343, 343])
        self.assertEqual(values[9:15], [True, True, False, False, "Arial", 10])
        with open(path, "r+b") as f:
            f.truncate(40)
        self.fails("report-settings", path)

    def test_setups_clone_and_delete(self):
        self.assertEqual(json.loads(self.ok("report-setups")), [])
        self.write_layout("BIN00001.R")
        # A report row is made through the table commands' own file.
        self.fails("clone-report", "Nothing")
        sysdata = os.path.join(self.home, "sysdata")
        report = os.path.join(sysdata, "REPORT.DBF")
        self.ok("append", report, "--csv", self.write_csv("r.csv", ["DESCRIPT", "LAYOUT", "BINARY"],
                                                          [["Monthly", "Letter Size, Portrait", "BIN00001.R"]]))
        listed = json.loads(self.ok("report-setups"))
        self.assertEqual(listed, [{"description": "Monthly", "layout": "Letter Size, Portrait",
                                   "binary": "BIN00001.R", "filePresent": True}])
        clone = json.loads(self.ok("clone-report", "monthly"))
        self.assertEqual(clone["description"], "Clone of Monthly")
        self.assertEqual(clone["binary"], "BIN00002.R")
        self.assertTrue(os.path.exists(os.path.join(sysdata, "BIN00002.R")))
        self.ok("delete-report", "Monthly")
        self.assertFalse(os.path.exists(os.path.join(sysdata, "BIN00001.R")))
        self.assertEqual([r["description"] for r in json.loads(self.ok("report-setups"))], ["Clone of Monthly"])
        # The deleted row keeps its name taken.
        self.assertEqual(json.loads(self.ok("clone-report", "Clone of Monthly"))["binary"], "BIN00003.R")
        self.fails("delete-report", "Monthly")


if __name__ == "__main__":
    clitest.main()
