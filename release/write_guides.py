#!/usr/bin/env python3
"""Writes the user's guides as HTML pages that open with a double-click:

    write_guides.py OUT SOURCE PAGE...

Each PAGE (a Markdown file, relative to SOURCE: README.md, docs/install.md,
...) becomes the same path with .html under OUT, without a README's part for
contributors (from the line <!-- contributors --> on). A link to another
page becomes a link to its HTML page; a link to anything that does not ship
stops the build. Headings get the anchors that the repository's own Markdown
view gives them, so that one link serves both. The converter is Debian's
Python-Markdown (python3-markdown), the one that the notices and the SBOM
name; the same pages give the same bytes.
"""
import html
import os
import re
import sys
import unicodedata

sys.dont_write_bytecode = True  # nothing of the build beside the sources

DEBIAN_MODULES = "/usr/lib/python3/dist-packages/"
CONTRIBUTORS = "<!-- contributors -->"
# What ships beside the pages, which a page may link to.
OTHER_FILES = ("LICENSE", "THIRD-PARTY-NOTICES.txt")
STYLE = """body { font-family: "Segoe UI", "Yu Gothic UI", "Meiryo", sans-serif; max-width: 56em; margin: 2em auto;
  padding: 0 1em; line-height: 1.6; color: #1b1b1b; }
code, pre { font-family: Consolas, "MS Gothic", monospace; background: #f3f3f3; }
pre { padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c8c8c8; padding: 0.3em 0.5em; vertical-align: top; text-align: left; }
"""


def anchor(heading, separator):
    """The anchor of a heading as the repository's Markdown view makes it:
    lower case, punctuation dropped (letters of any script kept), spaces as
    hyphens, whatever separator the converter offers."""
    text = heading.strip().lower()
    text = "".join(c for c in text if c in "-_ " or unicodedata.category(c)[0] in "LNM")
    return text.replace(" ", "-")


def language(page):
    return "ja" if page.endswith(".ja.md") or page.startswith("docs/ja/") else "en"


def checked_link(page, target, pages):
    """A page's relative link as the HTML page's: .md to .html; what does
    not ship stops the build."""
    path, _, fragment = target.partition("#")
    if not path or re.match(r"[a-z][a-z0-9+.-]*:", path):
        return target
    linked = os.path.normpath(os.path.join(os.path.dirname(page), path)).replace(os.sep, "/")
    if linked in pages:
        path = path[:-len(".md")] + ".html"
    elif linked not in OTHER_FILES:
        raise SystemExit("write_guides.py: %s links to %s, which does not ship" % (page, linked))
    return path + ("#" + fragment if fragment else "")


def convert(source, page, pages):
    import markdown  # here, not above: the guides test takes anchor() without it
    with open(os.path.join(source, page), encoding="utf-8") as file:
        text = file.read()
    text = text.split(CONTRIBUTORS, 1)[0]
    # A table cell writes a pipe \| even in code, which Python-Markdown would
    # show as typed; it tells a pipe in code from a cell's end by itself.
    text = re.sub(r"^\|.*$", lambda m: m.group(0).replace("\\|", "|"), text, flags=re.M)
    title = re.search(r"^# (.+)$", text, re.M).group(1)
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc"],
                             extension_configs={"toc": {"slugify": anchor}})
    body = re.sub(r'href="([^"]*)"', lambda m: 'href="%s"' % html.escape(
        checked_link(page, html.unescape(m.group(1)), pages)), body)
    return ('<!DOCTYPE html>\n<html lang="%s">\n<head>\n<meta charset="utf-8">\n'
            '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
            "<title>%s</title>\n<style>\n%s</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (language(page), html.escape(title, quote=False), STYLE, body))


def main():
    out, source, *pages = sys.argv[1:]
    import markdown
    if not markdown.__file__.startswith(DEBIAN_MODULES):
        raise SystemExit("write_guides.py: Python-Markdown comes from %s, not from Debian's python3-markdown "
                         "that the notices and the SBOM name" % markdown.__file__)
    for page in pages:
        target = os.path.join(out, page[:-len(".md")] + ".html")
        os.makedirs(os.path.dirname(target) or ".", exist_ok=True)
        text = convert(source, page, set(pages))
        with open(target, "w", encoding="utf-8", newline="\n") as file:
            file.write(text)


if __name__ == "__main__":
    main()
