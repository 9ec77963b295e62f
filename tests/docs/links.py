#!/usr/bin/env python3
"""Every relative link in README.md, CONTRIBUTING.md and docs/*.md leads to a
file or folder that exists, and a link's #anchor to a heading of the page it
names (as GitHub makes a heading's anchor). Links in code are not links.

Usage: links.py SOURCE_FOLDER"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
pages = [root / "README.md", root / "CONTRIBUTING.md", *sorted((root / "docs").glob("*.md"))]
link = re.compile(r"\]\(([^)\s]+)\)")


def prose(page):
    """The page's lines outside fenced code, by number."""
    fenced = False
    for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
        if line.lstrip().startswith("```"):
            fenced = not fenced
        elif not fenced:
            yield number, line


def anchors(page):
    seen = {}
    for _, line in prose(page):
        heading = re.match(r"#{1,6} +(.*)", line)
        if heading:
            slug = re.sub(r"[^\w\- ]", "", heading.group(1).strip().lower()).replace(" ", "-")
            seen[slug] = seen.get(slug, -1) + 1
            yield slug if seen[slug] == 0 else f"{slug}-{seen[slug]}"


faults = []
for page in pages:
    for number, line in prose(page):
        for target in link.findall(re.sub(r"`[^`]*`", "", line)):
            if re.match(r"[a-z]+:", target):
                continue
            path, _, anchor = target.partition("#")
            file = (page.parent / path).resolve() if path else page
            where = f"{page.relative_to(root)}:{number}: '{target}'"
            if not file.exists():
                faults.append(f"{where} leads to no file")
            elif anchor and file.suffix == ".md" and anchor not in anchors(file):
                faults.append(f"{where} leads to no heading of {file.relative_to(root.resolve())}")
print("\n".join(faults))
sys.exit(1 if faults else 0)
