#!/usr/bin/python3
"""Reads the user's guide as a browser would, for the guide's tests: Python's own HTML parser,
independent of the generator.

Reads one JSON object from standard input, {"folder": PATH}, and prints for every *.html page of
the folder: {"pages": {NAME: {"ids": [...], "links": [...], "tables": [[[cell, ...], ...], ...],
"title": TEXT}}}, where the tables are lists of rows with each cell's text unescaped and its
spaces collapsed, and the links every href of an <a>. Run with /usr/bin/python3."""

import json
import os
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.rows = [], [], []
        self.cell = None
        self.title = None
        self.in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.append(attrs["id"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "table":
            self.rows.append([])
        if tag == "tr" and self.rows:
            self.rows[-1].append([])
        if tag in ("td", "th"):
            self.cell = []
        if tag == "title":
            self.in_title, self.title = True, ""

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None and self.rows and self.rows[-1]:
            self.rows[-1][-1].append(" ".join("".join(self.cell).split()))
            self.cell = None
        if tag == "title":
            self.in_title = False

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)
        if self.in_title:
            self.title += data


folder = json.load(sys.stdin)["folder"]
pages = {}
for name in sorted(os.listdir(folder)):
    if not name.endswith(".html"):
        continue
    page = Page()
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        page.feed(f.read())
    page.close()
    pages[name] = {"ids": page.ids, "links": page.links, "tables": page.rows, "title": page.title}
json.dump({"pages": pages}, sys.stdout, ensure_ascii=False)
