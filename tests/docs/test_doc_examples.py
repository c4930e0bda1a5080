"""Every code block of README.md and docs/**/*.md is checked or run.

The line before a fenced block (blank lines aside) may carry a marker:

    <!-- example: PATH -->     the block is an exact copy of the file PATH
                               (relative to the repository), and that file is
                               run by a test: a CMakeLists.txt or test_*.py
                               under tests/ (or a test_*.py under examples/)
                               names its path, its file name, a Python
                               example's module or a C++ example's program.
    <!-- run: karven-sim -->   a ```python block runs as a plug-in script in
                               karven-sim (status 0 expected).

Unmarked blocks, by language:

    ```python   runs as a script with the Python the module was built for, in
                a fresh process and an empty directory, with the module,
                hostsim/python and examples/python on PYTHONPATH and the test
                hosts' libraries in KARVEN_SIM_LIBRARY and KARVEN_TESTHOST;
                it must exit with status 0. Without a marker there is no host
                unless the block starts one (karven_sim.start()).
    ```cpp      compiled (syntax only) with every header of the library and
                of the test hosts included first; a block without #include
                or main() is compiled as the body of a function.
    ```sh, ```console, ```text, ```cmake and blocks without a language are
                commands, output or configuration, not examples: left alone
                here (tests/install/test_installed.py runs the ```sh blocks
                of docs/compiled-plugins.md against an installed copy).

Environment (set by tests/CMakeLists.txt): PI_DOCS_PYTHON ("python|module
dir"), PI_CXX, KARVEN_SIM, KARVEN_SIM_LIBRARY, KARVEN_TESTHOST.
"""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
MARKER = re.compile(r'^<!--\s*(example|run):\s*(.*?)\s*-->$')
FENCE = re.compile(r'^(\s*)(```+|~~~+)\s*([\w+-]*)\s*$')
TIMEOUT = 60

LIBRARY_HEADERS = sorted(os.path.relpath(h, ROOT) for d in ('bridge', 'services', 'api', 'gui')
                         for h in glob.glob(os.path.join(ROOT, d, '*.h')))
HOST_HEADERS = ['hostsim/RecordingHost.h', 'hostsim/ServiceHost.h', 'hostsim/sim/Simulator.h']


class Block:
    def __init__(self, document, line, language, text, marker):
        self.document = document  # relative to the repository
        self.line = line          # of the opening fence, from 1
        self.language = language
        self.text = text
        self.marker = marker      # (kind, value) or None

    def where(self):
        return '%s:%d' % (self.document, self.line)


def blocks(document, text):
    """The fenced blocks of a Markdown text, with the marker before each.
    A marker that no block follows is reported as a block of its own with
    language None."""
    found = []
    lines = text.split('\n')
    marker = None
    marker_line = 0
    i = 0
    while i < len(lines):
        line = lines[i]
        fence = FENCE.match(line)
        marked = MARKER.match(line.strip())
        if marked:
            if marker is not None:
                found.append(Block(document, marker_line, None, '', marker))
            marker, marker_line = (marked.group(1), marked.group(2)), i + 1
        elif fence:
            indent, ticks, language = fence.groups()
            opening = i + 1
            body = []
            i += 1
            while i < len(lines) and not lines[i].strip().startswith(ticks):
                body.append(lines[i][len(indent):] if lines[i].startswith(indent) else lines[i])
                i += 1
            found.append(Block(document, opening, language, '\n'.join(body) + '\n', marker))
            marker = None
        elif line.strip() and marker is not None:
            found.append(Block(document, marker_line, None, '', marker))
            marker = None
        i += 1
    if marker is not None:
        found.append(Block(document, marker_line, None, '', marker))
    return found


def documents():
    paths = [os.path.join(ROOT, 'README.md')]
    paths += sorted(glob.glob(os.path.join(ROOT, 'docs', '**', '*.md'), recursive=True))
    return [os.path.relpath(p, ROOT) for p in paths]


def all_blocks():
    found = []
    for document in documents():
        with open(os.path.join(ROOT, document)) as f:
            found.extend(blocks(document, f.read()))
    return found


def read_all(paths, leave_out=()):
    texts = []
    for path in paths:
        if os.path.abspath(path) not in [os.path.abspath(p) for p in leave_out]:
            with open(path) as f:
                texts.append(f.read())
    return texts


def run_by_a_test(path, tests=None, builds=None):
    """Whether a test names the example: its path or file name, a Python
    example's module, a C++ example's program (a CMake target of that name
    built from it), or the directory of a CMake project. `tests` and
    `builds` are the texts of the test and build files (default: this
    repository's)."""
    if tests is None:
        test_files = glob.glob(os.path.join(ROOT, 'tests', '**', 'CMakeLists.txt'), recursive=True)
        test_files += glob.glob(os.path.join(ROOT, 'tests', '**', 'test_*.py'), recursive=True)
        test_files += glob.glob(os.path.join(ROOT, 'examples', '**', 'test_*.py'), recursive=True)
        tests = read_all(test_files, leave_out=[__file__, os.path.join(ROOT, path)])
    if builds is None:
        builds = read_all(glob.glob(os.path.join(ROOT, '**', 'CMakeLists.txt'), recursive=True))
    name = os.path.basename(path)
    stem, suffix = os.path.splitext(name)
    names = [path, name]
    if suffix == '.py':
        names.append(stem)
    elif suffix == '.cpp':
        target = re.compile(r'add_(?:executable|library)\(\s*%s\s[^)]*\b%s\b' % (re.escape(stem), re.escape(name)))
        if any(target.search(text) for text in builds):
            names.append(stem)
    elif name == 'CMakeLists.txt':
        names.append(os.path.basename(os.path.dirname(path)))
    words = [re.compile(r'(?<![\w/.-])%s(?![\w-])' % re.escape(n)) for n in names]
    return any(word.search(text) for word in words for text in tests)


def python_environment():
    python, module_dir = os.environ['PI_DOCS_PYTHON'].split('|')
    env = dict(os.environ)
    env['PYTHONPATH'] = os.pathsep.join([module_dir, os.path.join(ROOT, 'hostsim', 'python'),
                                         os.path.join(ROOT, 'examples', 'python')])
    env['PYTHONDONTWRITEBYTECODE'] = '1'
    return python, env


def is_complete(text):
    """Whether a C++ block is a translation unit of its own."""
    return re.search(r'^\s*#include|\bint\s+main\s*\(', text, re.MULTILINE) is not None


def snippet_source(texts):
    """One translation unit for C++ blocks: the headers, then each block as
    the body of a function of its own (a complete block as it stands)."""
    source = ''.join('#include "%s"\n' % h for h in LIBRARY_HEADERS + HOST_HEADERS)
    for number, text in enumerate(texts):
        source += text if is_complete(text) else 'void documentation_snippet_%d() {\n%s}\n' % (number, text)
    return source


def compile_cpp(source):
    env = {k: v for k, v in os.environ.items() if k != 'LD_PRELOAD'}
    return subprocess.run([os.environ['PI_CXX'], '-std=c++17', '-D_GLIBCXX_USE_CXX11_ABI=0', '-fsyntax-only',
                           '-I', ROOT, '-x', 'c++', '-'],
                          input=source, env=env, capture_output=True, text=True, timeout=TIMEOUT)


class MarkdownBlocks(unittest.TestCase):
    """The block reader itself."""

    def test_markers_attach_to_the_next_block_only(self):
        text = ('Intro\n\n<!-- example: examples/a.py -->\n\n```python\nprint(1)\n```\n\n'
                '```sh\nls\n```\n<!-- run: karven-sim -->\n```python\n  x = 1\n```\n')
        found = blocks('doc.md', text)
        self.assertEqual([(b.language, b.marker, b.text) for b in found],
                         [('python', ('example', 'examples/a.py'), 'print(1)\n'), ('sh', None, 'ls\n'),
                          ('python', ('run', 'karven-sim'), '  x = 1\n')])
        self.assertEqual([b.line for b in found], [5, 9, 13])

    def test_a_marker_without_a_block_is_reported(self):
        for text in ('<!-- example: a.py -->\nSome text\n```python\nx\n```\n', 'x\n<!-- run: karven-sim -->\n'):
            with self.subTest(text=text):
                self.assertIn(None, [b.language for b in blocks('doc.md', text)])

    def test_indented_blocks_lose_their_indentation(self):
        (block,) = blocks('doc.md', '- item:\n\n  ```python\n  if True:\n      pass\n  ```\n')
        self.assertEqual(block.text, 'if True:\n    pass\n')

    def test_snippets_become_function_bodies_unless_complete(self):
        source = snippet_source(['int x = 1;\n', '#include <cstdio>\nint main() {}\n', 'f();\n'])
        self.assertIn('void documentation_snippet_0() {\nint x = 1;\n}\n#include <cstdio>\nint main() {}\n'
                      'void documentation_snippet_2() {\nf();\n}\n', source)


class RunByATest(unittest.TestCase):

    TESTS = ["add_test(NAME example.trace COMMAND request_trace)",
             "run([SIM, os.path.join(EXAMPLES, 'watchlist_plugin.py')])",
             "run([python, '-m', 'unittest', 'test_watchlist_plugin'])",
             "PROJECT = os.path.join(HERE, 'hello_plugin')",
             "run(['sh', 'tests/install/build.sh'])",
             "add_test(NAME main COMMAND runner)"]
    BUILDS = ['add_executable(request_trace request_trace.cpp)', 'add_executable(main.cpp)']

    def test_what_counts_as_running_an_example(self):
        for path, expected in [('examples/request_trace.cpp', True),             # its program
                               ('examples/python/watchlist_plugin.py', True),     # its file name
                               ('examples/python/test_watchlist_plugin.py', True),  # its module
                               ('tests/install/hello_plugin/CMakeLists.txt', True),  # its project's directory
                               ('tests/install/build.sh', True),                  # its path
                               ('examples/python/not_run_anywhere.py', False),
                               ('examples/session.cpp', False),                   # not a program of that name
                               ('examples/python/plugin.py', False),              # "watchlist_plugin.py" is another file
                               ('tests/install/other/CMakeLists.txt', False)]:
            with self.subTest(path=path):
                self.assertEqual(run_by_a_test(path, self.TESTS, self.BUILDS), expected)


class Documentation(unittest.TestCase):

    def setUp(self):
        self.blocks = all_blocks()

    def test_markers_are_known_and_followed_by_a_block(self):
        for block in self.blocks:
            with self.subTest(block=block.where()):
                self.assertIsNotNone(block.language, 'a marker that no code block follows')
                if block.marker is not None:
                    kind, value = block.marker
                    self.assertTrue(kind == 'example' or value == 'karven-sim', 'unknown marker %s' % value)

    def test_examples_are_exact_copies_of_files_that_tests_run(self):
        examples = [b for b in self.blocks if b.marker and b.marker[0] == 'example']
        self.assertTrue(examples, 'the documents show no example file')
        for block in examples:
            path = block.marker[1]
            with self.subTest(block=block.where(), example=path):
                full = os.path.join(ROOT, path)
                self.assertTrue(os.path.isfile(full), 'no such file')
                with open(full) as f:
                    self.assertEqual(block.text, f.read(), 'the block differs from the file')
                self.assertTrue(run_by_a_test(path), 'no test runs this example')

    def test_relative_links_lead_to_files(self):
        link = re.compile(r'\]\(([^)#\s]+)(?:#[^)]*)?\)')
        for document in documents():
            with open(os.path.join(ROOT, document)) as f:
                targets = [t for t in link.findall(f.read()) if '://' not in t and not t.startswith('mailto:')]
            for target in targets:
                with self.subTest(document=document, link=target):
                    self.assertTrue(os.path.exists(os.path.join(ROOT, os.path.dirname(document), target)))

    def test_every_example_file_is_run_by_a_test(self):
        files = [os.path.relpath(p, ROOT) for p in glob.glob(os.path.join(ROOT, 'examples', '**', '*.*'),
                                                             recursive=True)
                 if p.endswith(('.py', '.cpp'))]
        self.assertTrue(files)
        self.assertEqual([f for f in sorted(files) if not run_by_a_test(f)], [])

    @unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON'), 'PI_DOCS_PYTHON is not set')
    def test_python_blocks_run(self):
        python, env = python_environment()
        runnable = [b for b in self.blocks if b.language == 'python' and not (b.marker and b.marker[0] == 'example')]
        for block in runnable:
            with self.subTest(block=block.where()), tempfile.TemporaryDirectory() as directory:
                script = os.path.join(directory, 'block.py')
                with open(script, 'w') as f:
                    f.write(block.text)
                if block.marker == ('run', 'karven-sim'):
                    command = [os.environ['KARVEN_SIM'], '--quiet', script]
                else:
                    command = [python, script]
                result = subprocess.run(command, cwd=directory, env=env, capture_output=True, text=True,
                                        timeout=TIMEOUT)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    @unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON') and shutil.which('mypy'), 'PI_DOCS_PYTHON or mypy missing')
    def test_python_examples_and_blocks_type_check(self):
        # Against the stubs beside the module; marked blocks are copies of
        # example files, which are checked themselves.
        blocks = [b for b in self.blocks if b.language == 'python' and not (b.marker and b.marker[0] == 'example')]
        with tempfile.TemporaryDirectory() as directory:
            names = {}
            for number, block in enumerate(blocks):
                names['block_%d.py' % number] = block.where()
                with open(os.path.join(directory, 'block_%d.py' % number), 'w') as f:
                    f.write(block.text)
            env = {k: v for k, v in os.environ.items() if k != 'LD_PRELOAD'}
            env['MYPYPATH'] = python_environment()[1]['PYTHONPATH'].split(os.pathsep)[0]
            result = subprocess.run(['mypy', '--python-version', '3.8', '--check-untyped-defs', '--cache-dir',
                                     os.devnull, '--no-error-summary', os.path.join(ROOT, 'examples'), directory],
                                    env=env, capture_output=True, text=True, timeout=TIMEOUT)
        report = re.sub(r'\S*(block_\d+\.py)', lambda m: names[m.group(1)], result.stdout)
        self.assertEqual((result.returncode, report), (0, ''))

    @unittest.skipUnless(os.environ.get('PI_CXX'), 'PI_CXX is not set')
    def test_cpp_blocks_compile(self):
        snippets = [b for b in self.blocks if b.language == 'cpp' and not (b.marker and b.marker[0] == 'example')]
        # The function bodies together first (one compiler run); the complete
        # blocks, and on failure every block, one by one.
        bodies = [b for b in snippets if not is_complete(b.text)]
        together_ok = compile_cpp(snippet_source([b.text for b in bodies])).returncode == 0
        for block in snippets:
            if together_ok and block in bodies:
                continue
            with self.subTest(block=block.where()):
                result = compile_cpp(snippet_source([block.text]))
                self.assertEqual(result.returncode, 0, result.stderr)

if __name__ == '__main__':
    unittest.main()
