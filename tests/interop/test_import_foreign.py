"""Tables other programs wrote, imported through corvane-cli: python3-dbf's Visual FoxPro,
FoxPro and Clipper tables (fields of types the engine does not decode are listed as not
matchable and left alone), and a dBase IV table with its DBT memo blocks, written byte by byte."""

import datetime
import json
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cli"))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

import dbf  # noqa: E402


def dbase4_table(path, rows):
    """A dBase IV table (0x8B) with LNAME C(20) and NOTES M, and its .DBT: a 512-byte header
    naming the block size, each memo behind FF FF 08 00 and its length (header included)."""
    blocks = bytearray(512)
    blocks[0:4] = struct.pack("<I", 1)
    blocks[20:22] = struct.pack("<H", 512)
    records = b""
    next_block = 1
    for name, memo in rows:
        number = b""
        if memo:
            data = memo.encode("cp1252")
            entry = b"\xff\xff\x08\x00" + struct.pack("<I", len(data) + 8) + data
            entry += b"\0" * (-len(entry) % 512)
            number = str(next_block).encode("ascii")
            next_block += len(entry) // 512
            blocks += entry
        records += b" " + name.encode("cp1252").ljust(20) + number.rjust(10)
    blocks[0:4] = struct.pack("<I", next_block)
    header = bytearray(struct.pack("<B3BIHH20x", 0x8B, 126, 1, 1, len(rows), 32 + 64 + 1, 31))
    header[29] = 0x03
    header += struct.pack("<11sc4xBB14x", b"LNAME", b"C", 20, 0)
    header += struct.pack("<11sc4xBB14x", b"NOTES", b"M", 10, 0)
    header += b"\r"
    with open(path, "wb") as f:
        f.write(bytes(header) + records + b"\x1a")
    with open(os.path.splitext(path)[0] + ".dbt", "wb") as f:
        f.write(bytes(blocks))


class ForeignImportTests(CliTestCase):
    def test_python_dbf_tables_with_undecodable_fields_import_what_can_be_matched(self):
        for kind, structure in (("vfp", "NAME C(20); CNT I; PRICE Y; WHEN T; NOTES M; RATE B"),
                                ("fp", "NAME C(20); CNT N(5,0); WHEN D; NOTES M; RATE F(10,2)"),
                                ("clp", "NAME C(20); CNT N(5,0); WHEN D; RATE N(10,2)")):
            with self.subTest(kind):
                book = self.make_address_file("book_%s.dbf" % kind, [{"LNAME": "Existing"}])
                table = dbf.Table(self.path("src_%s" % kind), structure, dbf_type=kind, codepage="cp1252")
                table.open(dbf.READ_WRITE)
                memo = "NOTES" in structure
                for name in ("Müller", "Gone", "Façade"):
                    values = {"name": name, "cnt": 7}
                    if memo:
                        values["notes"] = "note of " + name
                    table.append(values)
                dbf.delete(table[1])
                table.close()
                source = self.path("src_%s.dbf" % kind)
                fields = json.loads(self.ok("dbf-fields", source, "--into", book))
                # Visual FoxPro's own system fields (such as _NullFlags) are listed too; they are no data.
                matchable = {f["name"]: f["matchable"] for f in fields if not f["name"].startswith("_")}
                if kind == "vfp":
                    self.assertEqual(matchable, {"NAME": True, "CNT": False, "PRICE": False, "WHEN": False,
                                                 "NOTES": True, "RATE": False})
                else:
                    self.assertTrue(all(matchable.values()), matchable)
                self.assertEqual({f["name"]: f["match"] for f in fields}.get("NOTES"),
                                 "MEMO" if memo else None)
                out = self.ok("import-dbf", book, source, "--match", "NAME=Last Name")
                self.assertEqual(json.loads(out), {"imported": 2})
                records = self.records(book)
                self.assertEqual([r["LNAME"] for r in records], ["Existing", "Müller", "Façade"])
                if memo:
                    self.assertEqual([r["MEMO"] for r in records], ["", "note of Müller", "note of Façade"])

    def test_a_dbase_iv_table_with_memo_blocks_imports(self):
        book = self.make_address_file("book.dbf")
        source = self.path("four.dbf")
        dbase4_table(source, [("Abel", "first memo\r\nsecond line"), ("Baker", ""), ("Cole", "x" * 700)])
        self.assertEqual(json.loads(self.ok("dbf-fields", source, "--into", book)),
                         [{"name": "LNAME", "type": "C", "width": 20, "decimals": 0, "matchable": True,
                           "match": "Last Name"},
                          {"name": "NOTES", "type": "M", "width": 10, "decimals": 0, "matchable": True,
                           "match": "MEMO"}])
        self.assertEqual(json.loads(self.ok("import-dbf", book, source)), {"imported": 3})
        self.assertEqual([(r["LNAME"], r["MEMO"]) for r in self.records(book)],
                         [("Abel", "first memo\r\nsecond line"), ("Baker", ""), ("Cole", "x" * 700)])

    def test_an_unusable_index_beside_the_source_does_not_stop_the_import(self):
        book = self.make_address_file("book.dbf")
        source = self.path("four.dbf")
        dbase4_table(source, [("Abel", "")])
        with open(self.path("four.cdx"), "wb") as f:
            f.write(b"not an index at all" * 40)
        self.assertEqual(json.loads(self.ok("import-dbf", book, source)), {"imported": 1})


if __name__ == "__main__":
    clitest.main()
