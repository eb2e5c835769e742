"""The help sources: a light markup turned into topics of paragraphs.

A source file holds topics, each opened by a line `# context: Title`. The
first topic is the contents topic. Inside a topic, paragraphs are separated by
blank lines; a paragraph's lines are joined with spaces. A line starting with
"- " is an item of a list, a paragraph of its own shown with a bullet. Jumps
to other topics are written [shown text](context). Lines starting with ";"
are remarks and are dropped.

Two lines say how a topic is found rather than what it shows: "K: word;
other words" lists the words the help index leads to the topic by, and
"Map: 11" the number a program opens the topic with.
"""

import re
from dataclasses import dataclass, field

JUMP = re.compile(r"\[([^\]]+)\]\(([A-Za-z0-9_.]+)\)")
CONTEXT = re.compile(r"^[A-Za-z0-9_.]+$")


@dataclass
class Paragraph:
    # Runs of text: ("text", str) or ("jump", str, context).
    runs: list
    bullet: bool = False


@dataclass
class Topic:
    context: str
    title: str
    paragraphs: list = field(default_factory=list)
    keywords: list = field(default_factory=list)
    map_number: int = None


class SourceError(Exception):
    pass


def parse_runs(text):
    runs, last = [], 0
    for match in JUMP.finditer(text):
        if match.start() > last:
            runs.append(("text", text[last : match.start()]))
        runs.append(("jump", match.group(1), match.group(2)))
        last = match.end()
    if last < len(text):
        runs.append(("text", text[last:]))
    return runs


def parse(text, name="help source"):
    topics, lines, bullet = [], [], False

    def end_paragraph():
        nonlocal lines, bullet
        if lines:
            if not topics:
                raise SourceError(f"{name}: text before the first topic")
            topics[-1].paragraphs.append(Paragraph(parse_runs(" ".join(lines)), bullet))
        lines, bullet = [], False

    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if line.startswith(";"):
            continue
        if line.startswith("# "):
            end_paragraph()
            context, sep, title = line[2:].partition(":")
            context, title = context.strip(), title.strip()
            if not sep or not CONTEXT.match(context) or not title:
                raise SourceError(f"{name}:{number}: a topic opens with '# context: Title'")
            if any(t.context.upper() == context.upper() for t in topics):
                raise SourceError(f"{name}:{number}: topic '{context}' appears twice")
            topics.append(Topic(context, title))
        elif line.startswith("K:") or line.startswith("Map:"):
            end_paragraph()
            if not topics:
                raise SourceError(f"{name}:{number}: an index line before the first topic")
            directive, _, value = line.partition(":")
            if directive == "K":
                words = [w.strip() for w in value.split(";")]
                if not all(words):
                    raise SourceError(f"{name}:{number}: an empty index word")
                topics[-1].keywords.extend(words)
            elif not value.strip().isdigit() or topics[-1].map_number is not None:
                raise SourceError(f"{name}:{number}: a topic has one 'Map: number'")
            else:
                topics[-1].map_number = int(value)
        elif not line:
            end_paragraph()
        elif line.startswith("- "):
            end_paragraph()
            lines, bullet = [line[2:].strip()], True
        else:
            lines.append(line)
    end_paragraph()
    if not topics:
        raise SourceError(f"{name}: no topics")
    numbers = [t.map_number for t in topics if t.map_number is not None]
    if len(numbers) != len(set(numbers)):
        raise SourceError(f"{name}: two topics share a map number")
    known = {t.context.upper() for t in topics}
    for topic in topics:
        for paragraph in topic.paragraphs:
            for run in paragraph.runs:
                if run[0] == "jump" and run[2].upper() not in known:
                    raise SourceError(
                        f"{name}: topic '{topic.context}' jumps to unknown '{run[2]}'"
                    )
    return topics
