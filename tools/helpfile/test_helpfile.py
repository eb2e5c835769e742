"""The help writer checked through the reader: python3 -m unittest
helpfile.test_helpfile, run from tools/ (ctest runs it as help_file)."""

import os
import re
import unittest

from .reader import read_help
from .source import SourceError, parse
from .writer import HelpError, context_hash, write_help

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
SOURCE = os.path.join(ROOT, "help", "trelmrk.txt")
# The program opens topics by these numbers (F1).
TOPIC_NUMBERS = os.path.join(ROOT, "wizard", "pages.h")


def written(text):
    topics = parse(text)
    return topics, read_help(write_help(topics, "Title", 0))


def jumps_of(topic):
    return [(r[1], r[2]) for p in topic.paragraphs for r in p.runs if r[0] == "jump"]


class ShippedHelp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(SOURCE, encoding="utf-8") as handle:
            cls.source, cls.help = written(handle.read())

    def test_every_topic_reads_back_under_its_title_with_its_jumps(self):
        self.assertEqual("Title", self.help.title)
        self.assertEqual([t.title for t in self.source], [t.title for t in self.help.topics])
        self.assertEqual(self.help.topics[0].offset, self.help.contents)
        self.assertEqual({t.offset: t.title for t in self.help.topics}, self.help.titles)
        offsets = {t.context.upper(): r.offset for t, r in zip(self.source, self.help.topics)}
        for written_topic, read_topic in zip(self.source, self.help.topics):
            with self.subTest(topic=written_topic.context):
                self.assertEqual(written_topic.title, read_topic.paragraphs[0])
                expected = jumps_of(written_topic)
                self.assertEqual([text for text, _ in expected], [t for t, _ in read_topic.jumps])
                for (_, context), (_, hash_value) in zip(expected, read_topic.jumps):
                    self.assertEqual(offsets[context.upper()], self.help.contexts[hash_value])
        # Large enough to cross topic blocks, so topics start in later blocks.
        self.assertGreater(max(t.offset for t in self.help.topics), 0x8000)

    def test_covers_what_the_users_ask_about(self):
        contexts = {t.context for t in self.source}
        for needed in ("page1", "page2", "page3", "page4", "settings", "snapshot", "restore",
                       "keepfile", "bootrestore", "limits", "uninstall"):
            self.assertIn(needed, contexts)
        limits = " ".join(next(t for t in self.help.topics if t.title == "Limits").paragraphs)
        self.assertIn("60,000", limits)
        self.assertIn("4,000", limits)
        left = " ".join(self.topic("leftovers").paragraphs)
        self.assertIn("HKEY_CURRENT_USER\\Software\\Quernhollow\\Trellmark", left)
        self.assertIn("regedit", left)

    def topic(self, context):
        index = [t.context for t in self.source].index(context)
        return self.help.topics[index]

    def test_index_leads_to_topics_by_the_words_users_look_up(self):
        offsets = {t.offset for t in self.help.topics}
        for word in ("snapshot", "restore", "Recycle Bin", "drives", "settings", "registry",
                     "AUTOEXEC.BAT", "uninstall", "cache files"):
            with self.subTest(word=word):
                self.assertIn(word, self.help.keywords)
                # One topic each: Wine's engine opens no list of several.
                self.assertEqual(1, len(self.help.keywords[word]))
                self.assertIn(self.help.keywords[word][0], offsets)
        self.assertEqual(self.topic("bootrestore").offset, self.help.keywords["registry"][0])

    def test_every_topic_the_program_opens_is_mapped(self):
        with open(TOPIC_NUMBERS, encoding="utf-8") as handle:
            enum = re.search(r"enum class HelpTopic[^{]*\{([^}]*)\}", handle.read()).group(1)
        numbers = dict(re.findall(r"(\w+) = (\d+)", enum))
        self.assertEqual({"Page1", "Page2", "Page3", "Page4", "Settings"}, set(numbers))
        for name, number in numbers.items():
            with self.subTest(topic=name):
                self.assertEqual(self.topic(name.lower()).offset, self.help.numbers[int(number)])


class WriterEdges(unittest.TestCase):
    def test_paragraph_shapes_read_back(self):
        long_text = "word " * 4000  # a record of 20,000 bytes, across five blocks
        cases = [
            ("jump first and last", "[A](b) middle [C](b)", ["A", "C"]),
            ("jump alone", "[Only](b)", ["Only"]),
            ("long paragraph", long_text + "[end](b)", ["end"]),
        ]
        for name, paragraph, jumps in cases:
            with self.subTest(name):
                _, help = written(f"# a: First\n{paragraph}\n\n# b: Second\nText.\n")
                self.assertEqual(jumps, [t for t, _ in help.topics[0].jumps])
                self.assertEqual(["Second", "Text."], help.topics[1].paragraphs)
                target = help.contexts[context_hash("b")]
                self.assertEqual(help.topics[1].offset, target)

    def test_faulty_sources_are_refused(self):
        cases = [
            ("jump to nowhere", "# a: A\nSee [x](missing).\n", "unknown 'missing'"),
            ("topic twice", "# a: A\nx\n# A: Again\ny\n", "appears twice"),
            ("text first", "stray\n# a: A\n", "before the first topic"),
            ("no title", "# a:\nx\n", "'# context: Title'"),
            ("empty", "; only a remark\n", "no topics"),
            ("two numbers", "# a: A\nMap: 1\nMap: 2\n", "one 'Map: number'"),
            ("number shared", "# a: A\nMap: 1\n# b: B\nMap: 1\n", "share a map number"),
            ("empty word", "# a: A\nK: one;;two\n", "empty index word"),
        ]
        for name, text, message in cases:
            with self.subTest(name):
                with self.assertRaises(SourceError) as raised:
                    parse(text)
                self.assertIn(message, str(raised.exception))
        with self.assertRaises(HelpError):
            write_help(parse("# a: A\nA snowman \u2603.\n"), "Title")


if __name__ == "__main__":
    unittest.main()
