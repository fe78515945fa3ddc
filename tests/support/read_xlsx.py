#!/usr/bin/python3
"""Reads a workbook back with openpyxl, independently of the program's writer, and prints one
JSON object: {"sheets": [{"name", "cells": {"A1": {"value", "type", "bold", "align", "wrap"}},
"merged": ["A1:C1", ...], "widths": {"A": 31.0, ...}, "heights": {"13": 30.0, ...} (rows of a height
of their own, in points),
"printArea": "A1:C20" or null, "fitToWidth": pages across when printing, or null}]}. type is "n" (number), "s" (text),
"f" (formula, value is its text) or "b" (boolean). Run with /usr/bin/python3, which sees
Debian's python3-openpyxl."""
import json
import sys

import openpyxl
import openpyxl.reader.excel
from openpyxl.cell.text import Text
from openpyxl.utils.escape import unescape
from openpyxl.xml.constants import SHEET_MAIN_NS
from openpyxl.xml.functions import iterparse


def read_string_table(xml_source):
    """The shared strings as a spreadsheet reads them: every _xHHHH_ escape of the format decoded
    in one pass, so that an escaped underscore (_x005F_) keeps a typed "_x0041_" as typed. The
    reader's own table drops "x005F_" and leaves the other escapes undecoded."""
    strings = []
    tag = "{%s}si" % SHEET_MAIN_NS
    for _, node in iterparse(xml_source):
        if node.tag == tag:
            strings.append(unescape(Text.from_tree(node).content))
            node.clear()
    return strings


openpyxl.reader.excel.read_string_table = read_string_table


def cell_record(cell):
    value = cell.value
    if cell.data_type == "f":
        kind = "f"
    elif isinstance(value, bool):
        kind = "b"
    elif isinstance(value, (int, float)):
        kind = "n"
    else:
        kind = "s"
    return {
        "value": value if kind != "f" else str(value),
        "type": kind,
        "bold": bool(cell.font and cell.font.b),
        "align": (cell.alignment.horizontal if cell.alignment else None),
        "wrap": bool(cell.alignment and cell.alignment.wrap_text),
    }


def print_area(ws):
    area = ws.print_area
    if not area:
        return None
    if isinstance(area, (list, tuple)):
        area = ",".join(area)
    return area.split("!")[-1].replace("$", "")


def main(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for ws in book.worksheets:
        cells = {}
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is not None:
                    cells[cell.coordinate] = cell_record(cell)
        widths = {}
        for letter, dim in ws.column_dimensions.items():
            if dim.width is not None and dim.customWidth:
                widths[letter] = dim.width
        heights = {}
        for row, dim in ws.row_dimensions.items():
            if dim.height is not None and dim.customHeight:
                heights[str(row)] = dim.height
        sheets.append({
            "name": ws.title,
            "cells": cells,
            "merged": sorted(str(r) for r in ws.merged_cells.ranges),
            "widths": widths,
            "heights": heights,
            "printArea": print_area(ws),
            # An absent fitToWidth means one page across.
            "fitToWidth": (int(ws.page_setup.fitToWidth or 1)
                           if ws.sheet_properties.pageSetUpPr is not None
                           and ws.sheet_properties.pageSetUpPr.fitToPage else None),
        })
    json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False, indent=1, default=str)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main(sys.argv[1])
