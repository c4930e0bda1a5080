"""The type stubs PluginInterfaces.pyi, beside the proxy module, against the
module they describe: the same names, classes, members and constants, and
the argument counts the module accepts; a type checker refuses exactly the
misuses marked in stub_usage.py."""

import ast
import inspect
import math
import os
import re
import shutil
import subprocess
import types
import unittest

import PluginInterfaces as P
import _PluginInterfaces

STUB_PATH = os.path.join(os.path.dirname(P.__file__), 'PluginInterfaces.pyi')
FLAT_STUB_PATH = os.path.join(os.path.dirname(P.__file__), '_PluginInterfaces.pyi')
USAGE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'stub_usage.py')

# The comparisons take any object: they return NotImplemented for one that
# is not an iterator, so that the interpreter's default comparison applies.
COMPARISONS = ('__eq__', '__ne__')

# What the interpreter or the module says when the number of arguments is wrong.
COUNT_ERROR = re.compile(r'expected (at least |at most )?\d+ arguments?, got \d+|takes (exactly one argument|no '
                         r'arguments)|takes (from \d+ to \d+|\d+) positional arguments? but|missing \d+ required '
                         r'positional argument')

# Class members that every proxy has and the stubs leave out.
PROXY_MACHINERY = {'__module__', '__doc__', '__dict__', '__weakref__', '__swig_destroy__', '__repr__', 'thisown'}


class Stub:
    """The stub file, parsed."""

    def __init__(self, path):
        with open(path) as f:
            self.source = f.read()
        self.tree = ast.parse(self.source)
        self.classes = {node.name: node for node in self.tree.body if isinstance(node, ast.ClassDef)}

    def text(self, node):
        return ' '.join(ast.get_source_segment(self.source, node).split()) if node is not None else None

    def members(self, body):
        """name -> list of FunctionDef (overloads in order) or AnnAssign."""
        found = {}
        for node in body:
            if isinstance(node, ast.FunctionDef):
                found.setdefault(node.name, []).append(node)
            elif isinstance(node, ast.AnnAssign):
                found[node.target.id] = [node]
            elif isinstance(node, ast.ClassDef):
                found[node.name] = [node]
        return found

    @staticmethod
    def count_range(overloads):
        """The fewest and most positional arguments (the object included) of the overloads."""
        lowest, highest = math.inf, 0
        for function in overloads:
            arguments = function.args
            positional = len(arguments.posonlyargs + arguments.args)
            lowest = min(lowest, positional - len(arguments.defaults))
            highest = max(highest, positional if arguments.vararg is None else math.inf)
        return lowest, highest

    @staticmethod
    def decorators(function):
        return [d.id if isinstance(d, ast.Name) else d.attr for d in function.decorator_list]


def is_public(name):
    return not name.startswith('_') or name == '__setDebugIgnore'


def runtime_members(cls):
    members = {name: value for name, value in vars(cls).items() if name not in PROXY_MACHINERY}
    if '__init__' in members and 'No constructor defined' in inspect.getsource(members['__init__']):
        del members['__init__']
    return members


class Stubs(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.stub = Stub(STUB_PATH)
        cls.module_members = cls.stub.members(cls.stub.tree.body)

    def classes(self):
        """(name, stub node, stub members, runtime class) of the public classes."""
        for name, node in self.stub.classes.items():
            if is_public(name):
                yield name, node, self.stub.members(node.body), getattr(P, name)

    def callables(self):
        """(qualified name, runtime callable, stub overloads)."""
        for name, nodes in self.module_members.items():
            if is_public(name) and isinstance(nodes[0], ast.FunctionDef):
                yield name, getattr(P, name), nodes
        for class_name, _, members, cls in self.classes():
            for name, nodes in members.items():
                if isinstance(nodes[0], ast.FunctionDef) and 'property' not in self.stub.decorators(nodes[0]):
                    yield '%s.%s' % (class_name, name), getattr(cls, name), nodes

    def test_the_names_of_both_modules_and_the_types_of_values(self):
        described = {name for name in self.module_members if is_public(name)}
        public = {name for name, value in vars(P).items() if is_public(name) and not isinstance(value, types.ModuleType)}
        self.assertEqual(sorted(described ^ public), [], 'described or in the module, not both')
        # Generated from the proxy module: a flat function the proxy does not
        # reach, or one it reaches that the stubs do not describe, shows here.
        flat = Stub(FLAT_STUB_PATH)
        runtime = {name for name in vars(_PluginInterfaces) if not name.startswith('__') or name == '__setDebugIgnore'}
        self.assertEqual(sorted(set(flat.members(flat.tree.body)) ^ runtime), [])
        for name, nodes in self.module_members.items():
            if is_public(name) and isinstance(nodes[0], ast.AnnAssign) and name != 'cvar':
                self.assertEqual(self.stub.text(nodes[0].annotation), type(getattr(P, name)).__name__, name)
        annotation = self.stub.text(self.module_members['cvar'][0].annotation)
        attributes = self.stub.members(self.stub.classes[annotation].body)
        self.assertEqual(sorted(attributes), sorted(str(P.cvar).strip('()').split(', ')))
        for name, nodes in attributes.items():  # read-only: properties
            self.assertEqual((self.stub.decorators(nodes[0]), self.stub.text(nodes[0].returns)),
                             (['property'], type(getattr(P.cvar, name)).__name__), name)

    def test_classes_bases_and_members(self):
        for name, node, members, cls in self.classes():
            with self.subTest(name):
                stubbed = [self.stub.text(base) for base in node.bases]
                self.assertEqual([b for b in stubbed if is_public(b)],
                                 [b.__name__ for b in cls.__bases__ if b is not object])
                self.assertEqual(sorted(members), sorted(runtime_members(cls)))
            for member, nodes in members.items():
                value = vars(cls)[member]
                with self.subTest('%s.%s' % (name, member)):
                    if isinstance(value, property):
                        self.assertIsInstance(nodes[0], ast.AnnAssign)
                    elif isinstance(value, int) or value is None:  # None: __hash__ of a class with __eq__
                        self.assertEqual(self.stub.text(nodes[0].annotation), 'ClassVar[%s]' % type(value).__name__
                                         if value is not None else 'ClassVar[None]')
                    else:
                        static = ['staticmethod' in self.stub.decorators(f) for f in nodes]
                        self.assertEqual(all(static), isinstance(value, staticmethod))

    def test_argument_counts_and_overloads(self):
        for name, function, overloads in self.callables():
            with self.subTest(name):
                self.assertTrue(len(overloads) == 1 or all('overload' in self.stub.decorators(f) for f in overloads))
                # one argument too few or too many fails by count, before any native code runs
                lowest, highest = self.stub.count_range(overloads)
                for count in [count for count in (lowest - 1, highest + 1) if 0 <= count < math.inf]:
                    if name.endswith(COMPARISONS):
                        self.assertIs(function(*[None] * count), NotImplemented)
                        continue
                    with self.assertRaises(TypeError) as raised:
                        function(*[None] * count)
                    self.assertRegex(str(raised.exception), COUNT_ERROR)


@unittest.skipUnless(shutil.which('mypy'), 'mypy is not installed')
class TypeChecker(unittest.TestCase):

    def test_a_type_checker_refuses_exactly_the_marked_lines(self):
        # The stubs themselves pass the strict checks; the script's misuses,
        # and nothing else, are reported, with the codes marked on their lines.
        # mypy finds the stubs beside the module; a preloaded sanitizer runtime stays out of it.
        env = dict({k: v for k, v in os.environ.items() if k != 'LD_PRELOAD'}, MYPYPATH=os.path.dirname(STUB_PATH))
        with open(USAGE_PATH) as f:
            expected = sorted((os.path.basename(USAGE_PATH), number, line.rsplit('# ', 1)[1].strip())
                              for number, line in enumerate(f, 1) if re.search(r'  # [a-z-]+$', line))
        result = subprocess.run(
            ['mypy', '--strict', '--python-version', '3.8', '--cache-dir', os.devnull, '--show-error-codes',
             '--no-error-summary', '--hide-error-context', os.path.basename(USAGE_PATH)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, universal_newlines=True,
            cwd=os.path.dirname(USAGE_PATH), env=env)
        reported = sorted((path, int(number), code) for path, number, code in re.findall(
            r'^(.*?):(\d+): error: .*\[([a-z-]+)\]$', result.stdout, re.MULTILINE))
        self.assertEqual(reported, expected, result.stdout)


if __name__ == '__main__':
    unittest.main()
