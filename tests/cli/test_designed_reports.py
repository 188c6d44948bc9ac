"""End-to-end tests of corvane-cli new-report and print-report --report: a designed report made,
listed and printed to PDF over the records of an address file."""

import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402


class DesignedReportTests(CliTestCase):
    def pages(self, pdf):
        done = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True)
        for line in done.stdout.decode().splitlines():
            if line.startswith("Pages:"):
                return int(line.split()[1])
        return 0

    def page_size(self, pdf):
        done = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True)
        for line in done.stdout.decode().splitlines():
            if line.startswith("Page size:"):
                parts = line.split()
                return float(parts[2]), float(parts[4])
        return None

    def text(self, pdf, page=None):
        args = ["pdftotext", "-layout"]
        if page:
            args += ["-f", str(page), "-l", str(page)]
        done = subprocess.run(args + [pdf, "-"], stdout=subprocess.PIPE, check=True)
        return done.stdout.decode()

    def people(self, count, memo=""):
        return self.make_address_file("people.dbf", [
            {"LNAME": "Name%03d" % i, "FNAME": "First%03d" % i, "CITY": "Town%03d" % i, "MEMO": memo}
            for i in range(1, count + 1)])

    def test_new_report_row_file_and_print(self):
        out = json.loads(self.ok("new-report", "--description", "Members", "--bands", "header,detail,footer",
                                 "--title", "Member List", "--fields", "LNAME,FNAME,CITY"))
        self.assertEqual(out["description"], "Members")
        sysdata = os.path.join(self.home, "sysdata")
        self.assertTrue(os.path.exists(os.path.join(sysdata, out["binary"])))
        listed = json.loads(self.ok("report-setups"))
        self.assertEqual([(r["description"], r["layout"], r["filePresent"]) for r in listed],
                         [("Members", "Letter Size, Portrait", True)])
        values = json.loads(self.ok("report-settings", os.path.join(sysdata, out["binary"])))
        self.assertEqual(values[:2], [8500, 11000])

        table = self.people(28)
        pdf = self.path("members.pdf")
        printed = json.loads(self.ok("print-report", table, "--report", "Members", "--pdf", pdf))
        self.assertEqual(printed, {"records": 28, "pages": 2, "pdf": pdf})
        first = self.text(pdf, 1)
        self.assertIn("Member List", first)
        self.assertIn("Name001", first)
        self.assertIn("Town027", first)
        self.assertNotIn("Name028", first)
        self.assertIn("Name028", self.text(pdf, 2))
        self.assertIn("Member List", self.text(pdf, 2))
        # The page-number element shows each page's number at the header's right.
        self.assertRegex(self.text(pdf, 1).lstrip("\n").splitlines()[0], r"Member List\s+1\s*$")
        self.assertRegex(self.text(pdf, 2).lstrip("\n").splitlines()[0], r"Member List\s+2\s*$")
        width, height = self.page_size(pdf)
        self.assertAlmostEqual(width, 612, delta=1)
        self.assertAlmostEqual(height, 792, delta=1)

        pdf = self.path("one.pdf")
        printed = json.loads(self.ok("print-report", table, "--report", "members", "--one-per-page", "--pages",
                                     "2-3", "--pdf", pdf))
        self.assertEqual(printed["records"], 28)
        self.assertEqual(self.pages(pdf), 2)
        self.assertIn("Name002", self.text(pdf, 1))

        pdf = self.path("current.pdf")
        printed = json.loads(self.ok("print-report", table, "--report", "Members", "--scope", "current",
                                     "--recno", "5", "--copies", "2", "--pdf", pdf))
        self.assertEqual(printed["records"], 1)
        self.assertEqual(self.pages(pdf), 2)
        self.assertIn("Name005", self.text(pdf, 2))

    def test_memo_band_and_a4_landscape(self):
        self.ok("new-report", "--description", "Notes", "--layout", "A4 Size, Landscape", "--bands",
                "detail,memo", "--fields", "LNAME")
        table = self.people(2, memo="First memo line\r\nSecond memo line")
        pdf = self.path("notes.pdf")
        printed = json.loads(self.ok("print-report", table, "--report", "Notes", "--pdf", pdf))
        self.assertEqual(printed["pages"], 1)
        text = self.text(pdf)
        self.assertEqual(text.count("Second memo line"), 2)
        width, height = self.page_size(pdf)
        self.assertGreater(width, height)

    def test_errors_write_nothing(self):
        table = self.people(3)
        pdf = self.path("x.pdf")
        self.fails("new-report", "--description", "Bad", "--layout", "Legal")
        self.fails("new-report", "--description", "Bad", "--bands", "header,side")
        self.fails("new-report", "--description", "Bad", "--fields", "NOSUCH")
        self.fails("new-report", "--description", "Bad", "--bands", "header", "--fields", "LNAME")
        self.assertEqual(json.loads(self.ok("report-setups")), [])
        self.ok("new-report", "--description", "Once")
        self.fails("new-report", "--description", "once")
        self.fails("print-report", table, "--report", "Missing", "--pdf", pdf)
        self.fails("print-report", table, "--report", "Once", "--title", "T", "--pdf", pdf)
        self.fails("print-report", table, "--builtin", "1", "--one-per-page", "--pdf", pdf)
        self.fails("print-report", table, "--report", "Once", "--pages", "5-6", "--pdf", pdf)
        self.assertFalse(os.path.exists(pdf))


if __name__ == "__main__":
    clitest.main()
