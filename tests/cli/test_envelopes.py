"""End-to-end tests of corvane-cli's envelope commands: the size list, envelope setups with their
New, Clone and Delete, and print-envelopes to a PDF file read back with poppler's pdfinfo and
pdftotext."""

import json
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402


def person(number, **fields):
    return dict({"LNAME": "Person%02d" % number, "STATE": "NY" if number % 2 else "MA"}, **fields)


class EnvelopeTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.sysdata = os.path.join(self.home, "sysdata")

    def new_setup(self, description="Office", code="20"):
        return json.loads(self.ok("new-envelope-setup", "--description", description, "--size", code))

    def setups(self):
        return json.loads(self.ok("envelope-setups"))

    def print_envelopes(self, table, *options, setup="Office"):
        pdf = self.path("envelopes.pdf")
        out = json.loads(self.ok("print-envelopes", table, "--setup", setup, *options, "--pdf", pdf))
        return out, pdf

    def pdf_info(self, pdf):
        done = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True)
        return dict(re.findall(r"^([^:]+):\s*(.*)$", done.stdout.decode(), re.M))

    def names(self, pdf):
        return [word for _, word, _, _ in self.words(pdf) if word.startswith("Person")]

    def words(self, pdf):
        """(page, word, xMin, yMin) in points for every word."""
        done = subprocess.run(["pdftotext", "-bbox", pdf, "-"], stdout=subprocess.PIPE, check=True)
        boxes, page = [], 0
        for line in done.stdout.decode().splitlines():
            if "<page " in line:
                page += 1
            m = re.search(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', line)
            if m:
                boxes.append((page, m.group(3), float(m.group(1)), float(m.group(2))))
        return boxes

    def test_sizes_in_list_order_with_their_codes(self):
        sizes = json.loads(self.ok("envelope-sizes"))
        self.assertEqual(len(sizes), 16)
        self.assertEqual(sizes[1], {"name": "Envelope #10 4 1/8 x 9 1/2 inches", "code": 20,
                                    "width": 9.5, "height": 4.125})
        self.assertEqual(sizes[6]["name"], "Envelope C5 162 x 229 mm ")
        self.assertEqual([s["code"] for s in sizes][-3:], [36, 37, 38])

    def test_new_clone_and_delete_keep_each_file_with_its_row(self):
        self.assertEqual(self.setups(), [])
        self.assertFalse(os.path.exists(os.path.join(self.sysdata, "ENVELOPE.DBF")))
        made = self.new_setup("Office", "27")
        self.assertEqual(made, {"description": "Office", "code": 27, "width": 8.8, "height": 4.4,
                                "layout": "BIN00001.E"})
        dump = json.loads(self.ok("layout", "dump", os.path.join(self.sysdata, "BIN00001.E")))
        self.assertEqual([e["class"] for e in dump["lists"][0]], ["TGDMultiLineAddressLabel"])

        clone = json.loads(self.ok("clone-envelope-setup", "office"))
        self.assertEqual((clone["description"], clone["code"], clone["layout"]),
                         ("Clone of Office", 27, "BIN00002.E"))
        with open(os.path.join(self.sysdata, "BIN00001.E"), "rb") as a, \
                open(os.path.join(self.sysdata, "BIN00002.E"), "rb") as b:
            self.assertEqual(a.read(), b.read())
        self.assertEqual([s["description"] for s in self.setups()], ["Clone of Office", "Office"])

        removed = json.loads(self.ok("delete-envelope-setup", "Office"))
        self.assertEqual(removed["layout"], "BIN00001.E")
        self.assertFalse(os.path.exists(os.path.join(self.sysdata, "BIN00001.E")))
        self.assertTrue(os.path.exists(os.path.join(self.sysdata, "BIN00002.E")))
        # The deleted row still names BIN00001.E: a new setup never takes it.
        self.assertEqual(self.new_setup("Home")["layout"], "BIN00003.E")

    def test_setup_errors_change_nothing(self):
        self.new_setup()
        self.assertIn("code 99", self.fails("new-envelope-setup", "--description", "X", "--size", "99"))
        self.assertIn("exists already", self.fails("new-envelope-setup", "--description", "OFFICE", "--size", "20"))
        self.assertIn("50 characters", self.fails("new-envelope-setup", "--description", "x" * 51, "--size", "20"))
        self.assertIn("No envelope setup", self.fails("clone-envelope-setup", "Nobody"))
        self.assertIn("No envelope setup", self.fails("delete-envelope-setup", "Nobody"))
        self.assertEqual(len(self.setups()), 1)

    def test_one_envelope_a_page_on_the_envelope_itself(self):
        table = self.make_address_file("mail.dbf", [person(i) for i in range(1, 4)])
        self.new_setup()
        out, pdf = self.print_envelopes(table)
        self.assertEqual((out["envelopes"], out["pages"]), (3, 3))
        self.assertEqual((out["page"], out["offset"]), ([9.5, 4.125], [0, 0]))
        self.assertEqual(out["pdf"], pdf)
        info = self.pdf_info(pdf)
        self.assertEqual(info["Pages"], "3")
        self.assertTrue(info["Page size"].startswith("684 x 297 pts"), info["Page size"])
        words = [(page, word) for page, word, _, _ in self.words(pdf) if word.startswith("Person")]
        self.assertEqual(words, [(1, "Person01"), (2, "Person02"), (3, "Person03")])
        # The address block sits in the postal address area: 0.6 inch in, 1.475 inches down.
        _, _, x, y = self.words(pdf)[0]
        self.assertAlmostEqual(x, 0.6 * 72, delta=3)
        self.assertAlmostEqual(y, (4.125 - 2.75 + 0.1) * 72, delta=4)

    def test_scopes_and_the_current_record(self):
        table = self.make_address_file("mail.dbf", [person(i) for i in range(1, 6)])
        self.new_setup()
        out, pdf = self.print_envelopes(table, "--scope", "current", "--recno", "4", "--start-current")
        self.assertEqual((out["envelopes"], out["pages"]), (1, 1))
        self.assertEqual(self.names(pdf), ["Person04"])
        out, pdf = self.print_envelopes(table, "--start-current", "--recno", "4")
        self.assertEqual(self.names(pdf), ["Person04", "Person05"])
        # A filter file of 18 criterion lines (the ninth is the state) and two flags.
        flt = self.path("odd.flt")
        with open(flt, "wb") as f:
            f.write("".join(("NY" if i == 9 else "") + "\r\n" for i in range(1, 19)).encode() + b"F\r\nF\r\n")
        done = self.cli("print-envelopes", table, "--setup", "Office", "--flt", flt, "--start-current",
                        "--recno", "2", "--pdf", self.path("odd.pdf"))
        self.assertEqual(done.returncode, 0, done.err)
        self.assertIn("Current record is out of range", done.err)
        self.assertEqual(json.loads(done.out)["envelopes"], 3)

    def test_order_by_a_tag(self):
        table = self.make_address_file("mail.dbf", [person(3), person(1), person(2)])
        self.new_setup()
        out, pdf = self.print_envelopes(table, "--order", "LNAME")
        self.assertEqual(self.names(pdf), ["Person01", "Person02", "Person03"])
        self.assertIn("No tag", self.fails("print-envelopes", table, "--setup", "Office", "--order", "NOPE",
                                           "--pdf", self.path("x.pdf")))

    def test_a_larger_page_places_the_envelope_by_the_feed(self):
        table = self.make_address_file("mail.dbf", [person(1)])
        self.new_setup()
        out, _ = self.print_envelopes(table, "--page", "11x8.5", "--facing", "up", "--position", "center",
                                      "--orientation", "landscape")
        self.assertEqual((out["page"], out["offset"]), ([11, 8.5], [1.5, 2.1875]))
        out, _ = self.print_envelopes(table, "--page", "11x8.5", "--facing", "up", "--position", "center",
                                      "--clockwise")
        self.assertEqual(out["offset"], [0, 2.1875])
        out, _ = self.print_envelopes(table, "--page", "8.5x11", "--facing", "up", "--position", "center",
                                      "--orientation", "portrait")
        self.assertEqual(out["offset"], [0, 0])

    def test_feed_defaults_come_from_the_settings_file(self):
        table = self.make_address_file("mail.dbf", [person(1)])
        self.new_setup()
        out, pdf = self.print_envelopes(table, "--page", "11x8.5")
        self.assertEqual(out["offset"], [1.5, 2.1875], "face down, landscape, centre")
        self.write_settings("[Envelope Feed]\nPosition=0\nOrientation=0\nFacing=0\nClockWiseRotation=0\n")
        out, pdf = self.print_envelopes(table)
        self.assertEqual(out["page"], [4.125, 9.5], "portrait: the envelope stands upright")

    def test_refusals_leave_no_pdf(self):
        table = self.make_address_file("mail.dbf", [person(1)])
        self.new_setup()
        pdf = self.path("none.pdf")
        self.assertIn("No envelope setup", self.fails("print-envelopes", table, "--setup", "Nobody", "--pdf", pdf))
        os.remove(os.path.join(self.sysdata, "BIN00001.E"))
        self.assertEqual(self.fails("print-envelopes", table, "--setup", "Office", "--pdf", pdf),
                         "corvane-cli: Envelope definition file has been removed from the sysdata directory")
        self.assertFalse(os.path.exists(pdf))


if __name__ == "__main__":
    clitest.main()
