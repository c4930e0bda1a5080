#!/usr/bin/env python3
"""Copies each example file into the documents that show it: the fenced
block after a line `<!-- example: PATH -->` in README.md and docs/**/*.md
is replaced with the file PATH as it is now.

    sync_doc_examples.py     rewrite the documents whose copies are stale
"""

import glob
import os
import re

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
MARKER = re.compile(r'^<!--\s*example:\s*(.*?)\s*-->$')
FENCE = re.compile(r'^(```+|~~~+)')


def synced(text):
    """The document with every marked block replaced by its file."""
    lines = text.split('\n')
    out = []
    path = None
    i = 0
    while i < len(lines):
        line = lines[i]
        out.append(line)
        marker = MARKER.match(line.strip())
        if marker:
            path = marker.group(1)
        elif path is not None and FENCE.match(line):
            ticks = FENCE.match(line).group(1)
            i += 1
            while i < len(lines) and not lines[i].startswith(ticks):
                i += 1
            with open(os.path.join(ROOT, path)) as f:
                out.extend(f.read().rstrip('\n').split('\n'))
            out.append(ticks)
            path = None
        elif line.strip():
            path = None
        i += 1
    return '\n'.join(out)


def main():
    documents = [os.path.join(ROOT, 'README.md')]
    documents += sorted(glob.glob(os.path.join(ROOT, 'docs', '**', '*.md'), recursive=True))
    for document in documents:
        with open(document) as f:
            text = f.read()
        new = synced(text)
        if new != text:
            with open(document, 'w') as f:
                f.write(new)
            print('updated', os.path.relpath(document, ROOT))


if __name__ == '__main__':
    main()
