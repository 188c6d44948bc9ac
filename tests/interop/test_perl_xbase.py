"""The CDX that corvane-cli writes, read by Perl's XBase::Index: every tag holds one key per
record, in the order our own scans show, and Perl's seeks land on the keys ours do."""

import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cli"))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

# The 10-line verifier from the format notes: tag names, or "key<TAB>recno" in tag order.
CDXKEYS_PL = r"""#!/usr/bin/perl
# usage: cdxkeys.pl FILE.cdx            -> list tag names
#        cdxkeys.pl FILE.cdx TAG [C|N|D] [SEEK] -> "key<TAB>recno" in tag order (from SEEK on)
use strict; use warnings; use XBase::Index;
my ($file, $tag, $type, $seek) = @ARGV;
my $ix = XBase::Index->new($file, type => $type || 'C', defined $tag ? (tag => $tag) : ())
  or die XBase::Index->errstr;
if (!defined $tag) { print "$_\n" for $ix->tags; exit 0 }
defined $seek ? $ix->prepare_select_eq($seek) : $ix->prepare_select;
while (my ($key, $recno) = $ix->fetch) { print "$key\t$recno\n" }
"""

RECORDS = 300
SEED = 20240229

PREFIXES = ["Mac", "Mc", "Van der ", "O'", "Schm", "Sch", "Str", "Ber", "Müll", "Ær", "Al", "Z"]
CITIES = [("Boston", "MA"), ("Springfield", "IL"), ("Springfield", "MA"), ("Springfield", "MO"),
          ("Köln", "NRW"), ("Zürich", "ZH"), ("Portland", "OR"), ("Portland", "ME"), ("", ""),
          ("Saint-Étienne", "Loire"), ("São Paulo", "SP"), ("New York", "NY")]
WIDTHS = {"LNAME": 30, "FNAME": 30, "CITY": 30, "STATE": 20, "ZIP": 10}


def word(rng, low, high):
    return "".join(rng.choice("abcdefghijklmnopqrstuvwxyzäöüé") for _ in range(rng.randint(low, high)))


def generate(rng, count):
    """Address records with shared name prefixes, some blank, some duplicated, a few ISDEL."""
    records = []
    for _ in range(count):
        roll = rng.random()
        if roll < 0.05:
            person = {"LNAME": "", "FNAME": ""}
        elif roll < 0.15 and records:
            person = {k: records[rng.randrange(len(records))][k] for k in ("LNAME", "FNAME")}
        else:
            person = {"LNAME": (rng.choice(PREFIXES) + word(rng, 0, 14)).capitalize(),
                      "FNAME": word(rng, 2, 12).capitalize()}
        city, state = rng.choice(CITIES)
        zip_code = rng.choice(["0", "02", "021", "9", "99"]) + str(rng.randint(0, 999))
        person.update(CITY=city, STATE=state, ZIP=zip_code,
                      ISDEL="T" if rng.random() < 0.05 else "F")
        records.append(person)
    return records


def upper(text):
    # UPPER() in cp1252 maps letter for letter (no 'ß' -> 'SS'); the test data avoids ß and ÿ.
    return text.upper()


def pad(record, field):
    return record[field].ljust(WIDTHS[field])


# Each tag's key for a record, as Perl prints it (trailing blanks dropped).
KEYS = {
    "LNAME": lambda r, deleted: upper(pad(r, "LNAME") + r["FNAME"]),
    "NAME": lambda r, deleted: upper(r["LNAME"].rstrip() + r["FNAME"]),
    "CITY": lambda r, deleted: upper(pad(r, "CITY") + r["STATE"]),
    "ZIP": lambda r, deleted: upper(r["ZIP"]),
    "STATEZIP": lambda r, deleted: upper(r["STATE"].rstrip() + r["ZIP"]),
    "DELETED": lambda r, deleted: "T" if deleted else "F",
    "ISDEL": lambda r, deleted: "T" if deleted or r["ISDEL"] == "T" else "F",
    "NOTISDEL": lambda r, deleted: "F" if deleted or r["ISDEL"] == "T" else "T",
}


LOGICAL_TAGS = {"DELETED", "ISDEL", "NOTISDEL"}


def tree_depths(cdx):
    """Levels of each tag's B-tree (1 = the root is a leaf), read from the raw pages."""
    with open(cdx, "rb") as f:
        data = f.read()

    def u16(pos):
        return int.from_bytes(data[pos:pos + 2], "little")

    def u32(pos):
        return int.from_bytes(data[pos:pos + 4], "little")

    def leaf_entries(page, key_length):
        count, rb, db, size = u16(page + 2), data[page + 20], data[page + 21], data[page + 23]
        rec_mask, dup_mask, trail_mask = u32(page + 14), data[page + 18], data[page + 19]
        entries, previous, tail = [], b"", page + 512
        for i in range(count):
            value = int.from_bytes(data[page + 24 + i * size:page + 24 + (i + 1) * size], "little")
            dup, trail = (value >> rb) & dup_mask, (value >> (rb + db)) & trail_mask
            new = key_length - dup - trail
            tail -= new
            previous = previous[:dup] + data[tail:tail + new] + b" " * trail
            entries.append((previous.decode("ascii").strip(), value & rec_mask))
        return entries

    directory = u32(0)
    if u16(directory) & 2 == 0:
        raise AssertionError("the tag directory is not a single leaf")
    depths = {}
    for name, header in leaf_entries(directory, u16(12)):
        key_length, page, depth = u16(header + 12), u32(header), 1
        while u16(page) & 2 == 0:  # interior: descend into the first child
            page = int.from_bytes(data[page + 12 + key_length + 4:page + 12 + key_length + 8], "big")
            depth += 1
        depths[name] = depth
    return depths


class PerlXBaseIndexTests(CliTestCase):
    TAGS = ["LNAME", "NAME", "CITY", "ZIP", "STATEZIP", "DELETED", "ISDEL", "NOTISDEL"]

    def setUp(self):
        super().setUp()
        self.verifier = self.path("cdxkeys.pl")
        with open(self.verifier, "w") as f:
            f.write(CDXKEYS_PL)
        self.rng = random.Random(SEED)
        self.people = generate(self.rng, RECORDS)
        # Two batches, so the second one goes into tags that already span pages.
        self.table = self.make_address_file("big.dbf", self.people[:RECORDS // 2])
        self.append(self.table, self.people[RECORDS // 2:], name="second.csv")
        self.deleted = set(self.rng.sample(range(1, RECORDS + 1), RECORDS // 10))
        query = " .OR. ".join("RECNO() = %d" % r for r in sorted(self.deleted))
        self.ok("delete", self.table, "--query", query)
        self.cdx = self.path("big.cdx")

    def perl(self, *args):
        done = subprocess.run(["perl", self.verifier, self.cdx, *args], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr.decode("utf-8", "replace"))
        return done.stdout.decode("cp1252").splitlines()

    def perl_keys(self, tag, seek=None):
        lines = self.perl(tag, "C", *([seek.encode("cp1252")] if seek is not None else []))
        return [(key, int(recno)) for key, recno in (line.rsplit("\t", 1) for line in lines)]

    def check_against_perl(self, people, deleted):
        """people[i] is record i+1; deleted holds the record numbers marked deleted."""
        depths = tree_depths(self.cdx)
        for tag in self.TAGS:
            self.assertGreaterEqual(depths[tag], 2, "tag %s fits one page: the test needs more data" % tag)
        self.assertGreaterEqual(depths["LNAME"], 3, "LNAME needs interior levels below its root")
        self.assertEqual(sorted(self.perl()), sorted(t["name"] for t in self.info(self.table)["tags"]))
        for tag in self.TAGS:
            with self.subTest(tag=tag):
                keys = self.perl_keys(tag)
                # One key per record, each the record's key, sorted by key bytes then record number.
                self.assertEqual(sorted(recno for _, recno in keys), list(range(1, len(people) + 1)))
                expected = [KEYS[tag](people[recno - 1], recno in deleted).rstrip() for _, recno in keys]
                self.assertEqual([key for key, _ in keys], expected)
                self.assertEqual(keys, sorted(keys, key=lambda k: (k[0].encode("cp1252"), k[1])))
                # Our scan: the same order without the deleted records.
                listed = self.rows(self.table, "--order", tag, "--recno", "--fields", "ZIP")
                ours = [int(row[0]) for row in listed[1:]]
                self.assertEqual(ours, [recno for _, recno in keys if recno not in deleted])
                self.check_seeks(tag, keys, deleted)

    def check_seeks(self, tag, keys, deleted):
        if tag in LOGICAL_TAGS:
            texts = {"T", "F"}
        else:
            texts = {"0", "ZZZZ", "\u00ff", "SPRINGFIELD"}
            for key, _ in self.rng.sample(keys, 8):
                if key:
                    texts.add(key[:self.rng.randint(1, len(key))])
                    texts.add(key[:-1] + chr(ord(key[-1]) + 1))  # between two keys
        for text in sorted(texts):
            try:
                text.encode("cp1252")
            except UnicodeEncodeError:
                continue
            with self.subTest(tag=tag, seek=text):
                landed = [recno for _, recno in self.perl_keys(tag, text) if recno not in deleted]
                done = self.cli("seek", self.table, "--order", tag, "--soft", text)
                if landed:
                    self.assertEqual((done.returncode, done.out), (0, "%d\n" % landed[0]), done.err)
                else:
                    self.assertEqual(done.returncode, 1, done.out)

    def test_after_appends_and_deletes(self):
        self.check_against_perl(self.people, self.deleted)

    def test_after_reindex(self):
        self.ok("reindex", self.table)
        kept = [p for recno, p in enumerate(self.people, 1) if recno not in self.deleted]
        self.assertEqual(self.info(self.table)["records"], len(kept))
        self.check_against_perl(kept, set())


if __name__ == "__main__":
    clitest.main()
