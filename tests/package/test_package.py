"""The packages a Windows user gets: the zip and the setup program hold both
programs exactly as built, and a guide that parses, embeds every image and
refers to nothing outside itself. (The setup program is run under Wine by
the end-to-end tests.)"""
import glob
import html.parser
import os
import re
import subprocess
import tempfile
import unittest
import zipfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.images, self.links, self.title, self.charset = [], [], "", None
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "img":
            self.images.append(a.get("src", ""))
        for name in ("href", "src"):
            if name in a and tag != "img":
                self.links.append(a[name])
        if tag == "meta" and "charset" in a:
            self.charset = a["charset"]
        self._in_title = tag == "title"

    def handle_endtag(self, tag):
        self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        subprocess.run(["bash", os.path.join(ROOT, "tools", "package.sh")], check=True,
                       stdout=subprocess.DEVNULL)
        version = re.search(r'project\(marvek2 VERSION ([0-9.]+)',
                            open(os.path.join(ROOT, "CMakeLists.txt")).read()).group(1)
        cls.zip_path = os.path.join(ROOT, "dist", "marvek2-%s-windows-x64.zip" % version)
        cls.setup_path = os.path.join(ROOT, "dist", "marvek2-%s-setup.exe" % version)

    def test_the_zip_holds_both_programs_as_built_and_the_guide(self):
        with zipfile.ZipFile(self.zip_path) as z:
            self.assertEqual(sorted(z.namelist()), ["guide-ja.html", "marvek2.exe", "mv2tool.exe"])
            for name in ("marvek2.exe", "mv2tool.exe"):
                with open(os.path.join(ROOT, "build", "win", name), "rb") as built:
                    self.assertEqual(z.read(name), built.read(), name)

    def test_the_setup_program_holds_both_programs_as_built_and_the_guide(self):
        with tempfile.TemporaryDirectory() as unpacked:
            subprocess.run(["7z", "x", "-y", "-o" + unpacked, self.setup_path], check=True,
                           stdout=subprocess.DEVNULL)
            names = sorted(os.path.relpath(os.path.join(d, f), unpacked)
                           for d, _, files in os.walk(unpacked) for f in files)
            for name in ("marvek2.exe", "mv2tool.exe", "guide-ja.html"):
                self.assertIn(name, names)
            for name in ("marvek2.exe", "mv2tool.exe"):
                with open(os.path.join(ROOT, "build", "win", name), "rb") as built, \
                        open(os.path.join(unpacked, name), "rb") as packed:
                    self.assertEqual(packed.read(), built.read(), name)
            with zipfile.ZipFile(self.zip_path) as z, \
                    open(os.path.join(unpacked, "guide-ja.html"), "rb") as packed:
                self.assertEqual(packed.read(), z.read("guide-ja.html"))

    def test_the_guide_is_one_self_contained_page(self):
        with zipfile.ZipFile(self.zip_path) as z:
            page_text = z.read("guide-ja.html").decode("utf-8")
        page = Page()
        page.feed(page_text)
        page.close()
        self.assertEqual(page.charset, "utf-8")
        self.assertIn("利用ガイド", page.title)
        shown = sorted(set(re.findall(r"!\[[^\]]*\]\(images/([^)]+)\)",
                                      open(os.path.join(ROOT, "docs", "guide-ja.md"),
                                           encoding="utf-8").read())))
        self.assertEqual(len(page.images), len(shown))
        for src in page.images:
            self.assertTrue(src.startswith("data:image/png;base64,"), src[:40])
        for link in page.links:
            self.assertTrue(link.startswith("#") or re.match(r"[a-z]+:", link), link)


if __name__ == "__main__":
    unittest.main()
