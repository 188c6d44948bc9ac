"""corvane-cli layout: the JSON dump of a layout file's lists, and printing the first list to PDF."""

import json
import os
import shutil
import struct
import subprocess

import clitest


def short(text):
    data = text.encode("cp1252")
    return bytes([len(data)]) + data


def entry(name, value):
    return short(name) + value


def int_value(n):
    if -128 <= n <= 127:
        return b"\x02" + struct.pack("<b", n)
    if -32768 <= n <= 32767:
        return b"\x03" + struct.pack("<h", n)
    return b"\x04" + struct.pack("<i", n)


def string_value(text):
    return b"\x06" + short(text)


def ident(name):
    return b"\x07" + short(name)


FALSE, TRUE = b"\x08", b"\x09"


def record(class_name, name, *entries):
    return b"TPF0" + short(class_name) + short(name) + b"".join(entries) + b"\x00\x00"


def bounds(left, top, width, height):
    return (entry("Left", int_value(left)) + entry("Top", int_value(top)) + entry("Width", int_value(width))
            + entry("Height", int_value(height)) + entry("Locked", FALSE) + entry("Unselectable", FALSE))


FONT = (entry("Font.Color", ident("clBlack")) + entry("Font.Height", int_value(-13))
        + entry("Font.Name", string_value("Arial")) + entry("Font.Style", b"\x0b\x00"))
TEXT_TAIL = entry("Transparent", TRUE) + entry("BackColor", ident("clWhite")) + entry("BorderStyle", ident("bsNone"))

# The worked example: a text element "Text" at (10, 9), 142 x 22.
WORKED_EXAMPLE = record("TGPLabel", "Special1", bounds(10, 9, 142, 22), entry("Caption", string_value("Text")),
                        FONT, TEXT_TAIL)
LAST_NAME = record("TGPDLabel", "Special2", bounds(10, 40, 200, 22), FONT, TEXT_TAIL,
                   entry("DataFieldName", string_value("LNAME")),
                   entry("DataFieldDescript", string_value("Last Name")), entry("LengthOfText", int_value(30)))
ADDRESS = record("TGDMultiLineAddressLabel", "Special3", bounds(10, 70, 300, 90), entry("AutoSize", FALSE), FONT,
                 *(entry(name, TRUE) for name in ("UseName", "UseTitle", "UseCompany", "UseStreet", "UseStreet2",
                                                   "UseCityState", "UseZip")),
                 entry("UsePhone", FALSE), entry("UseCountry", TRUE), entry("ZipOptions", ident("zoAfterState")),
                 entry("UpperCase", FALSE))
LINE = record("TGLineShape", "Special4", bounds(0, 170, 300, 10), entry("Pen.Width", int_value(3)))


def element_list(*records):
    return b"\x01" + b"".join(records) + b"\x00"


class LayoutDumpTest(clitest.CliTestCase):
    def write(self, name, data):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_dump_lists_every_entry_in_stream_order(self):
        path = self.write("BIN00001.L", element_list(WORKED_EXAMPLE, LAST_NAME))
        dump = json.loads(self.ok("layout", "dump", path))
        self.assertEqual(len(dump["lists"]), 1)
        first, second = dump["lists"][0]
        self.assertEqual((first["class"], first["name"]), ("TGPLabel", "Special1"))
        self.assertEqual([p["name"] for p in first["properties"]],
                         ["Left", "Top", "Width", "Height", "Locked", "Unselectable", "Caption", "Font.Color",
                          "Font.Height", "Font.Name", "Font.Style", "Transparent", "BackColor", "BorderStyle"])
        props = {p["name"]: p for p in first["properties"]}
        self.assertEqual(props["Width"], {"name": "Width", "type": "int16", "value": 142})
        self.assertEqual(props["Font.Color"]["value"], "clBlack")
        self.assertEqual(props["Font.Style"]["value"], [])
        self.assertIs(props["Transparent"]["value"], True)
        self.assertEqual(second["class"], "TGPDLabel")

    def test_report_file_gives_four_lists(self):
        path = self.write("BIN00001.R", element_list() + element_list(LINE) + element_list()
                          + b"\x01" + int_value(7) + string_value("x") + b"\x00")
        dump = json.loads(self.ok("layout", "dump", path))
        self.assertEqual([len(items) for items in dump["lists"]], [0, 1, 0, 2])
        self.assertEqual(dump["lists"][3][0], {"type": "int8", "value": 7})

    def test_damaged_files_are_refused_with_one_line(self):
        good = element_list(WORKED_EXAMPLE)
        for name, data in [("cut", good[:-3]), ("signature", good.replace(b"TPF0", b"TPF1")),
                           ("class", good.replace(b"TGPLabel", b"TGXLabel")), ("empty", b"")]:
            with self.subTest(name):
                message = self.fails("layout", "dump", self.write(name + ".L", data))
                self.assertIn(name + ".L", message)


class LayoutPdfTest(clitest.CliTestCase):
    def write(self, name, data):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def pdf_text(self, pdf):
        if not shutil.which("pdftotext"):
            self.skipTest("pdftotext is not installed")
        done = subprocess.run(["pdftotext", "-layout", pdf, "-"], stdout=subprocess.PIPE, check=True)
        return done.stdout.decode("utf-8", errors="replace")

    def test_placeholders_without_an_address_file(self):
        layout = self.write("BIN00001.L", element_list(WORKED_EXAMPLE, LAST_NAME, ADDRESS, LINE))
        pdf = self.path("out.pdf")
        self.ok("layout", "pdf", layout, "--out", pdf, "--page", "4x3")
        with open(pdf, "rb") as f:
            self.assertEqual(f.read(5), b"%PDF-")
        text = self.pdf_text(pdf)
        self.assertIn("Text", text)
        self.assertIn("[Last Name]", text)
        self.assertIn("[Address Label]", text)

    def test_values_of_the_chosen_record(self):
        table = self.make_address_file("people.dbf", [
            {"LNAME": "Lee", "FNAME": "Ann", "STREET": "12 Elm St", "CITY": "Springfield", "STATE": "IL",
             "ZIP": "62704"},
            {"LNAME": "Moss", "FNAME": "Bo", "CITY": "Dover", "STATE": "DE", "ZIP": "19901"},
        ])
        layout = self.write("BIN00001.L", element_list(LAST_NAME, ADDRESS))
        pdf = self.path("rec2.pdf")
        self.ok("layout", "pdf", layout, "--out", pdf, "--address-file", table, "--recno", "2")
        text = self.pdf_text(pdf)
        self.assertIn("Moss", text)
        self.assertIn("Bo Moss", text)
        self.assertRegex(text, r"Dover\s+DE 19901")
        self.assertNotIn("Lee", text)

    def test_bad_arguments(self):
        layout = self.write("BIN00001.L", element_list(WORKED_EXAMPLE))
        self.fails("layout", "pdf", layout, "--out", self.path("x.pdf"), "--page", "wide")
        table = self.make_address_file("one.dbf", [{"LNAME": "Lee"}])
        self.fails("layout", "pdf", layout, "--out", self.path("x.pdf"), "--address-file", table, "--recno", "5")
        self.assertFalse(os.path.exists(self.path("x.pdf")))


if __name__ == "__main__":
    clitest.main()
