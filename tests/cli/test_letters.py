"""End-to-end tests of corvane-cli's letter commands: new-letter, letters, letter-rtf, rtf dump
and print-letters to PDF (read back with poppler), RTF and text."""

import json
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

TEMPLATE = (r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red255\green0\blue0;}"
            "\r\n" r"\paperw12240\paperh15840\margl1440\margr1440\margt1440\margb1440" "\r\n"
            r"\pard\qr\f0\fs20 [Long Date]\par" "\r\n"
            r"\pard\ql [Name and Address]\par" "\r\n"
            r"\pard Dear {\b\cf1 [first]} [Last],\par" "\r\n"
            r"\pard\pagebb Page two for [Last]\par" "\r\n}")

PEOPLE = [
    {"LNAME": "Brown", "FNAME": "John", "MIDDLE": "Q", "PREFIX": "Mr.", "CITY": "Springfield", "STATE": "IL",
     "ZIP": "62701"},
    {"LNAME": "Lee", "FNAME": "Ann", "ZIP": "M5V 2T6", "CITY": "Toronto"},
    {"LNAME": "Kay", "FNAME": "Bo"},
]


class LetterTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.template = self.path("template.rtf")
        with open(self.template, "w", newline="") as f:
            f.write(TEMPLATE)

    def letter_table(self):
        return os.path.join(self.home, "sysdata", "LETTER.DBF")

    def new_letter(self, description="Thanks"):
        return json.loads(self.ok("new-letter", "--description", description, "--rtf", self.template))

    def test_new_letter_is_listed_and_stored_by_our_codec(self):
        self.assertEqual(json.loads(self.ok("letters")), [])
        self.assertEqual(self.new_letter("Thanks"), {"description": "Thanks"})
        self.new_letter("An offer")
        self.assertEqual(json.loads(self.ok("letters")), [{"description": "An offer"}, {"description": "Thanks"}])
        stored = self.ok("letter-rtf", "Thanks")
        self.assertTrue(stored.startswith("{\\rtf1\\ansi\\ansicpg1252"))
        self.assertTrue(all(ord(c) < 128 for c in stored))
        self.assertNotIn("\n", stored.replace("\r\n", ""), "lines end in CR LF")
        self.assertFalse(stored.endswith("\r\n"), "no line end after the last line")
        self.assertNotEqual(len(stored) % 4, 0, "the storage rule leaves no length a multiple of 4")
        self.assertIn("There is no letter", self.fails("letter-rtf", "Nothing"))

    def test_rtf_dump(self):
        dump = json.loads(self.ok("rtf", "dump", self.template))
        self.assertEqual(dump["page"], {"width": 12240, "height": 15840, "left": 1440, "right": 1440,
                                        "top": 1440, "bottom": 1440})
        paragraphs = dump["paragraphs"]
        self.assertEqual([p["align"] for p in paragraphs], ["right", "left", "left", "left"])
        self.assertEqual([p["pageBreakBefore"] for p in paragraphs], [False, False, False, True])
        self.assertEqual(paragraphs[2]["text"], "Dear [first] [Last],")
        bold = [r for r in paragraphs[2]["runs"] if r["text"] == "[first]"][0]
        self.assertEqual(bold, {"text": "[first]", "font": "Arial", "size": 10, "bold": True, "italic": False,
                                "underline": False, "color": "#ff0000"})
        broken = self.path("broken.rtf")
        with open(broken, "w") as f:
            f.write("{\\rtf1 {\\b open")
        self.assertIn("broken.rtf", self.fails("rtf", "dump", broken))

    def test_print_letters_as_text_rtf_and_pdf(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        self.new_letter()
        letters = json.loads(self.ok("print-letters", table, "--letter", "Thanks", "--date", "2026-12-08", "--text"))
        self.assertEqual([l["recno"] for l in letters], [1, 2, 3])
        self.assertEqual(letters[0]["text"],
                         "Dec 8, 2026\nMr. John Q. Brown \nSpringfield IL  62701\n\nDear John Brown,\n"
                         "Page two for Brown")
        self.assertEqual(letters[1]["text"].split("\n")[1:4], ["Ann Lee ", "Toronto  M5V 2T6", ""])

        current = json.loads(self.ok("print-letters", table, "--letter", "Thanks", "--scope", "current",
                                     "--recno", "2", "--copies", "3", "--text"))
        self.assertEqual([l["recno"] for l in current], [2, 2, 2])

        rtf = self.path("out.rtf")
        out = json.loads(self.ok("print-letters", table, "--letter", "Thanks", "--rtf", rtf))
        self.assertEqual(out, {"letters": 3, "rtf": rtf})
        dump = json.loads(self.ok("rtf", "dump", rtf))
        starts = [p["text"] for p in dump["paragraphs"] if p["pageBreakBefore"]]
        self.assertEqual(len(starts), 5, "each letter's second page and each letter after the first")

        pdf = self.path("out.pdf")
        out = json.loads(self.ok("print-letters", table, "--letter", "Thanks", "--pdf", pdf))
        self.assertEqual(out, {"letters": 3, "pages": 6, "pdf": pdf})
        info = subprocess.run(["pdfinfo", pdf], stdout=subprocess.PIPE, check=True).stdout.decode()
        self.assertEqual(re.search(r"Pages:\s+(\d+)", info).group(1), "6")
        self.assertIn("612 x 792", info)
        words = subprocess.run(["pdftotext", "-f", "3", "-l", "3", pdf, "-"], stdout=subprocess.PIPE,
                               check=True).stdout.decode().split()
        self.assertIn("Ann", words)

    def test_print_errors_write_nothing(self):
        table = self.make_address_file("people.dbf", PEOPLE)
        pdf = self.path("none.pdf")
        self.assertIn("no LETTER.DBF", self.fails("print-letters", table, "--letter", "Thanks", "--pdf", pdf))
        self.assertFalse(os.path.exists(self.letter_table()), "printing makes no letter table")
        self.new_letter()
        before = self.table_files(self.letter_table())
        for args in (["--letter", "Missing", "--pdf", pdf],
                     ["--letter", "Thanks", "--copies", "1000", "--pdf", pdf],
                     ["--letter", "Thanks", "--date", "2026-13-01", "--pdf", pdf],
                     ["--letter", "Thanks", "--scope", "current", "--pdf", pdf],
                     ["--letter", "Thanks", "--pdf", os.path.join(self.dir, "no", "such", "dir.pdf")]):
            self.fails("print-letters", table, *args)
            self.assertFalse(os.path.exists(pdf))
        self.assertUnchanged(before, self.letter_table())
        self.assertNotEqual(self.cli("print-letters", table, "--letter", "Thanks").returncode, 0)


if __name__ == "__main__":
    clitest.main()
