#!/usr/bin/env python3
"""docs/findings.md is the page the finding table gives now: what the page's
generator writes, byte for byte.

Usage: findings_page.py GENERATOR PAGE BUILD_FOLDER"""
import difflib
import subprocess
import sys

generator, page, build = sys.argv[1:]
made = subprocess.run([generator], check=True, stdout=subprocess.PIPE).stdout.decode("utf-8")
with open(page, encoding="utf-8", newline="") as committed_file:
    committed = committed_file.read()
if made != committed:
    diff = difflib.unified_diff(committed.splitlines(True), made.splitlines(True), page, "the finding table")
    sys.stdout.writelines(list(diff)[:60])
    print(f"\n{page} is not what the finding table gives; make it again with:\n"
          f"  cmake --build {build} --target findings-page")
    sys.exit(1)
