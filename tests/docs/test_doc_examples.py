"""Every code block of README.md and docs/**/*.md is checked or run. A marker
on the line before a block: `<!-- example: PATH -->`, the block is an exact
copy of PATH, which a test names; `<!-- run: karven-sim -->`, the ```python
block runs in karven-sim. Unmarked ```python blocks run in an empty folder and
type-check; ```cpp blocks compile, as a function body unless they have
#include or main(). tests/install runs the compiled-plug-in guide's ```sh.
"""

import collections
import glob
import os
import re
import shutil
import subprocess
import tempfile
import sys
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
EXAMPLES = os.path.join(ROOT, 'examples', 'python')
MARKER = re.compile(r'^<!--\s*(example|run):\s*(.*?)\s*-->$')
FENCE = re.compile(r'^(\s*)(```+|~~~+)\s*([\w+-]*)\s*$')
TIMEOUT = 60
HEADERS = sorted(os.path.relpath(h, ROOT) for d in ('bridge', 'services', 'api', 'gui')
                 for h in glob.glob(os.path.join(ROOT, d, '*.h')))
HEADERS += ['hostsim/RecordingHost.h', 'hostsim/ServiceHost.h', 'hostsim/sim/Simulator.h']
sys.path.insert(0, os.path.join(ROOT, 'tools'))
import gen_request_reference  # noqa: E402


class Block(collections.namedtuple('Block', 'document line language text marker')):
    def where(self):
        return '%s:%d' % (self.document, self.line)

    def is_example(self):
        return self.marker is not None and self.marker[0] == 'example'


def blocks(document, text):
    """The fenced blocks of a Markdown text (indentation of the fence taken
    off), each with the marker before it; a marker that no block follows is
    a block of language None."""
    found, marker, marker_line, lines, i = [], None, 0, text.split('\n') + ['end'], 0
    while i < len(lines):
        fence, marked = FENCE.match(lines[i]), MARKER.match(lines[i].strip())
        if marker is not None and not fence and (marked or lines[i].strip()):
            found.append(Block(document, marker_line, None, '', marker))
            marker = None
        if marked:
            marker, marker_line = marked.groups(), i + 1
        elif fence:
            indent, ticks, language = fence.groups()
            opening, body, i = i + 1, [], i + 1
            while i < len(lines) - 1 and not lines[i].strip().startswith(ticks):
                body.append(lines[i][len(indent):] if lines[i].startswith(indent) else lines[i])
                i += 1
            found.append(Block(document, opening, language, '\n'.join(body) + '\n', marker))
            marker = None
        i += 1
    return found


def documents():
    paths = [os.path.join(ROOT, 'README.md')] + sorted(glob.glob(os.path.join(ROOT, 'docs', '**', '*.md'),
                                                                 recursive=True))
    return [os.path.relpath(p, ROOT) for p in paths]


def read(path):
    with open(path) as f:
        return f.read()


def run_by_a_test(path):
    """Whether a test names the example: its path, file name or stem (a
    Python module, a C++ program), or a CMake project's directory."""
    tests = glob.glob(os.path.join(ROOT, 'tests', '**', 'CMakeLists.txt'), recursive=True)
    tests += glob.glob(os.path.join(ROOT, '*', '**', 'test_*.py'), recursive=True)
    texts = [read(t) for t in tests if os.path.abspath(t) != os.path.join(ROOT, path)]
    name = os.path.basename(path)
    names = [path, name, os.path.basename(os.path.dirname(path)) if name == 'CMakeLists.txt' else name.split('.')[0]]
    words = [re.compile(r'(?<![\w/.-])%s(?![\w-])' % re.escape(n)) for n in names]
    return any(word.search(text) for word in words for text in texts)


def python_environment():
    python, module_dir = os.environ['PI_DOCS_PYTHON'].split('|')
    return python, dict(os.environ, PYTHONDONTWRITEBYTECODE='1',
                        PYTHONPATH=os.pathsep.join([module_dir, os.path.join(ROOT, 'hostsim', 'python'), EXAMPLES]))


def is_complete(text):
    return re.search(r'^\s*#include|\bint\s+main\s*\(', text, re.MULTILINE) is not None


def compile_cpp(texts):
    source = ''.join('#include "%s"\n' % h for h in HEADERS)
    for number, text in enumerate(texts):
        source += text if is_complete(text) else 'void documentation_snippet_%d() {\n%s}\n' % (number, text)
    env = {k: v for k, v in os.environ.items() if k != 'LD_PRELOAD'}
    return subprocess.run([os.environ['PI_CXX'], '-std=c++17', '-D_GLIBCXX_USE_CXX11_ABI=0', '-fsyntax-only',
                           '-I', ROOT, '-x', 'c++', '-'], input=source, env=env, capture_output=True, text=True,
                          timeout=TIMEOUT)


class Documentation(unittest.TestCase):

    def setUp(self):
        self.blocks = [b for d in documents() for b in blocks(d, read(os.path.join(ROOT, d)))]
        self.scripts = [b for b in self.blocks if b.language == 'python' and not b.is_example()]

    def test_markers_are_known_and_followed_by_a_block(self):
        for block in self.blocks:
            with self.subTest(block=block.where()):
                self.assertIsNotNone(block.language, 'a marker that no code block follows')
                self.assertIn(block.marker, [None, ('run', 'karven-sim')] if not block.is_example() else [block.marker])

    def test_examples_are_exact_copies_of_files_and_a_test_runs_every_example(self):
        # The files the blocks copy, and every example program.
        examples = [b for b in self.blocks if b.is_example()]
        for block in examples:
            with self.subTest(block=block.where(), example=block.marker[1]):
                self.assertEqual(block.text, read(os.path.join(ROOT, block.marker[1])), 'not the file')
        files = [os.path.relpath(p, ROOT) for p in glob.glob(os.path.join(ROOT, 'examples', '**', '*.*'),
                                                             recursive=True) if p.endswith(('.py', '.cpp'))]
        self.assertTrue(examples and files)
        files = sorted(set(files + [b.marker[1] for b in examples]))
        self.assertEqual([f for f in files if not run_by_a_test(f)], [])

    def test_the_request_code_reference_is_up_to_date_and_names_a_sender_for_every_code(self):
        text = gen_request_reference.generate(ROOT)
        self.assertEqual(read(os.path.join(ROOT, gen_request_reference.OUTPUT)), text,
                         'docs/request-codes.md is out of date: run python3 tools/gen_request_reference.py')
        rows = [line for line in text.splitlines() if line.startswith('| ') and 'PI_SERVERFUNC_' in line]
        self.assertGreater(len(rows), 100)
        self.assertEqual([row for row in rows if row.endswith('| (none) |')], [])

    def test_relative_links_lead_to_files(self):
        for document in documents():
            for target in re.findall(r'\]\(([^)#\s]+)(?:#[^)]*)?\)', read(os.path.join(ROOT, document))):
                if '://' not in target and not target.startswith('mailto:'):
                    with self.subTest(document=document, link=target):
                        self.assertTrue(os.path.exists(os.path.join(ROOT, os.path.dirname(document), target)))

    @unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON'), 'PI_DOCS_PYTHON is not set')
    def test_python_blocks_run(self):
        python, env = python_environment()
        for block in self.scripts:
            with self.subTest(block=block.where()), tempfile.TemporaryDirectory() as directory:
                script = os.path.join(directory, 'block.py')
                with open(script, 'w') as f:
                    f.write(block.text)
                command = [os.environ['KARVEN_SIM'], '--quiet'] if block.marker else [python]
                result = subprocess.run(command + [script], cwd=directory, env=env, capture_output=True, text=True,
                                        timeout=TIMEOUT)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    @unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON') and shutil.which('mypy'), 'PI_DOCS_PYTHON or mypy missing')
    def test_python_examples_and_blocks_type_check(self):
        # Against the stubs beside the module; example blocks are checked as
        # the files they copy.
        with tempfile.TemporaryDirectory() as directory:
            for number, block in enumerate(self.scripts):
                with open(os.path.join(directory, 'block_%d.py' % number), 'w') as f:
                    f.write(block.text)
            env = {k: v for k, v in os.environ.items() if k != 'LD_PRELOAD'}
            env['MYPYPATH'] = python_environment()[1]['PYTHONPATH'].split(os.pathsep)[0]
            result = subprocess.run(['mypy', '--python-version', '3.8', '--check-untyped-defs', '--cache-dir',
                                     os.devnull, '--no-error-summary', os.path.join(ROOT, 'examples'), directory],
                                    env=env, capture_output=True, text=True, timeout=TIMEOUT)
        report = re.sub(r'\S*block_(\d+)\.py', lambda m: self.scripts[int(m.group(1))].where(), result.stdout)
        self.assertEqual((result.returncode, report), (0, ''))

    @unittest.skipUnless(os.environ.get('PI_CXX'), 'PI_CXX is not set')
    def test_cpp_blocks_compile(self):
        # The function bodies together (one compiler run); the complete
        # blocks, and on failure every block, one by one.
        snippets = [b for b in self.blocks if b.language == 'cpp' and not b.is_example()]
        bodies = [b for b in snippets if not is_complete(b.text)]
        together = compile_cpp([b.text for b in bodies]).returncode == 0
        for block in snippets:
            if not (together and block in bodies):
                with self.subTest(block=block.where()):
                    result = compile_cpp([block.text])
                    self.assertEqual(result.returncode, 0, result.stderr)


sys.path.insert(0, os.path.join(ROOT, 'tests', 'python'))
from support import DEBUG_IGNORE_MESSAGE as DEBUG_IGNORE, NO_HOST_MESSAGE as NO_HOST  # noqa: E402
SESSION = ('createAction: 0\nsetHotKey: 0\nhot key of Tracks.Refresh: Ctrl+Shift+T\naction Tracks.Refresh ran\n'
           'time-out created: yes\ntime-out fired\nfirst registration: 0\n'
           # The library deletes the refused delegate before the call returns,
           'delegate second deleted\nsecond registration: 2\nproxies left to the collector: 1\n'
           # the host the accepted one when it goes away.
           'collector after unloading: gone\ndelegate first deleted\n')


@unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON') and os.environ.get('PI_EXAMPLES_BIN'),
                     'PI_DOCS_PYTHON or PI_EXAMPLES_BIN is not set')
class GuideExamples(unittest.TestCase):

    def test_the_examples_print_what_the_guide_says(self):
        python, env = python_environment()
        # karven-sim as the guide runs it: nothing of this build in the environment.
        plain = {k: v for k, v in os.environ.items() if not k.startswith(('KARVEN_', 'PYTHON'))}
        sim, binaries = os.environ['KARVEN_SIM'], os.environ['PI_EXAMPLES_BIN']
        cases = [  # command, environment, stdout and stderr: exact, a pattern searched, or a check
            ([os.path.join(binaries, 'no_host')], env, 'host found: no\napplication name: Unknown\nTracks.Refresh '
             'exists: no\ndebug/ignore: application name Unknown, executeAction status 1\n', NO_HOST * 4),
            ([os.path.join(binaries, 'session_plugin')], env, SESSION, ''),
            ([python, os.path.join(EXAMPLES, 'no_host.py')], env,
             'bind status: 1\nconnected: False\n' + DEBUG_IGNORE + 'bind status: 1\nconnected: False\n', NO_HOST * 2),
            ([sim, 'test', os.path.join(EXAMPLES, 'test_watchlist_plugin.py')], plain, re.compile(''),
             re.compile(r'\nOK\n4 passed, 0 failed\n\Z')),
            # Bind, bind, unbind, unbind: the script leaves nothing bound.
            ([sim, os.path.join(EXAMPLES, 'watchlist_plugin.py')], env, lambda out: (
                self.assertIn('\nshowing [1001, 1002, 18446744073709551615]\n', out),
                self.assertEqual(re.findall(r' 322 PI_SERVERFUNC_SERVICES ints=\[(\d)', out), list('0011'))), ''),
        ]
        for command, environment, stdout, stderr in cases:
            with self.subTest(command[-1]):
                result = subprocess.run(command, env=environment, capture_output=True, text=True, timeout=TIMEOUT)
                self.assertEqual(result.returncode, 0, result.stderr)
                for text, expected in ((result.stdout, stdout), (result.stderr, stderr)):
                    if isinstance(expected, str):
                        self.assertEqual(text, expected)
                    elif callable(expected):
                        expected(text)
                    else:
                        self.assertRegex(text, expected)


if __name__ == '__main__':
    unittest.main()
