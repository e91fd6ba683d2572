#!/usr/bin/env python3
"""Turns the Markdown guide into one self-contained HTML file: UTF-8, a
Japanese title, every image embedded as a data URI, nothing it refers to
outside itself. Uses Debian's python3-markdown.

  /usr/bin/python3 tools/guide_html.py docs/guide-ja.md OUT.html
"""
import base64
import os
import re
import sys

import markdown

STYLE = """
body { font-family: "Yu Gothic UI", "Meiryo", "MS PGothic", sans-serif; max-width: 56em;
       margin: 2em auto; padding: 0 1em; line-height: 1.6; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #999; padding: 0.3em 0.6em; vertical-align: top; }
code { background: #f3f3f3; padding: 0 0.2em; }
img { max-width: 100%; border: 1px solid #ccc; }
"""


def embed_images(html, folder):
    def data_uri(match):
        path = os.path.join(folder, match.group(1))
        with open(path, "rb") as f:
            encoded = base64.b64encode(f.read()).decode("ascii")
        return 'src="data:image/png;base64,%s"' % encoded
    return re.sub(r'src="([^":]+\.png)"', data_uri, html)


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    title = text.splitlines()[0].lstrip("# ").strip()
    body = markdown.markdown(text, extensions=["tables"], output_format="html")
    body = embed_images(body, os.path.dirname(source))
    page = ('<!DOCTYPE html>\n<html lang="ja">\n<head>\n<meta charset="utf-8">\n'
            '<title>%s</title>\n<style>%s</style>\n</head>\n<body>\n%s\n</body>\n</html>\n'
            % (title, STYLE, body))
    with open(target, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
