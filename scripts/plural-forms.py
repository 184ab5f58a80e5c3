#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Fills the English plural forms of ui/translations/ktv4clone_en.ts that are still empty: "(s)"
# comes off for one and becomes "s" for more ("%n row(s)" -> "%n row", "%n rows"). A text with no
# "(s)" keeps its words for both. Run it after `cmake --build BUILD --target update_translations`;
# forms written by hand are left as they are.
import re
import sys
from pathlib import Path

path = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "ui/translations/ktv4clone_en.ts")
text = path.read_text(encoding="utf-8")


def fill(match):
    source = match.group(1)
    plain = source.replace("&quot;", '"')
    one = plain.replace("(s)", "")
    more = plain.replace("(s)", "s")
    esc = lambda s: s.replace('"', "&quot;")
    return (f"<source>{source}</source>\n        <translation>\n"
            f"            <numerusform>{esc(one)}</numerusform>\n"
            f"            <numerusform>{esc(more)}</numerusform>\n        </translation>")


pattern = re.compile(r'<source>(.*?)</source>\n\s*<translation type="unfinished">\n'
                     r'\s*<numerusform></numerusform>\n\s*<numerusform></numerusform>\n\s*</translation>', re.S)
path.write_text(pattern.sub(fill, text), encoding="utf-8")
