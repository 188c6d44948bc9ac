"""End-to-end tests of corvane-cli imb."""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

BASE = ["--barcode-id", "01", "--service", "234", "--mailer-id", "567094", "--serial", "987654321"]


class IntelligentMailTests(CliTestCase):
    def test_published_examples_print_their_bars(self):
        for zip_code, bars in [
                (None, "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"),
                ("01234", "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"),
                ("01234-5678", "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"),
                ("01234567891", "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA")]:
            args = BASE + (["--zip", zip_code] if zip_code else [])
            self.assertEqual(self.ok("imb", *args), bars + "\n", zip_code)

    def test_svg_draws_the_bars_in_thousandths_of_an_inch(self):
        svg_path = os.path.join(self.home, "code.svg")
        bars = self.ok("imb", *BASE, "--zip", "01234", "--svg", svg_path).strip()
        with open(svg_path, encoding="utf-8") as f:
            svg = f.read()
        self.assertIn('viewBox="0 0 3179.1 201.0"', svg)
        black = re.findall(r'<rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)" '
                           r'fill="#000000"/>', svg)
        self.assertEqual(len(black), 65)
        self.assertAlmostEqual(float(black[0][0]), 125.0)
        self.assertAlmostEqual(float(black[1][0]) - float(black[0][0]), 45.5, delta=0.1)
        heights = {"F": 145.0, "A": 96.5, "D": 96.5, "T": 48.0}
        for (x, y, width, height), state in zip(black, bars):
            self.assertAlmostEqual(float(width), 20.0)
            self.assertAlmostEqual(float(height), heights[state], delta=0.1)

    def test_wrong_values_fail_with_one_line(self):
        for args, reason in [
                (["--barcode-id", "05", "--mailer-id", "123456", "--serial", "1"], "second digit"),
                (["--mailer-id", "12345", "--serial", "1"], "Mailer ID must be 6 or 9"),
                (["--mailer-id", "912345678", "--serial", "1234567"], "more than 6 digits"),
                (["--mailer-id", "123456", "--serial", "1", "--zip", "1234"], "routing code"),
                (["--serial", "1"], "needs --mailer-id")]:
            self.assertIn(reason, self.fails("imb", *args))


if __name__ == "__main__":
    clitest.main()
