"""The request-code reference: how it finds who sends each code, and that
the committed docs/request-codes.md is what the sources give today."""

import os
import sys
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'tools'))
import gen_request_reference as ref  # noqa: E402

CODES = ['PI_SERVERFUNC_A', 'PI_SERVERFUNC_B', 'PI_SERVERFUNC_GROUPED']
GROUPED = {'PI_SERVERFUNC_GROUPED'}


def sent_by(source, base_of=None):
    """{code: {operation: sorted selectors}} for one source text."""
    library = ref.Library({'x.cpp': source}, CODES, base_of)
    return {code: {op: sorted(sel) for op, sel in ops.items()}
            for code, ops in library.senders(GROUPED).items()}


class Senders(unittest.TestCase):

    CASES = [
        ('a member naming the code',
         'namespace N {\nint C::f() { return send(PI_SERVERFUNC_A); }\n}\n',
         {'PI_SERVERFUNC_A': {'N::C::f': []}}),
        ('a constant defined as the code',
         'namespace N {\nconstexpr PIServerFunctions_t kA = PI_SERVERFUNC_A;\nvoid f() { send(kA); }\n}\n',
         {'PI_SERVERFUNC_A': {'N::f': []}}),
        ('a helper in an anonymous namespace, with the selector as its first parameter',
         'namespace N {\nnamespace {\nint req(int selector) { return CatchAll(PI_SERVERFUNC_GROUPED)'
         '.ints(selector, 1).sendForInt(1); }\n}\nint g() { return req(3); }\n}\n',
         {'PI_SERVERFUNC_GROUPED': {'N::g': [3]}}),
        ('literal selectors of the operation\'s own block',
         'void f() { CatchAll(PI_SERVERFUNC_GROUPED).ints(2, 1).send(); }\n',
         {'PI_SERVERFUNC_GROUPED': {'f': [2]}}),
        ('a block whose integers are filled by hand',
         'void* g() { PI_DATA_CATCHALL block; block.intVector.assign(1, 0); call(PI_SERVERFUNC_GROUPED, &block); }\n',
         {'PI_SERVERFUNC_GROUPED': {'g': [0]}}),
        ('an operation that only calls others inherits their selectors',
         'int a() { return CatchAll(PI_SERVERFUNC_GROUPED).ints(4).send(); }\n'
         'int b() { return CatchAll(PI_SERVERFUNC_GROUPED).ints(5).send(); }\n'
         'int both() { return a() + b(); }\n',
         {'PI_SERVERFUNC_GROUPED': {'a': [4], 'b': [5], 'both': [4, 5]}}),
        ('overloads told apart by their number of arguments',
         'int v() { return send(PI_SERVERFUNC_A); }\nint v(int& x) { return send(PI_SERVERFUNC_B); }\n'
         'int w() { int x; return v(x); }\n',
         {'PI_SERVERFUNC_A': {'v': []}, 'PI_SERVERFUNC_B': {'v': [], 'w': []}}),
        ('a member of a base class called without qualification',
         'void Base::bind() { send(PI_SERVERFUNC_A); }\nDerived::Derived() { bind(); }\n',
         {'PI_SERVERFUNC_A': {'Base::bind': [], 'Derived::Derived': []}}),
        ('calls through another object are not followed',
         'void C::show() { send(PI_SERVERFUNC_A); }\nvoid C::run() { other.show(); p->show(); }\n',
         {'PI_SERVERFUNC_A': {'C::show': []}}),
        ('codes in comments and strings do not count',
         'void f() { log("PI_SERVERFUNC_A"); /* PI_SERVERFUNC_B */ }\n// PI_SERVERFUNC_A\n',
         {}),
        ('internal functions are followed but not listed',
         'namespace P {\nnamespace detail {\nvoid bindIt() { send(PI_SERVERFUNC_B); }\n}\n'
         'static void local() { send(PI_SERVERFUNC_A); }\nC::C() { detail::bindIt(); local(); }\n}\n',
         {'PI_SERVERFUNC_A': {'P::C::C': []}, 'PI_SERVERFUNC_B': {'P::C::C': []}}),
        ('functions defined inside a class body',
         'struct Helper {\n    void run() const { send(PI_SERVERFUNC_A); }\n};\n',
         {'PI_SERVERFUNC_A': {'Helper::run': []}}),
    ]

    def test_cases(self):
        for label, source, expected in self.CASES:
            with self.subTest(label):
                self.assertEqual(sent_by(source, {'Derived': 'Base'}), expected)


class Header(unittest.TestCase):

    def test_comments_belong_to_the_next_enumerator(self):
        text = ('// Request codes.\n#pragma once\nenum PIServerFunctions_t : int32_t {\n'
                '    // Two codes: first (selector 0), second (1).\n'
                '    PI_SERVERFUNC_A = 10,\n    PI_SERVERFUNC_B = 11,\n'
                '    // Dialogs (selectors 0 to 3).\n    PI_SERVERFUNC_C = 12,\n};\n')
        entries = ref.header_entries(text)
        self.assertEqual(entries, [(10, 'PI_SERVERFUNC_A', 'Two codes: first (selector 0), second (1).'),
                                   (11, 'PI_SERVERFUNC_B', ''), (12, 'PI_SERVERFUNC_C', 'Dialogs (selectors 0 to 3).')])

    def test_grouped_codes_are_those_whose_note_gives_selectors(self):
        for comment, expected in [('Time-outs: create (selector 0), remove (1).', True),
                                  ('Tab widget (selectors 0 to 9).', True),
                                  ('The grouped codes take a selector.', False), ('', False)]:
            with self.subTest(comment=comment):
                self.assertEqual(ref.grouped(comment), expected)


class CommittedReference(unittest.TestCase):

    def test_the_committed_reference_is_up_to_date(self):
        with open(os.path.join(ROOT, ref.OUTPUT)) as f:
            committed = f.read()
        self.assertEqual(committed, ref.generate(ROOT),
                         'docs/request-codes.md is out of date: run python3 tools/gen_request_reference.py')

    def test_every_code_of_the_library_is_sent_by_some_operation(self):
        text = ref.generate(ROOT)
        rows = [line for line in text.splitlines() if line.startswith('| ') and 'PI_SERVERFUNC_' in line]
        self.assertGreater(len(rows), 100)
        self.assertEqual([row for row in rows if row.endswith('| (none) |')], [])


if __name__ == '__main__':
    unittest.main()
