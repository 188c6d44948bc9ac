#!/usr/bin/env python3
"""Converts the label product facts of Debian's glabels-data package (its template XML files) into
data/label-stocks.csv, the source of the shipped label stock catalogue sysdata/LBLTPL.DBF.

Only single-layout rectangular and round labels on US Letter, A4 and A5 sheets are taken; every
row is checked for fitting its sheet and rows that do not are dropped (and counted on stderr).
Where the glabels facts differ from the maker's published dimensions, MAKER_DIMENSIONS wins.

Usage: convert-glabels-templates.py [TEMPLATE_DIR] > data/label-stocks.csv
"""
import csv
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

UNITS = {"in": 1.0, "mm": 1 / 25.4, "cm": 1 / 2.54, "pt": 1 / 72.0, "pc": 1 / 6.0, "": 1 / 72.0}

# Paper code, sheet width and depth as the program fixes them for each code.
PAPERS = {"US-Letter": ("LTR", 8.5, 11.0), "A4": ("A4", 8.27, 11.69), "A5": ("A5", 5.82, 8.27)}

# Rounding to three decimals and the program's A4 figures (8.27 x 11.69 for 210 x 297 mm) may
# push an edge a few thousandths over the sheet; anything more is a real misfit.
TOLERANCE = 0.005

# Maker's published dimensions where they differ from glabels: Avery 5160 (and its equivalents)
# has a 3/16" left margin and a 1/8" gap between columns.
MAKER_DIMENSIONS = {
    ("Avery", "5160"): {"x0": 0.1875, "dx": 2.75, "y0": 0.5, "dy": 1.0},
}

# The catalogue's default stock, named as the program names it (two blanks).
DESCRIPTION_OVERRIDES = {("Avery", "5160"): "Avery 5160  Address"}

COLUMNS = ["DESCRIPT", "PRINTER", "LBLHEIGHT", "LBLWIDTH", "NBRACROSS", "NBRDOWN", "TOPMARG",
           "LEFTMARG", "HORIZPITCH", "VERTPITCH", "SHEETWIDTH", "SHEETDEPTH", "PAPERSIZE",
           "LBLSHAPE", "MANUFAC", "PRODTYPE", "MIDEXTRAX", "MIDEXTRAY", "ART"]

MAX_POSITIONS = 200


def inches(text):
    match = re.fullmatch(r"\s*([-+0-9.eE]+)\s*([a-z]*)\s*", text or "0")
    if not match or match.group(2) not in UNITS:
        raise ValueError(f"unknown length {text!r}")
    return float(match.group(1)) * UNITS[match.group(2)]


def printer_code(brand, part):
    """Printer technology from the maker's part numbering (laser unless the numbering says else)."""
    upper = part.upper()
    if brand in ("Avery", "Zweckform"):
        if upper.startswith("J") or re.fullmatch(r"8\d{3}", upper) or re.fullmatch(r"[14]8\d{3}", upper):
            return "IJ"
    if re.search(r"INKJET|INK-JET", upper):
        return "IJ"
    return "LJ"


def ascii_text(text):
    """The catalogue is plain ASCII: trade-mark signs and the like are left out."""
    return re.sub(r"\s+", " ", text.replace("\u00ae", "").encode("ascii", "ignore").decode()).strip()


# The template picker's product types; every stock is filed under the one a user would look in.
PRODUCT_TYPES = [
    ("INDEX PRODUCTS", r"\bINDEX\b|DIVIDER|\bTABS?\b"),
    ("CARD PRODUCTS", r"\bCARDS?\b|BADGE|POSTCARD"),
    ("DISKETTE LABELS", r"DISKETTE|FLOPPY"),
    ("FILE FOLDER LABELS", r"FILE FOLDER|FILING|ARCH FILE|BINDER"),
    ("ADDRESS/SHIPPING LABELS",
     r"ADDRESS|SHIPPING|MAILING|RECTANGULAR|ALLROUND|MINI LABELS|^LABELS A[4-6]$|IDENTIFICATION"),
]


def picker_product_type(text):
    upper = ascii_text(text).upper()
    for name, pattern in PRODUCT_TYPES:
        if re.search(pattern, upper):
            return name
    return "MISCELLANEOUS"


def product_type(description, categories):
    if "mail" in categories:
        return "ADDRESS/SHIPPING LABELS"
    return picker_product_type(description)


def short_description(description):
    text = re.sub(r"\s+", " ", description).strip()
    text = re.sub(r"\s*\b[Ll]abels?\b\s*$", "", text)
    return text or description.strip()


def geometry(template):
    """The stock geometry of a template element, or None (with a reason) when it has none we keep."""
    labels = [child for child in template if child.tag.startswith("Label-")]
    if len(labels) != 1:
        return None, "not one label shape"
    label = labels[0]
    if label.tag == "Label-rectangle":
        width, height = inches(label.get("width")), inches(label.get("height"))
        shape = "RR" if inches(label.get("round", "0")) > 0 else "SR"
    elif label.tag in ("Label-round",):
        width = height = 2 * inches(label.get("radius"))
        shape = "EL"
    elif label.tag == "Label-ellipse":
        width, height = inches(label.get("width")), inches(label.get("height"))
        shape = "EL"
    else:
        return None, "shape not supported"
    layouts = label.findall("Layout")
    if len(layouts) != 1:
        return None, "not one layout"
    layout = layouts[0]
    nx, ny = int(layout.get("nx")), int(layout.get("ny"))
    return {
        "width": width, "height": height, "shape": shape, "nx": nx, "ny": ny,
        "x0": inches(layout.get("x0")), "y0": inches(layout.get("y0")),
        "dx": inches(layout.get("dx", "0")) if nx > 1 else width,
        "dy": inches(layout.get("dy", "0")) if ny > 1 else height,
    }, None


def fits(row):
    def axis(margin, pitch, count, size, sheet):
        return margin >= 0 and pitch >= size - TOLERANCE and margin + pitch * (count - 1) + size <= sheet + TOLERANCE
    return (axis(row["LEFTMARG"], row["HORIZPITCH"], row["NBRACROSS"], row["LBLWIDTH"], row["SHEETWIDTH"])
            and axis(row["TOPMARG"], row["VERTPITCH"], row["NBRDOWN"], row["LBLHEIGHT"], row["SHEETDEPTH"]))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else next(
        (d for d in ("/usr/share/glabels-qt/templates", "/usr/share/libglabels-3.0/templates",
                     "/usr/share/glabels/templates") if os.path.isdir(d)), None)
    if not folder:
        sys.exit("no glabels template folder found (apt-get install glabels-data)")

    templates = {}
    order = []
    for path in sorted(glob.glob(os.path.join(folder, "*-templates.xml"))):
        for template in ET.parse(path).getroot().iter("Template"):
            key = (template.get("brand", "").strip(), template.get("part", "").strip())
            if key not in templates:
                templates[key] = template
                order.append(key)

    rows, seen = [], set()
    skipped = {"paper": 0, "shape/layout": 0, "positions": 0, "misfit": 0, "duplicate": 0}
    misfits = []
    for key in order:
        template = templates[key]
        base = template
        while base.get("equiv"):  # an equivalent part takes its twin's geometry
            base = templates.get((key[0], base.get("equiv")))
            if base is None:
                break
        if base is None:
            skipped["shape/layout"] += 1
            continue
        paper = PAPERS.get(base.get("size"))
        if not paper:
            skipped["paper"] += 1
            continue
        try:
            geo, _reason = geometry(base)
        except (ValueError, TypeError):  # a malformed length in the source
            geo = None
        if geo is None:
            skipped["shape/layout"] += 1
            continue
        geo.update(MAKER_DIMENSIONS.get((key[0], base.get("part")), {}))
        if geo["nx"] * geo["ny"] > MAX_POSITIONS or geo["nx"] > 99 or geo["ny"] > 99:
            skipped["positions"] += 1
            continue
        brand, part = key
        description = base.get("_description") or base.get("description") or ""
        categories = {meta.get("category") for meta in base.findall("Meta")}
        name = DESCRIPTION_OVERRIDES.get(key) or f"{brand} {part}  {short_description(description)}"
        name = ascii_text(name.replace("  ", "\0")).replace("\0", "  ")[:60].rstrip()
        if name.upper() in seen:
            skipped["duplicate"] += 1
            continue
        row = {
            "DESCRIPT": name, "PRINTER": printer_code(brand, part),
            "LBLHEIGHT": round(geo["height"], 3), "LBLWIDTH": round(geo["width"], 3),
            "NBRACROSS": geo["nx"], "NBRDOWN": geo["ny"],
            "TOPMARG": round(geo["y0"], 3), "LEFTMARG": round(geo["x0"], 3),
            "HORIZPITCH": round(geo["dx"], 3), "VERTPITCH": round(geo["dy"], 3),
            "SHEETWIDTH": paper[1], "SHEETDEPTH": paper[2], "PAPERSIZE": paper[0],
            "LBLSHAPE": geo["shape"], "MANUFAC": re.sub(r"[^A-Z0-9]", "", brand.upper())[:10],
            "PRODTYPE": product_type(description, categories), "MIDEXTRAX": 0.0, "MIDEXTRAY": 0.0,
            "ART": "",
        }
        if not fits(row):
            skipped["misfit"] += 1
            misfits.append(name)
            continue
        seen.add(name.upper())
        rows.append(row)

    rows.sort(key=lambda r: r["DESCRIPT"].upper())
    writer = csv.writer(sys.stdout, lineterminator="\n")
    writer.writerow(COLUMNS)
    for row in rows:
        writer.writerow([f"{row[c]:.3f}" if isinstance(row[c], float) else row[c] for c in COLUMNS])
    print(f"{len(rows)} stocks written; skipped: {skipped}", file=sys.stderr)
    for name in misfits:
        print(f"  dropped (does not fit its sheet): {name}", file=sys.stderr)


if __name__ == "__main__":
    main()
