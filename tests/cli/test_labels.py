"""End-to-end tests of corvane-cli's label commands: new-label-setup, label-setups and
print-labels to a PDF file read back with poppler's pdfinfo and pdftotext."""

import json
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

STOCK = "Avery 5160  Address"


def person(number, **fields):
    return dict({"LNAME": "Person%02d" % number}, **fields)


class LabelTests(CliTestCase):
    def setUp(self):
        super().setUp()
        # The stock catalogue the build made, beside the tool.
        built = os.path.join(os.path.dirname(clitest.CLI), "sysdata")
        sysdata = os.path.join(self.home, "sysdata")
        os.makedirs(sysdata, exist_ok=True)
        for name in os.listdir(built):
            if name.upper().startswith("LBLTPL."):
                shutil.copy(os.path.join(built, name), sysdata)
        self.sysdata = sysdata

    def new_setup(self, description="Office", stock=STOCK):
        return json.loads(self.ok("new-label-setup", "--description", description, "--template", stock))

    def print_labels(self, table, *options, setup="Office"):
        pdf = self.path("labels.pdf")
        out = json.loads(self.ok("print-labels", table, "--setup", setup, *options, "--pdf", pdf))
        return out, pdf

    def pdf_info(self, pdf):
        done = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True)
        return dict(re.findall(r"^([^:]+):\s*(.*)$", done.stdout.decode(), re.M))

    def page_words(self, pdf, page):
        done = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf, "-"],
                              stdout=subprocess.PIPE, check=True)
        return done.stdout.decode().split()

    def word_boxes(self, pdf):
        """(page, word, xMin, yMin) in points for every word, from pdftotext's bounding boxes."""
        done = subprocess.run(["pdftotext", "-bbox", pdf, "-"], stdout=subprocess.PIPE, check=True)
        boxes, page = [], 0
        for line in done.stdout.decode().splitlines():
            if "<page " in line:
                page += 1
            m = re.search(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', line)
            if m:
                boxes.append((page, m.group(3), float(m.group(1)), float(m.group(2))))
        return boxes

    def label_texts(self, pdf, left=0.188, top=0.5, across=2.75, down=1.0):
        """The text of each label position of the default stock in print order: its words joined,
        read top to bottom and left to right."""
        labels = {}
        for page, word, x, y in self.word_boxes(pdf):
            column, row = int((x / 72 - left) // across), int((y / 72 - top) // down)
            labels.setdefault((page, row, column), []).append((round(y), x, word))
        return [" ".join(w for _, _, w in sorted(words)) for _, words in sorted(labels.items())]

    def test_new_setup_is_listed_with_its_stock_geometry_and_layout(self):
        made = self.new_setup()
        self.assertEqual(made["description"], "Office")
        self.assertEqual(made["stock"], STOCK)
        self.assertEqual(made["layoutFile"], "BIN00001.L")
        self.assertTrue(os.path.exists(os.path.join(self.sysdata, "BIN00001.L")))
        self.new_setup("Club")
        listed = json.loads(self.ok("label-setups"))
        self.assertEqual([s["description"] for s in listed], ["Club", "Office"])
        office = listed[1]
        self.assertEqual(office["layoutFile"], "BIN00001.L")
        self.assertEqual((office["geometry"]["across"], office["geometry"]["down"]), (3, 10))
        # The maker's dimensions of the stock: 3/16" margin, 1/8" between columns.
        self.assertAlmostEqual(office["geometry"]["leftMargin"], 0.188)
        self.assertAlmostEqual(office["geometry"]["horizontalPitch"], 2.75)
        self.assertEqual(office["geometry"]["paperSize"], "LTR")
        dump = json.loads(self.ok("layout", "dump", os.path.join(self.sysdata, "BIN00001.L")))
        self.assertEqual([e["class"] for e in dump["lists"][0]], ["TGDMultiLineAddressLabel"])

    def test_no_setups_list_empty_and_listing_makes_no_table(self):
        self.assertEqual(json.loads(self.ok("label-setups")), [])
        self.assertFalse(os.path.exists(os.path.join(self.sysdata, "LABEL.DBF")))

    def test_new_setup_errors(self):
        self.new_setup()
        self.assertIn("No label stock", self.fails("new-label-setup", "--description", "X",
                                                   "--template", "Avery 9999"))
        self.assertIn("exists already", self.fails("new-label-setup", "--description", "office",
                                                   "--template", STOCK))
        self.assertIn("50 characters", self.fails("new-label-setup", "--description", "x" * 51,
                                                  "--template", STOCK))
        self.fails("new-label-setup", "--description", "  ", "--template", STOCK)
        self.fails("new-label-setup", "--description", "Y")
        self.assertEqual(len(json.loads(self.ok("label-setups"))), 1)

    def test_a_second_sheet_starts_with_record_31_at_the_top_left(self):
        table = self.make_address_file("mail.dbf", [person(i) for i in range(1, 32)])
        self.new_setup()
        out, pdf = self.print_labels(table)
        self.assertEqual((out["pages"], out["labels"]), (2, 31))
        info = self.pdf_info(pdf)
        self.assertEqual(info["Pages"], "2")
        self.assertTrue(info["Page size"].startswith("612 x 792 pts"), info["Page size"])
        self.assertEqual(self.page_words(pdf, 2), ["Person31"])
        boxes = {word: (page, x, y) for page, word, x, y in self.word_boxes(pdf)}
        # The address block starts 0.1 inch into the label; record 2 is the second column.
        first_page, first_x, first_y = boxes["Person01"]
        self.assertEqual(boxes["Person02"][0], 1)
        self.assertAlmostEqual(boxes["Person02"][1] - first_x, 2.75 * 72, delta=0.5)
        self.assertAlmostEqual(boxes["Person02"][2], first_y, delta=0.5)
        self.assertAlmostEqual(first_x, (0.188 + 0.1) * 72, delta=3)
        self.assertEqual(boxes["Person31"][0], 2)
        self.assertAlmostEqual(boxes["Person31"][1], first_x, delta=0.5)
        self.assertAlmostEqual(boxes["Person31"][2], first_y, delta=0.5)

    def test_positions_and_copies(self):
        table = self.make_address_file("mail.dbf", [person(i) for i in range(1, 28)])
        self.new_setup()
        positions = ",".join(str(p) for p in range(5, 31))
        out, pdf = self.print_labels(table, "--positions", positions)
        self.assertEqual((out["pages"], out["labels"]), (2, 27), "26 labels a sheet")
        out, pdf = self.print_labels(table, "--scope", "current", "--recno", "3", "--copies", "3")
        self.assertEqual((out["pages"], out["labels"]), (1, 3))
        self.assertEqual(self.page_words(pdf, 1), ["Person03"] * 3)

    def test_start_from_the_current_record(self):
        table = self.make_address_file("mail.dbf", [person(i) for i in range(1, 6)])
        self.new_setup()
        out, pdf = self.print_labels(table, "--start-current", "--recno", "4")
        self.assertEqual(self.page_words(pdf, 1), ["Person04", "Person05"])

    def test_presort_prints_separators_before_each_group(self):
        people = ([person(i, ZIP="12345") for i in range(1, 11)]
                  + [person(i, ZIP="12346") for i in range(11, 13)])
        table = self.make_address_file("mail.dbf", people)
        self.new_setup()
        out, pdf = self.print_labels(table, "--presort", "--copies", "2")
        self.assertEqual((out["labels"], out["separators"]), (12, 2))
        self.assertEqual(self.label_texts(pdf),
                         ["** 5-digit 12345"] + ["Person%02d 12345" % i for i in range(1, 11)]
                         + ["** ADC ALBANY NY 120", "Person11 12346", "Person12 12346"])
        with open(os.path.join(self.home, "PRESORT.PSL"), "rb") as f:
            self.assertEqual(f.read(), b"** 5-digit 12345\r\n12345\r\n** ADC ALBANY NY 120\r\n12346\r\n")

    def test_print_errors(self):
        table = self.make_address_file("mail.dbf", [person(1)])
        self.new_setup()
        pdf = self.path("out.pdf")
        self.assertIn("No label setup", self.fails("print-labels", table, "--setup", "Home", "--pdf", pdf))
        for positions in ("0", "31", "1,x"):
            self.assertIn("--positions", self.fails("print-labels", table, "--setup", "Office",
                                                    "--positions", positions, "--pdf", pdf))
        self.fails("print-labels", table, "--setup", "Office", "--copies", "100", "--pdf", pdf)
        self.fails("print-labels", table, "--setup", "Office", "--scope", "current", "--pdf", pdf)
        self.fails("print-labels", table, "--setup", "Office", "--scope", "current", "--recno", "1",
                   "--presort", "--pdf", pdf)
        self.fails("print-labels", table, "--setup", "Office")
        os.remove(os.path.join(self.sysdata, "BIN00001.L"))
        self.assertEqual(self.fails("print-labels", table, "--setup", "Office", "--pdf", pdf),
                         "corvane-cli: Label definition file has been removed from the sysdata directory")
        self.assertFalse(os.path.exists(pdf))


if __name__ == "__main__":
    clitest.main()
