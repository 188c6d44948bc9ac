"""Import and export through corvane-cli: text and dBase imports with field matching, older
versions' files, export to dBase and text, and the refusals."""

import json
import os
import struct

import clitest
from clitest import CliTestCase


def dbf_bytes(version, fields, rows, deleted=()):
    """A small dBase table written byte by byte: fields are (name, type, width, decimals), rows
    lists of raw field texts; memo fields take block numbers as text."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 32 + 32 * len(fields) + 1
    out = bytearray(struct.pack("<B3BIHH20x", version, 124, 1, 1, len(rows), header_length, record_length))
    out[29] = 0x03
    for name, kind, width, decimals in fields:
        out += struct.pack("<11sc4xBB14x", name.encode("ascii"), kind.encode("ascii"), width, decimals)
    out += b"\r"
    for i, row in enumerate(rows):
        out += b"*" if i in deleted else b" "
        for (name, kind, width, decimals), value in zip(fields, row):
            text = value.encode("cp1252")
            out += (text.rjust(width) if kind in "NM" else text.ljust(width))[:width]
    out += b"\x1a"
    return bytes(out)


class ImportExportTests(CliTestCase):
    def write(self, name, data):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_ascii_sample_shows_the_first_line_columns(self):
        text = self.write("in.txt", b'"Lee, Ann",x,12\r\nDoe,Jo,1,extra\r\n')
        sample = json.loads(self.ok("ascii-sample", text))
        self.assertEqual(sample, {"columns": [{"name": "Field 1", "widest": 8}, {"name": "Field 2", "widest": 2},
                                              {"name": "Field 3", "widest": 2}],
                                  "lines": [["Lee, Ann", "x", "12"], ["Doe", "Jo", "1"]]})
        one = self.write("one.txt", b"only\n")
        self.assertIn("Unable to import from this file", self.fails("ascii-sample", one))

    def test_import_ascii_matches_by_label_and_rebuilds_the_tags(self):
        book = self.make_address_file("book.dbf", [{"LNAME": "Existing"}])
        text = self.write("in.txt", "Müller,Ann,12/8/1996\nLee,Bo,19970428\n\n".encode("cp1252"))
        out = self.ok("import-ascii", book, text, "--match", "1=last name,2=First Name,3=Date")
        self.assertEqual(json.loads(out), {"imported": 3})
        records = self.records(book, "--order", "LNAME")
        self.assertEqual([(r["LNAME"], r["FNAME"], r["DATE"]) for r in records],
                         [("", "", ""), ("Existing", "", ""), ("Lee", "Bo", "19970428"),
                          ("Müller", "Ann", "19961208")])
        self.assertEqual(self.info(book)["index"], "valid")
        self.assertIn("Tagged", self.fails("import-ascii", book, text, "--match", "1=Tagged"))
        self.assertIn("column 4", self.fails("import-ascii", book, text, "--match", "4=City"))

    def test_a_failed_batch_import_changes_nothing(self):
        book = self.make_address_file("book.dbf", [{"LNAME": "Existing"}])
        text = self.write("in.txt", "One\nTwo\n中\nFour\n".encode("utf-8"))
        line = self.fails("import-ascii", book, text, "--match", "1=Last Name")
        self.assertIn("Unknown error writing to data file after importing 2 records.", line)
        self.assertIn("Line 3", line)
        self.assertEqual([r["LNAME"] for r in self.records(book)], ["Existing"])
        self.assertEqual(self.info(book)["index"], "valid")

    def test_importing_a_file_into_itself_is_refused_also_through_a_link(self):
        book = self.make_address_file("book.dbf", [{"LNAME": "Existing"}])
        os.symlink(book, self.path("alias.dbf"))
        for source in (book, self.path("alias.dbf"), os.path.join(self.dir, ".", "book.dbf")):
            self.assertIn("Cannot import a file to itself", self.fails("import-dbf", book, source))
        self.assertIn("Cannot import a file to itself", self.fails("import-old", book, book, "--generation", "2"))

    def test_dbf_fields_and_import_with_auto_and_manual_matches(self):
        book = self.make_address_file("book.dbf", [{"LNAME": "Existing"}])
        source = self.write("src.dbf", dbf_bytes(
            0x03, [("LNAME", "C", 20, 0), ("FNAME", "C", 10, 0), ("ZIP", "C", 10, 0), ("TAGGED", "L", 1, 0),
                   ("AMOUNT", "N", 8, 2), ("WHEN", "D", 8, 0), ("PIC", "G", 10, 0)],
            [["Abel", "Ann", "12345", "T", "12.50", "19990101", ""],
             ["Gone", "X", "", "F", "", "", ""],
             ["Baker", "Bo", "54321", "F", "-3.00", "", ""]], deleted=(1,)))
        fields = json.loads(self.ok("dbf-fields", source, "--into", book))
        self.assertEqual([(f["name"], f["type"], f["width"], f["decimals"], f["matchable"], f["match"]) for f in fields],
                         [("LNAME", "C", 20, 0, True, "Last Name"), ("FNAME", "C", 10, 0, True, "First Name"),
                          ("ZIP", "C", 10, 0, True, "Zip/Postal Code"), ("TAGGED", "L", 1, 0, True, None),
                          ("AMOUNT", "N", 8, 2, True, None), ("WHEN", "D", 8, 0, True, None),
                          ("PIC", "G", 10, 0, False, None)])
        self.assertNotIn("match", json.loads(self.ok("dbf-fields", source))[0])
        out = self.ok("import-dbf", book, source, "--match", "AMOUNT=Codes,WHEN=Date,ZIP=")
        self.assertEqual(json.loads(out), {"imported": 2})
        records = self.records(book)
        self.assertEqual([(r["LNAME"], r["ZIP"], r["CODES"], r["DATE"]) for r in records],
                         [("Existing", "", "", ""), ("Abel", "", "12.50", "19990101"), ("Baker", "", "-3.00", "")])
        self.assertIn("PIC", self.fails("import-dbf", book, source, "--no-auto", "--match", "PIC=Codes"))
        self.assertIn("No field", self.fails("import-dbf", book, source, "--no-auto"))

    def test_import_old_first_generation(self):
        book = self.make_address_file("book.dbf")
        names = ["LNAME", "FNAME", "MIDDLE", "TITLE", "ORG", "STREET", "CITY", "STATE", "ZIP", "COUNTRY",
                 "PHONE", "EMAIL", "FAX", "NOTES", "PREFIX", "CARRIER", "DATE"]
        fields = [(n, "C", 12, 0) for n in names]
        row = lambda name, notes, date: [name] + [""] * 12 + [notes, "", "", date]
        source = self.write("old.dbf", dbf_bytes(0x03, fields, [row("A", "VIP", "12/08/1996"), row("B", "", "junk")]))
        self.assertIn("does not appear to be a Corvane 1.x DBF",
                      self.fails("import-old", book, source, "--generation", "1"))
        fields.append(("MEMO", "M", 10, 0))
        source = self.write("old.dbf", dbf_bytes(0x83, fields, [row("A", "VIP", "12/08/1996") + [""],
                                                                row("B", "", "junk") + [""]]))
        self.write("old.dbt", b"\x01" + b"\0" * 511)
        self.assertEqual(json.loads(self.ok("import-old", book, source, "--generation", "1")), {"imported": 2})
        self.assertEqual([(r["LNAME"], r["CODES"], r["DATE"]) for r in self.records(book)],
                         [("A", "VIP", "19961208"), ("B", "", "")])

    def test_export_text_and_dbase_in_order_under_a_query(self):
        book = self.make_address_file("book.dbf", [
            {"LNAME": "Cole", "CITY": "Bath", "MEMO": "abcd"}, {"LNAME": "Abel", "CITY": "Bath", "FNAME": 'Jo "J"'},
            {"LNAME": "Dunn", "CITY": "York"}, {"LNAME": "Baker", "CITY": "Bath", "TAG": "X"}])
        out = self.path("out.txt")
        done = json.loads(self.ok("export", book, "--out", out, "--text", "--order", "LNAME",
                                  "--query", 'CITY = "Bath"'))
        self.assertEqual(done, {"exported": 3, "file": out})
        with open(out, "rb") as f:
            lines = f.read().split(b"\r\n")
        self.assertEqual(lines[0], b'"","Jo "J"","","Abel","","","","","Bath","","","","","","","","","","",""')
        self.assertEqual([l.split(b",")[3] for l in lines[:3]], [b'"Abel"', b'"Baker"', b'"Cole"'])
        self.assertEqual(lines[3], b"")
        self.assertEqual(self.fails("export", book, "--out", out, "--text"), "corvane-cli: %s already exists." % out)

        target = self.path("OUT.DBF")
        done = json.loads(self.ok("export", book, "--out", target, "--order", "LNAME", "--query", 'CITY = "Bath"'))
        self.assertEqual(done["exported"], 3)
        records = self.records(target)
        self.assertEqual([(r["LNAME"], r["MEMO"], r["TAG"]) for r in records],
                         [("Abel", "", ""), ("Baker", "", ""), ("Cole", "abcd ", "")])
        self.assertEqual(self.info(target)["index"], "none")
        self.assertEqual(sorted(os.listdir(self.dir)), sorted(["home", "book.dbf", "book.fpt", "book.cdx",
                                                              "in.csv", "out.txt", "OUT.DBF", "OUT.FPT"]))

    def test_export_refuses_the_address_file_and_its_companions(self):
        book = self.make_address_file("book.dbf", [{"LNAME": "Cole"}])
        before = self.table_files(book)
        os.symlink(book, self.path("alias.dbf"))
        for target, text in ((self.path("alias.dbf"), False), (os.path.join(self.dir, ".", "book.dbf"), True),
                             (self.path("book.fpt"), True), (self.path("book.cdx"), True)):
            args = ["export", book, "--out", target, "--overwrite"] + (["--text"] if text else [])
            self.assertIn("Cannot copy a file to itself!", self.fails(*args))
        self.assertIn("Must have a .DBF extension", self.fails("export", book, "--out", self.path("x.txt")))
        self.assertUnchanged(before, book)
        empty = self.path("none.txt")
        self.assertIn("No active records for current filter. Nothing to copy",
                      self.fails("export", book, "--out", empty, "--text", "--query", 'LNAME = "Nobody"'))


if __name__ == "__main__":
    clitest.main()
