"""The guide cannot fall behind the program: every message of the program
and the tool (the one table in core/messages.h) stands in the guide's
message table with its caption, and every menu text of the resources
appears in the guide."""
import os
import re
import unittest

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def messages():
    """(caption, text) of every entry of AllMessages."""
    source = read("core/messages.h")
    literals = dict(re.findall(r'constexpr char16_t (\w+)\[\] = u"([^"]*)";', source))
    table = source[source.index("AllMessages[]"):]
    return [(literals[c], literals[t]) for c, t in re.findall(r"\{(\w+), (\w+)\}", table)]


def guide_message_rows():
    guide = read("docs/guide-ja.md")
    section = guide[guide.index("## メッセージ一覧"):]
    section = section[:section.find("\n## ", 1)] if "\n## " in section[1:] else section
    rows = []
    for line in section.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if line.startswith("|") and len(cells) >= 4 and not set(cells[0]) <= set("-"):
            rows.append((cells[1], cells[0]))
    return rows


class Guide(unittest.TestCase):
    def test_every_message_is_in_the_message_table_with_its_caption(self):
        rows = guide_message_rows()
        found = messages()
        self.assertGreater(len(found), 10)
        for caption, text in found:
            self.assertIn((caption, text), rows, text)

    def test_every_menu_text_is_in_the_guide(self):
        guide = read("docs/guide-ja.md")
        texts = re.findall(r'(?:MENUITEM|POPUP) "([^"]+)"', read("res/marvek2.rc"))
        self.assertGreater(len(texts), 15)
        for text in texts:
            # The shortcut after the tab is the guide's table of keys.
            item, _, key = text.partition("\\t")
            self.assertIn(item, guide)
            if key:
                self.assertIn(key, guide)

    def test_every_image_the_guide_shows_is_in_the_repository(self):
        guide = read("docs/guide-ja.md")
        images = re.findall(r"!\[[^\]]*\]\(([^)]+)\)", guide)
        self.assertGreaterEqual(len(images), 6)
        for image in images:
            self.assertTrue(os.path.isfile(os.path.join(ROOT, "docs", image)), image)


if __name__ == "__main__":
    unittest.main()
