"""The help sources: a light markup turned into topics of paragraphs.

A source file holds topics, each opened by a line `# context: Title`. The
first topic is the contents topic. Inside a topic, paragraphs are separated by
blank lines; a paragraph's lines are joined with spaces. A line starting with
"- " is an item of a list, a paragraph of its own shown with a bullet. Jumps
to other topics are written [shown text](context). Lines starting with ";"
are remarks and are dropped.
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
    known = {t.context.upper() for t in topics}
    for topic in topics:
        for paragraph in topic.paragraphs:
            for run in paragraph.runs:
                if run[0] == "jump" and run[2].upper() not in known:
                    raise SourceError(
                        f"{name}: topic '{topic.context}' jumps to unknown '{run[2]}'"
                    )
    return topics
