"""StringVector, UniqueIDVector and their iterators: indexing, slicing,
overloads, argument errors and every access outside a vector."""

import gc
import unittest

from support import argument_error as arg, overload_text, run

import _PluginInterfaces as m
import PluginInterfaces as P

S = P.StringVector
U = P.UniqueIDVector
ABC = ['a', 'b', 'c']

SV = 'std::vector< std::string >'
UV = 'std::vector< unsigned long >'
UID = 'std::vector< PIData::UniqueID_t >'
SLICE_TYPE = 'slice indices must be integers or None or have an __index__ method'


def constructor_forms(function, vector_type, declared_type):
    """The text of a constructor call that matches none of its forms."""
    forms = ('()', '(%s const &)' % vector_type, '(%s::size_type)' % declared_type,
             '(%s::size_type,%s::value_type const &)' % (declared_type, declared_type))
    return overload_text(function, *(vector_type + '::vector' + form for form in forms))


def outcome(call):
    """What a call answers: ('value', result) or (exception type, message)."""
    try:
        result = call()
        return ('value', list(result) if isinstance(result, (S, U)) else result)
    except Exception as error:  # every failure is compared, whatever it is
        return (type(error), str(error))


class Vectors(unittest.TestCase):
    # (expression over v = StringVector(['a', 'b', 'c']), expected items or item)
    READS = [
        ('v[0]', 'a'), ('v[-1]', 'c'), ('v[-3]', 'a'), ('v[::-1]', ['c', 'b', 'a']), ('v[::2]', ['a', 'c']),
        ('v[5:]', []), ('v[:-5]', []), ('v[10:0:-1]', ['c', 'b']),
        ('v[::-2]', ['c', 'a']), ('v[0:3:10]', ['a']), ('v[::2**62]', ['a']),
        ('m.StringVector___getslice__(v, 1, 3)', ['b', 'c']),
        ('m.StringVector___getslice__(v, -1, 2)', ['a', 'b']),  # no size added to -1: clamped to 0
        ('len(v)', 3), ('bool(S())', False), ('v.front()', 'a'), ('v.back()', 'c'), ('list(v)', ABC),
    ]
    # (operation on v = StringVector(['a', 'b', 'c']), contents afterwards)
    EDITS = [
        ('v[-1] = "x"', ['a', 'b', 'x']), ('v[1:1] = ["x", "y"]', ['a', 'x', 'y', 'b', 'c']),
        ('v[0:2] = ["x"]', ['x', 'c']), ('v[5:7] = ["x"]', ['a', 'b', 'c', 'x']), ('v[::2] = ["p", "q"]', ['p', 'b', 'q']),
        ('v[::-1] = ["x", "y", "z"]', ['z', 'y', 'x']), ('v[1:] = v', ['a', 'a', 'b', 'c']),
        ('v[0:1] = "xy"', ['x', 'y', 'b', 'c']), ('v[0:1] = ("x", S(["y"]))[1]', ['y', 'b', 'c']),
        ('del v[-1]', ['a', 'b']), ('del v[::-2]', ['b']), ('del v[5:]', ABC),
        ('m.StringVector___setslice__(v, -5, 1, ["x"])', ['x', 'b', 'c']),
        ('m.StringVector___setslice__(v, 0, 2)', ['c']), ('m.StringVector___delslice__(v, 2, 1)', ABC),
        ('m.StringVector___setitem__(v, slice(0, 2))', ['c']), ('v.pop_back()', ['a', 'b']),
        ('v.assign(2, "z")', ['z', 'z']), ('v.resize(4, "d")', ['a', 'b', 'c', 'd']),
        ('v.insert(v.begin(), 2, "x")', ['x', 'x', 'a', 'b', 'c']), ('v.insert(v.end(), "d")', ['a', 'b', 'c', 'd']),
        ('v.erase(v.begin() + 1, v.end())', ['a']), ('v.erase(v.iterator())', ['b', 'c']),
        ('v.swap(S(["x"]))', ['x']),
    ]

    def test_reads_leave_the_vector_unchanged(self):
        for expression, expected in self.READS:
            with self.subTest(expression):
                v = S(ABC)
                self.assertEqual(outcome(lambda: eval(expression, globals(), {'v': v})), ('value', expected))
                self.assertEqual(list(v), ABC)

    def test_edits(self):
        for operation, expected in self.EDITS:
            with self.subTest(operation):
                v = S(ABC)
                exec(operation)
                self.assertEqual(list(v), expected)
        u = U([1, 2, 3])  # the element type is a typedef: its iterators still arrive as iterators
        u.erase(u.begin() + 1, u.end() - 1)
        u.insert(u.end(), 2, 2**64 - 1)
        self.assertEqual((list(u), u.pop()), ([1, 3, 2**64 - 1, 2**64 - 1], 2**64 - 1))

    def test_construction(self):
        for make, expected in [(lambda: S(3), ['', '', '']), (lambda: S('ab'), ['a', 'b']), (lambda: S(S(ABC)), ABC),
                               (lambda: S(2, 'z'), ['z', 'z']), (lambda: U(2, 7), [7, 7]),
                               (lambda: U([2**64 - 1, 0]), [2**64 - 1, 0]), (lambda: U(range(3)), [0, 1, 2]),
                               (lambda: S(['gr\u00fc\u00dfe \U0001f30d', 'a\0b']), ['gr\u00fc\u00dfe \U0001f30d', 'a\0b'])]:
            self.assertEqual(list(make()), expected)
        v = S(ABC)
        for call in (lambda: S(2**62), lambda: U(2**61, 1), lambda: S(ABC).reserve(2**62), lambda: U(2**40),
                     lambda: U().resize(2**40, 3), lambda: v.insert(v.begin(), 2**64 - 1, 'x')):
            self.assertRaises(MemoryError, call)  # refused before allocating

    def test_refusals_leave_the_vector_unchanged(self):
        sv_ref = arg('new_StringVector', 1, SV + ' const &')
        uid_ref = arg('new_UniqueIDVector', 1, UID + ' const &')
        cases = [
            ('S(["ok", None])', TypeError, sv_ref), ('S(["\\ud800"])', TypeError, sv_ref),
            ('U([-1])', TypeError, uid_ref),
            ('U(-1)', TypeError, constructor_forms('new_UniqueIDVector', UID, UV)),
            ('S(-1)', TypeError, constructor_forms('new_StringVector', SV, SV)),
            ('m.new_StringVector(1, 2, 3)', TypeError, 'new_StringVector expected at most 2 arguments, '
             'got 3\nAdditional information:\n' + constructor_forms('new_StringVector', SV, SV)),
            ('freed.append("x")', TypeError, arg('StringVector_append', 1, SV + ' *')),
            ('m.delete_StringVector(freed)', RuntimeError, "in method 'delete_StringVector', cannot release "
             "ownership as memory is not owned for argument 1 of type '%s *'" % SV),
            ('v[3]', IndexError, 'index out of range'), ('v[-4]', IndexError, 'index out of range'),
            ('del v[-4]', IndexError, 'index out of range'),
            ('del v[::0]', ValueError, 'slice step cannot be zero'),
            ('v[::2] = ["p"]', ValueError, 'attempt to assign sequence of size 1 to extended slice of size 2'),
            ('v[::-1] = []', ValueError, 'attempt to assign sequence of size 0 to extended slice of size 3'),
            ('v[::"x"] = []', TypeError, SLICE_TYPE),
            ('m.StringVector___setitem__(v, 5)', TypeError, 'Slice object expected.'),
            ('v["x"]', TypeError, overload_text('StringVector___getitem__', SV + '::__getitem__(PySliceObject *)',
                                                SV + '::__getitem__(%s::difference_type) const' % SV)),
            ('m.UniqueIDVector___delitem__(U([1]), 2**63)', OverflowError,
             arg('UniqueIDVector___delitem__', 2, UV + '::difference_type')),
            # one form takes this many arguments: its own argument error
            ('m.UniqueIDVector_resize(U(), "x")', TypeError, arg('UniqueIDVector_resize', 2, UV + '::size_type')),
            ('v.resize(-1)', OverflowError, arg('StringVector_resize', 2, SV + '::size_type')),
            ('m.StringVector_resize(v)', TypeError, 'StringVector_resize expected at least 2 arguments, got 1\n'
             'Additional information:\n' + overload_text('StringVector_resize', SV + '::resize(%s::size_type)' % SV,
                                                         SV + '::resize(%s::size_type,%s::value_type const &)' % (SV, SV))),
            ('v.append(1)', TypeError, arg('StringVector_append', 2, SV + '::value_type const &')),
            ('v.append(None)', ValueError, arg('StringVector_append', 2, SV + '::value_type const &', null=True)),
            ('v.erase(U([1]).begin())', TypeError, arg('StringVector_erase', 2, SV + '::iterator')),
            ('v.erase(v.end())', IndexError, 'erase at the end of the container'),
            ('v.erase(v.end(), v.begin())', ValueError, 'erase of a range that ends before it starts'),
            ('u[0:1] = [1, -1]', TypeError, arg('UniqueIDVector___setitem__', 3,
                                                'std::vector< unsigned long,std::allocator< unsigned long > > const &')),
            ('v.begin().incr(-1)', OverflowError, arg('SwigPyIterator_incr', 2, 'size_t')),
            ('v.begin().distance(None)', ValueError,
             arg('SwigPyIterator_distance', 2, 'swig::SwigPyIterator const &', null=True)),
            ('m.SwigPyIterator___sub__(v.begin(), "x")', TypeError, overload_text(
                'SwigPyIterator___sub__', 'swig::SwigPyIterator::operator -(ptrdiff_t) const',
                'swig::SwigPyIterator::operator -(swig::SwigPyIterator const &) const')),
            ('m.new_SwigPyIterator', AttributeError,
             "module '_PluginInterfaces' has no attribute 'new_SwigPyIterator'"),
        ]
        for statement, error, message in cases:
            with self.subTest(statement):
                v, u, freed = S(ABC), U([1]), S(ABC)
                m.delete_StringVector(freed)
                done = outcome(lambda: exec(statement, globals(), {'v': v, 'u': u, 'freed': freed}))
                self.assertEqual(done, (error, message))
                self.assertEqual((list(v), list(u)), (ABC, [1]))
        for name in ('pop', 'front', 'back', 'pop_back'):
            self.assertEqual(outcome(getattr(U(), name)), (IndexError, '%s from empty container' % name))


class Iterators(unittest.TestCase):

    def test_movement_and_bounds(self):
        v = S(ABC)
        cases = [
            (lambda: v.rbegin().value(), 'c'), (lambda: (v.rbegin() + 2).value(), 'a'),
            (lambda: v.rend().decr().value(), 'a'), (lambda: v.end().decr(3).value(), 'a'),
            (lambda: v.end().advance(-1).value(), 'c'), (lambda: v.end().distance(v.begin()), -3),
            (lambda: v.rbegin().distance(v.rend()), 3), (lambda: v.end() - v.begin(), 3),
            (lambda: (v.end() - 1).copy().decr().value(), 'b'), (lambda: v.begin().equal(v.end() - 3), True),
            (lambda: v.begin() != v.begin().incr(), True), (lambda: v.begin() == 3, False),
            (lambda: m.SwigPyIterator___eq__(v.begin(), 'x'), NotImplemented),
        ]
        for index, (call, expected) in enumerate(cases + [(call, (StopIteration, '')) for call in (
                v.end().value, v.rend().value, v.end().incr, v.begin().decr, v.rbegin().decr,
                lambda: v.begin().advance(4), lambda: v.begin().advance(-2**63), lambda: v.begin().incr(2**64 - 1),
                lambda: v.end() - 4, S().begin().value)]):
            with self.subTest(index):
                self.assertEqual(outcome(call), expected if isinstance(expected, tuple) else ('value', expected))
        it = v.iterator()
        self.assertEqual((it.next(), it.previous()), ('a', 'a'))
        self.assertRaises(StopIteration, it.previous)
        it.advance(3)
        self.assertRaises(StopIteration, it.next)
        self.assertEqual((it.previous(), list(v)), ('c', ABC))

    def test_moves_return_the_iterator_not_owned(self):
        it = S(ABC).begin()
        for move, expected in ((lambda i: i.incr(), 'b'), (lambda i: i.decr(), 'a'), (lambda i: i.advance(2), 'c')):
            moved = move(it)
            self.assertEqual((moved.thisown, moved.value(), it.value()), (False, expected, expected))
        del it
        gc.collect()
        self.assertEqual(moved.value(), 'c', 'the returned object keeps the owner alive')
        self.assertRaises(RuntimeError, m.delete_SwigPyIterator, moved)
        it = S(ABC).begin()
        before = it
        it += 2
        self.assertEqual((it.value(), it.thisown, before.thisown), ('c', True, False))
        with self.assertRaises(StopIteration):
            it += 5  # refused: nothing changes hands
        self.assertEqual((it.value(), it.thisown), ('c', True))
        del it
        gc.collect()
        self.assertEqual(before.value(), 'c')

    def test_kinds_and_vectors_do_not_mix(self):
        v, w = S(ABC), S(ABC)
        kinds = {'closed': v.iterator, 'forward': v.begin, 'reverse': v.rbegin, 'other vector': w.begin,
                 'other type': U([1]).begin}
        for name, make in kinds.items():
            for other_name, other_make in kinds.items():
                with self.subTest((name, other_name)):
                    a, b = make(), other_make()
                    self.assertEqual(a == b, name == other_name)
                    if name != other_name:
                        with self.assertRaises(RuntimeError) as raised:
                            a.distance(b)
                        self.assertIn("std::invalid_argument *", repr(raised.exception.args[0]))

    def test_iterators_follow_their_vector(self):
        for make in (lambda v: v.iterator(), lambda v: v.rbegin(), lambda v: v.end() - 1):
            it = make(S(['only']))
            gc.collect()
            self.assertEqual(it.value(), 'only', 'an iterator keeps its vector alive')
        v = S(ABC)
        it = v.begin() + 2
        v.clear()
        self.assertRaises(StopIteration, it.value)
        for _ in range(1000):
            v.append('x')
        self.assertEqual(it.value(), 'x')
        its = [v.iterator(), v.begin(), v.rbegin()]
        m.delete_StringVector(v)
        for it in its:
            for call in (it.value, it.incr, it.decr, lambda: next(it)):
                self.assertRaises(StopIteration, call)


class Slots(unittest.TestCase):
    """v[i] and the steps of a for loop answer exactly as the methods
    __getitem__ and __next__ do, whatever the key, the iterator or the state
    of the vector, and an overriding method is always the one called."""

    KEYS = [0, 2, -1, -3, 3, -4, 2**62, -2**63 - 1, 2**64, True, 1.0, '1', None, slice(None, None, -1), (1,)]

    def test_indexing_answers_as_getitem(self):
        freed = U([1, 2, 3])
        m.delete_UniqueIDVector(freed)
        for cls, vector in [(S, S(ABC)), (U, U([5, 2**64 - 1, 0])), (S, S()), (U, freed)]:
            for key in self.KEYS:
                with self.subTest(cls=cls.__name__, key=key):
                    self.assertEqual(outcome(lambda: vector[key]), outcome(lambda: cls.__getitem__(vector, key)))
        for item in ('', '\u00e9\u4e2d\U0001f600', 'nul\0inside', 0, 2**63, 2**64 - 1):
            vector = (S if isinstance(item, str) else U)([item])
            self.assertEqual((vector[0], type(vector[-1])), (item, type(item)))

    def test_iteration_answers_as_next(self):
        for vector in (S(ABC), U([1, 2]), U()):
            for make in (vector.iterator, vector.begin, vector.rbegin, vector.end, vector.rend):
                with self.subTest(vector=list(vector), kind=make.__name__):
                    by_slot, by_method = make(), make()
                    for _ in range(len(vector) + 2):
                        self.assertEqual(outcome(lambda: next(by_slot)),
                                         outcome(lambda: P.SwigPyIterator.__next__(by_method)))
        v, seen = S(ABC), []
        for item in v:
            seen.append(item)
            if item == 'a':
                v.append('d')
            if item == 'c':
                del v[0:]
        self.assertEqual(seen, ABC)

    def test_the_slots_follow_any_change_of_the_pointer_object_or_the_methods(self):
        first, second = U([1, 2, 3, 4]), U([10, 20, 30, 40])
        a, b = iter(first), iter(second)
        self.assertEqual([next(a), next(b), next(a), next(b)], [1, 10, 2, 20])
        a.note = 'another attribute'  # the dictionary changes, "this" stays
        self.assertEqual(next(a), 3)
        a.this = iter(second).this  # another iterator's pointer object
        self.assertEqual([next(a), next(a), next(b)], [10, 20, 30])
        del a.this
        self.assertIs(outcome(lambda: next(a))[0], TypeError)
        doubled = type('Doubled', (U,), {'__getitem__': lambda self, key: 2 * U.__getitem__(self, key)})
        self.assertEqual((doubled([4])[0], type('Plain', (U,), {})([4])[-1]), (8, 4))
        it = U([1, 2]).iterator()
        it.__class__ = type('Counted', (P.SwigPyIterator,), {})
        self.assertEqual(list(it), [1, 2])
        result = run('''
            import PluginInterfaces as P
            other = iter(P.UniqueIDVector([7, 8])).this
            it = iter(P.UniqueIDVector([1, 2, 3]))
            print(next(it))
            P.SwigPyIterator.this = property(lambda self: other)
            print(next(it), next(it))
            del P.SwigPyIterator.this
            print(next(it))
            v = P.UniqueIDVector([4, 5])
            own_getitem, own_next = P.UniqueIDVector.__dict__['__getitem__'], P.SwigPyIterator.__dict__['__next__']
            P.UniqueIDVector.__getitem__ = lambda self, key: ('replaced', key)
            P.SwigPyIterator.__next__ = lambda self: 'replaced next'
            print(v[0], next(v.iterator()))
            del P.UniqueIDVector.__getitem__
            try:
                v[0]
            except TypeError as error:
                print('TypeError', error)
            P.UniqueIDVector.__getitem__, P.SwigPyIterator.__next__ = own_getitem, own_next
            print(v[0], v[-1], next(v.iterator()), list(v))
        ''')
        self.assertEqual(result.stdout.splitlines(), ['1', '7 8', '2', "('replaced', 0) replaced next",
                                                      "TypeError 'UniqueIDVector' object is not subscriptable",
                                                      '4 5 4 [4, 5]'], result.stderr)


if __name__ == '__main__':
    unittest.main()
