"""End-to-end tests of corvane-cli presort."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402


def people(zip_code, count, lname="Smith", state="NY"):
    return [{"LNAME": lname, "ZIP": zip_code, "STATE": state}] * count


MAILING = (people("12345", 10) + people("12346", 9) + people("26101", 6, "Jones", "WV")
           + people("26105", 5, "Jones", "WV") + people("21301-1234", 1, "Brown", "MD")
           + people("ABCDE", 2, "Brown") + people("", 1, "Brown"))


class PresortTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.table = self.make_address_file("mail.dbf", MAILING)
        self.list_path = os.path.join(self.home, "PRESORT.PSL")

    def list_bytes(self):
        with open(self.list_path, "rb") as f:
            return f.read()

    def test_groups_are_printed_and_written_with_crlf(self):
        out = self.ok("presort", self.table)
        self.assertEqual(out, "** 5-digit 12345\n12345\n** 3-digit 261\n26101\n26105\n"
                              "** ADC ALBANY NY 120\n12346\n** Unknown\n21301\n")
        self.assertEqual(self.list_bytes(), out.replace("\n", "\r\n").encode("ascii"))

    def test_query_limits_the_records(self):
        out = self.ok("presort", self.table, "--query", 'STATE = "WV"')
        self.assertEqual(out, "** 3-digit 261\n26101\n26105\n")

    def test_filter_file_limits_the_records(self):
        flt = self.path("jones.FLT")
        with open(flt, "wb") as f:
            f.write(b"".join((b"jo" if i == 0 else b"F" if i >= 18 else b"") + b"\r\n" for i in range(20)))
        self.assertEqual(self.ok("presort", self.table, "--flt", flt), "** 3-digit 261\n26101\n26105\n")

    def test_empty_scope_writes_an_empty_list(self):
        self.assertEqual(self.ok("presort", self.table, "--query", ".F."), "")
        self.assertEqual(self.list_bytes(), b"")

    def test_errors(self):
        self.fails("presort", self.path("missing.dbf"))
        self.fails("presort", self.table, "--query", "NOSUCHFIELD = 1")
        self.fails("presort", self.table, "--query", ".T.", "--flt", self.path("x.FLT"))
        # A folder in the list's place: the write fails and says so.
        os.mkdir(self.list_path)
        self.assertIn("PRESORT.PSL", self.fails("presort", self.table))


if __name__ == "__main__":
    clitest.main()
