#!/usr/bin/env python3
"""Writes docs/request-codes.md, the reference of the host request codes:
each code and name of bridge/PIServerFunctions.h with its comment there, and
the library operations that send it, found by reading the library's sources
(bridge/, services/, api/, gui/).

    gen_request_reference.py            rewrite docs/request-codes.md
    gen_request_reference.py --check    exit 1 when the file is out of date

An operation sends a code when its body names the code (or a constant
defined as the code), or calls a function of the library that sends it. The
selector is shown when the code groups several operations and the operation
appends a literal selector as the first integer of its block (or fills its
integers with one by hand).
"""

import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_request_names  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
HEADER = 'bridge/PIServerFunctions.h'
SOURCE_DIRS = ('bridge', 'services', 'api', 'gui')
OUTPUT = 'docs/request-codes.md'

# The dispatch point sends the context lookup before every request; calling
# it is not itself a reason to list an operation under code 16.
NOT_FOLLOWED = {'handle'}

CODE_NAME = re.compile(r'\bPI_SERVERFUNC_\w+\b')
ALIAS = re.compile(r'\bconstexpr\s+PIServerFunctions_t\s+(\w+)\s*=\s*(PI_SERVERFUNC_\w+)\s*;')
CALL = re.compile(r'(\.|->)?\s*\b((?:\w+::)*~?\w+)\s*(?:<[^<>;(){}]*>)?\s*\(')
# A literal first integer: appended by the builder (`.ints(2, 1)`), or
# written by hand into a block's integers (`intVector.assign(1, 0)`).
FIRST_INT = re.compile(r'\.ints\(\s*(-?\d+)\s*[,)]|\bintVector\.assign\(\s*\d+\s*,\s*(-?\d+)\s*\)')
KEYWORDS = {'if', 'for', 'while', 'switch', 'return', 'sizeof', 'static_cast', 'reinterpret_cast',
            'const_cast', 'dynamic_cast', 'decltype', 'catch', 'new', 'delete'}


# ---------------------------------------------------------------------------
# The header: codes, names and their comments


def header_entries(text):
    """(code, name, comment) in declaration order; a comment belongs to the
    first enumerator after it."""
    entries = []
    comment = []
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith('//'):
            comment.append(stripped[2:].strip())
            continue
        match = re.match(r'(PI_SERVERFUNC_\w+)\s*=\s*(\d+)\s*,', stripped)
        if match:
            entries.append((int(match.group(2)), match.group(1), ' '.join(comment)))
        comment = []
    # Only the enumerators; the file's own leading comment is not attached.
    known = dict((name, code) for name, code in gen_request_names.codes(text))
    return [entry for entry in entries if known.get(entry[1]) == entry[0]]


def grouped(comment):
    """Whether a comment describes a code that groups operations by selector
    ("... (selector 0), ..." or "(selectors 0 to 3)")."""
    return re.search(r'\(selectors? \d', comment) is not None


# ---------------------------------------------------------------------------
# The sources: function definitions and what their bodies name


def strip_comments_and_strings(text):
    """The source with comments removed and string and character literals
    emptied, so that braces and names inside them are not read."""
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            end = text.find('\n', i)
            i = n if end < 0 else end
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            i = n if end < 0 else end + 2
            out.append(' ')
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


class Function:
    def __init__(self, namespaces, record, name, internal, parameters, body):
        self.namespaces = namespaces  # enclosing named namespaces, outermost first
        self.record = record          # the enclosing class when defined inside one
        self.name = name              # as declared, possibly qualified (Class::method)
        self.internal = internal      # in an anonymous namespace or static
        self.parameters = parameters  # as declared
        self.body = body

    def accepts(self, count):
        required = len([p for p in self.parameters if '=' not in p])
        return required <= count <= len(self.parameters)

    def selector_parameter(self):
        """Whether the first parameter is the selector of the block the
        function sends."""
        if not self.parameters:
            return False
        first = re.search(r'(\w+)\s*$', self.parameters[0].split('=')[0])
        return first is not None and re.search(r'\.ints\(\s*%s\b' % first.group(1), self.body) is not None

    @property
    def qualified(self):
        return '::'.join(self.namespaces + ([self.record] if self.record else []) + [self.name])

    @property
    def simple(self):
        return self.name.split('::')[-1]

    @property
    def owner(self):
        """The class of a member function, or None for a free function."""
        if self.record:
            return self.record
        parts = self.name.split('::')
        return parts[-2] if len(parts) > 1 else None


def matching_brace(text, start):
    """Index just past the brace that closes the one at `start`."""
    depth = 0
    for i in range(start, len(text)):
        if text[i] == '{':
            depth += 1
        elif text[i] == '}':
            depth -= 1
            if depth == 0:
                return i + 1
    return len(text)


def function_name(header):
    """The declared name of a function definition's header, or None when the
    header does not define a function."""
    header = header.strip()
    if not header or header.startswith(('namespace', 'extern', 'class', 'struct', 'enum', 'union')):
        return None
    if '=' in header.split('(')[0]:
        return None
    depth = 0
    for i, c in enumerate(header):
        if c == '(':
            if depth == 0:
                match = re.search(r'((?:\w+::)*(?:~?\w+|operator\s*\(\s*\)))\s*$', header[:i])
                if match is None:
                    return None
                name = re.sub(r'\s+', '', match.group(1))
                if name.split('::')[-1] in KEYWORDS:
                    return None
                rest = header[i:]
                return name if rest.rstrip().endswith(')') or ':' in rest or re.search(
                    r'\)\s*(const|override|noexcept|final|\s)*$', rest) else None
            depth += 1
        elif c == ')':
            depth -= 1
    return None


def definitions(text):
    """The functions defined in a source file (comments and strings removed)."""
    found = []

    def walk(text, namespaces, record, internal):
        i = 0
        last = 0
        while True:
            brace = text.find('{', i)
            if brace < 0:
                return
            # The header is what stands between the previous statement or block and this brace.
            header = text[last:brace]
            for separator in (';', '}'):
                header = header.rsplit(separator, 1)[-1]
            header = re.sub(r'^\s*(template\s*<[^>]*>)', '', header)
            header = header.replace('#', '\n#')
            header = '\n'.join(line for line in header.splitlines() if not line.strip().startswith('#'))
            end = matching_brace(text, brace)
            body = text[brace + 1:end - 1]
            namespace = re.match(r'\s*namespace\s*(\w*)\s*$', header)
            nested = re.match(r'\s*(?:class|struct)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?(?::[^{]*)?$', header)
            if namespace:
                name = namespace.group(1)
                walk(body, namespaces + [name] if name else namespaces, None, internal or not name)
            elif re.match(r'\s*extern\s*""\s*$', header):
                walk(body, namespaces, record, internal)
            elif nested:
                walk(body, namespaces, nested.group(1), internal)
            else:
                name = function_name(header)
                if name is not None:
                    static = record is None and re.search(r'\bstatic\b', header) is not None
                    parameters = split_arguments(parenthesised(header, header.index('(')))
                    if parameters == ['void']:
                        parameters = []
                    found.append(Function(list(namespaces), record, name, internal or static, parameters, body))
            i = last = end

    walk(text, [], None, False)
    return found


def aliases(text):
    """Constants defined as a request code: {alias: code name}."""
    return dict(ALIAS.findall(text))


BASE = re.compile(r'\bclass\s+(?:PI_EXPORT\s+)?(\w+)\s*(?:final\s*)?:\s*public\s+(?:\w+::)*(\w+)')


def bases(text):
    """{class: its public base} of the classes a header declares."""
    return dict(BASE.findall(text))


def split_arguments(text):
    """The top-level comma-separated items of an argument or parameter list."""
    items, depth, current = [], 0, ''
    for c in text:
        if c in '(<[{':
            depth += 1
        elif c in ')>]}':
            depth -= 1
        if c == ',' and depth == 0:
            items.append(current)
            current = ''
        else:
            current += c
    if current.strip():
        items.append(current)
    return [item.strip() for item in items]


def parenthesised(text, start):
    """The text inside the parentheses opening at `start`."""
    depth = 0
    for i in range(start, len(text)):
        if text[i] == '(':
            depth += 1
        elif text[i] == ')':
            depth -= 1
            if depth == 0:
                return text[start + 1:i]
    return text[start + 1:]


def calls(body):
    """(name, arguments) of the calls a body makes as functions (member calls
    through an object are left out)."""
    found = []
    for match in CALL.finditer(body):
        through, name = match.group(1), match.group(2)
        if through or name.split('::')[-1] in KEYWORDS:
            continue
        found.append((name, split_arguments(parenthesised(body, match.end() - 1))))
    return found


# ---------------------------------------------------------------------------
# Who sends what


class Library:
    """The functions of the library's sources and what each one sends."""

    def __init__(self, sources, code_names, base_of=None):
        self.functions = []
        alias_map = {}
        for text in sources.values():
            clean = strip_comments_and_strings(text)
            alias_map.update(aliases(clean))
            self.functions.extend(definitions(clean))
        self.base_of = base_of or {}
        codes = set(code_names)
        self.grouped = set()
        self.direct = {}
        self.edges = {}
        for f in self.functions:
            named = set(CODE_NAME.findall(f.body))
            named.update(code for alias, code in alias_map.items() if re.search(r'\b%s\b' % alias, f.body))
            self.direct[f] = named & codes
            self.edges[f] = [(target, arguments) for name, arguments in calls(f.body)
                             for target in self.resolve(name, len(arguments), f) if target is not f]
        self.sends = {f: set(self.direct[f]) for f in self.functions}
        changed = True
        while changed:
            changed = False
            for f in self.functions:
                for target, _ in self.edges[f]:
                    extra = self.sends[target] - self.sends[f]
                    if extra:
                        self.sends[f] |= extra
                        changed = True

    def lineage(self, record):
        while record:
            yield record
            record = self.base_of.get(record)

    def resolve(self, name, count, caller):
        """The library functions a call from `caller` with `count` arguments
        may reach."""
        simple = name.split('::')[-1]
        qualifier = name.split('::')[:-1]
        if simple in NOT_FOLLOWED:
            return []
        candidates = [f for f in self.functions if f.simple == simple and f.accepts(count)]
        if qualifier:
            return [f for f in candidates
                    if f.owner == qualifier[-1] or (f.owner is None and qualifier[-1] in f.namespaces)]
        for record in self.lineage(caller.owner):
            members = [f for f in candidates if f.owner == record]
            if members:
                return members
        return [f for f in candidates if f.owner is None]

    def selectors(self, f, code, grouped_codes, seen=()):
        """The selectors `f` sends with `code`: literal first integers of its
        blocks, literal selectors it hands to a helper, or else those of the
        library functions it calls for that code."""
        if code not in self.sends[f] or f in seen:
            return set()
        found = set()
        if len(self.sends[f] & grouped_codes) == 1:
            found = {int(a or b) for a, b in FIRST_INT.findall(f.body)}
        for target, arguments in self.edges[f]:
            if code in self.sends[target] and target.selector_parameter() and arguments and \
                    re.fullmatch(r'-?\d+', arguments[0]):
                found.add(int(arguments[0]))
        if not found:
            for target, _ in self.edges[f]:
                found |= self.selectors(target, code, grouped_codes, seen + (f,))
        return found

    def senders(self, grouped_codes):
        """{code name: {operation: selectors}} for the public operations."""
        result = {}
        for f in self.functions:
            if f.internal or 'detail' in f.namespaces:
                continue
            for code in self.sends[f]:
                selectors = self.selectors(f, code, grouped_codes) if code in grouped_codes else set()
                result.setdefault(code, {}).setdefault(f.qualified, set()).update(selectors)
        return result


# ---------------------------------------------------------------------------
# The document


def operation_text(name, selectors, show_selectors):
    text = '`%s`' % name
    if show_selectors and selectors:
        text += ' (%s %s)' % ('selector' if len(selectors) == 1 else 'selectors',
                              ', '.join(str(s) for s in sorted(selectors)))
    return text


def document(entries, sent_by):
    lines = [
        '# Request codes',
        '',
        '<!-- Generated by tools/gen_request_reference.py from bridge/PIServerFunctions.h',
        '     and the sources in bridge/, services/, api/ and gui/. Do not edit by hand:',
        '     run `python3 tools/gen_request_reference.py` after changing them. -->',
        '',
        'Every request the library makes carries one of these codes. The notes are',
        'the comments of `bridge/PIServerFunctions.h`; "sent by" lists the operations',
        'whose code (directly or through the functions they call) sends the request,',
        'with the operation selector (element 0 of `intVector`) where the code groups',
        'several operations. Before each request the library also asks for the',
        'call-context override (code 16, selector 0), and every GUI proxy\'s',
        'constructor runs `PIObject::PIObject` (code 168) before its own requests.',
        'In Python, the clients\' `bind` and `unbind` are `PICommon::ServiceClient::bind`',
        'and `unbind`; the interfaces\' methods are direct calls on the host\'s objects',
        'and send no request.',
        '',
        '| code | name | notes | sent by |',
        '|---:|---|---|---|',
    ]
    for code, name, comment in entries:
        operations = sent_by.get(name, {})
        listed = '<br>'.join(operation_text(op, operations[op], grouped(comment))
                             for op in sorted(operations)) or '(none)'
        lines.append('| %d | `%s` | %s | %s |' % (code, name, comment.replace('|', '\\|'), listed))
    lines.append('')
    return '\n'.join(lines)


def read_sources(root, suffix='.cpp'):
    sources = {}
    for directory in SOURCE_DIRS:
        path = os.path.join(root, directory)
        for file_name in sorted(os.listdir(path)):
            if file_name.endswith(suffix):
                with open(os.path.join(path, file_name)) as f:
                    sources[os.path.join(directory, file_name)] = f.read()
    return sources


def read_bases(root):
    found = {}
    for text in read_sources(root, '.h').values():
        found.update(bases(strip_comments_and_strings(text)))
    return found


def generate(root=ROOT):
    with open(os.path.join(root, HEADER)) as f:
        entries = header_entries(f.read())
    if not entries:
        raise SystemExit('no request codes in ' + HEADER)
    library = Library(read_sources(root), [name for _, name, _ in entries], read_bases(root))
    return document(entries, library.senders({name for _, name, comment in entries if grouped(comment)}))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--check', action='store_true', help='only check that the file is up to date')
    parser.add_argument('--root', default=ROOT, help='the repository (default: this script\'s)')
    arguments = parser.parse_args(argv)
    text = generate(arguments.root)
    path = os.path.join(arguments.root, OUTPUT)
    if arguments.check:
        current = open(path).read() if os.path.exists(path) else ''
        if current != text:
            print('%s is out of date: run python3 tools/gen_request_reference.py' % OUTPUT)
            return 1
        return 0
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w') as f:
        f.write(text)
    return 0


if __name__ == '__main__':
    sys.exit(main())
