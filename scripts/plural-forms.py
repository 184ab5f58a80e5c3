#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Fills the English plural forms of ui/translations/ktv4clone_en.ts that are still empty: "(s)"
# comes off for one and becomes "s" for more ("%n row(s)" -> "%n row", "%n rows"), and "y(ies)" is
# "y" or "ies". A text with neither keeps its words for both. Run it after
# `cmake --build BUILD --target update_translations`; forms written by hand are left as they are.
import re
import sys
from pathlib import Path

path = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "ui/translations/ktv4clone_en.ts")
text = path.read_text(encoding="utf-8")


def fill(match):
    source = match.group(1)
    plain = source.replace("&quot;", '"')
    one = plain.replace("y(ies)", "y").replace("(s)", "")
    more = plain.replace("y(ies)", "ies").replace("(s)", "s")
    esc = lambda s: s.replace('"', "&quot;")
    return (f"<source>{source}</source>\n        <translation>\n"
            f"            <numerusform>{esc(one)}</numerusform>\n"
            f"            <numerusform>{esc(more)}</numerusform>\n        </translation>")


pattern = re.compile(r'<source>([^<]*)</source>\n\s*<translation type="unfinished">\n'
                     r'\s*<numerusform></numerusform>\n\s*<numerusform></numerusform>\n\s*</translation>', re.S)
text = pattern.sub(fill, text)
# Forms lupdate copied from the same text elsewhere are kept as they are, and used.
text = re.sub(r'<translation type="unfinished">(\n(?:\s*<numerusform>[^<]+</numerusform>\n)+\s*</translation>)',
              r"<translation>\1", text)
path.write_text(text, encoding="utf-8")
