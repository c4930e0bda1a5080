"""StringVector, UniqueIDVector and their iterators: indexing, slicing,
overloads, argument errors and every access outside a vector."""

import gc
import unittest

import support

import _PluginInterfaces as m
import PluginInterfaces as P

S = P.StringVector
U = P.UniqueIDVector
ABC = ['a', 'b', 'c']

SV = 'std::vector< std::string >'
SV_FULL = 'std::vector< std::string,std::allocator< std::string > >'
UV = 'std::vector< unsigned long >'
UID = 'std::vector< PIData::UniqueID_t >'


def overload_text(function, *prototypes):
    return ("Wrong number or type of arguments for overloaded function '%s'.\n  Possible C/C++ prototypes are:\n"
            % function) + ''.join('    %s\n' % p for p in prototypes)


class Reading(unittest.TestCase):
    # (expression over v = StringVector(['a', 'b', 'c']), expected items or item)
    CASES = [
        ('v[0]', 'a'),
        ('v[-1]', 'c'),
        ('v[-3]', 'a'),
        ('v[::-1]', ['c', 'b', 'a']),
        ('v[::2]', ['a', 'c']),
        ('v[-2:]', ['b', 'c']),
        ('v[5:]', []),
        ('v[3:]', []),
        ('v[1:1]', []),
        ('v[2:0]', []),
        ('v[:-5]', []),
        ('v[10:0:-1]', ['c', 'b']),
        ('v[::-2]', ['c', 'a']),
        ('v[0:3:10]', ['a']),
        ('v[::2**62]', ['a']),
        ('m.StringVector___getslice__(v, 1, 3)', ['b', 'c']),
        ('m.StringVector___getslice__(v, 3, 5)', []),
        ('m.StringVector___getslice__(v, -1, 2)', ['a', 'b']),  # no size added to -1: clamped to 0
        ('m.StringVector___getslice__(v, 2, 1)', []),
        ('len(v)', 3),
        ('v.size()', 3),
        ('bool(v)', True),
        ('bool(S())', False),
        ('v.empty()', False),
        ('v.front()', 'a'),
        ('v.back()', 'c'),
        ('list(v)', ABC),
        ('list(reversed(list(v)))', ['c', 'b', 'a']),
    ]

    def test_reads(self):
        for expression, expected in self.CASES:
            with self.subTest(expression):
                v = S(ABC)
                result = eval(expression)
                if isinstance(result, S):
                    result = list(result)
                self.assertEqual(result, expected)
                self.assertEqual(list(v), ABC, 'reading changed the vector')

    def test_a_slice_is_a_new_vector(self):
        v = S(ABC)
        part = v[0:2]
        part[0] = 'x'
        self.assertIsInstance(part, S)
        self.assertTrue(part.thisown)
        self.assertEqual(list(v), ABC)


class Construction(unittest.TestCase):

    def test_forms(self):
        cases = [
            (lambda: S(), []),
            (lambda: S(3), ['', '', '']),
            (lambda: S('ab'), ['a', 'b']),
            (lambda: S(('x', 'y')), ['x', 'y']),
            (lambda: S(S(ABC)), ABC),
            (lambda: S(2, 'z'), ['z', 'z']),
            (lambda: U(), []),
            (lambda: U(2), [0, 0]),
            (lambda: U(2, 7), [7, 7]),
            (lambda: U([2**64 - 1, 0]), [2**64 - 1, 0]),
            (lambda: U(range(3)), [0, 1, 2]),
        ]
        for index, (make, expected) in enumerate(cases):
            with self.subTest(index):
                self.assertEqual(list(make()), expected)

    def test_strings_round_trip_through_utf8(self):
        text = 'gr\u00fc\u00dfe \U0001f30d'
        self.assertEqual(S([text])[0], text)
        self.assertEqual(S(['a\0b'])[0], 'a\0b')

    def test_refused_arguments(self):
        sv_ref = "in method 'new_StringVector', argument 1 of type '%s const &'" % SV
        cases = [
            (lambda: S([1, 2]), TypeError, sv_ref),
            (lambda: S(['ok', None]), TypeError, sv_ref),
            (lambda: S(['\ud800']), TypeError, sv_ref),
            (lambda: U([-1]), TypeError,
             "in method 'new_UniqueIDVector', argument 1 of type 'std::vector< PIData::UniqueID_t > const &'"),
            (lambda: U([2**64]), TypeError,
             "in method 'new_UniqueIDVector', argument 1 of type 'std::vector< PIData::UniqueID_t > const &'"),
            (lambda: U(-1), TypeError, overload_text(
                'new_UniqueIDVector', UID + '::vector()', UID + '::vector(%s const &)' % UID,
                UID + '::vector(%s::size_type)' % UV, UID + '::vector(%s::size_type,%s::value_type const &)' % (UV, UV))),
            (lambda: m.new_StringVector(1, 2, 3), TypeError,
             'new_StringVector expected at most 2 arguments, got 3\nAdditional information:\n' + overload_text(
                 'new_StringVector', SV + '::vector()', SV + '::vector(%s const &)' % SV,
                 SV + '::vector(%s::size_type)' % SV,
                 SV + '::vector(%s::size_type,%s::value_type const &)' % (SV, SV))),
            (lambda: S(None), TypeError, overload_text(
                'new_StringVector', SV + '::vector()', SV + '::vector(%s const &)' % SV,
                SV + '::vector(%s::size_type)' % SV, SV + '::vector(%s::size_type,%s::value_type const &)' % (SV, SV))),
        ]
        support.assert_each_raises(self, cases)

    def test_impossible_sizes_raise_instead_of_allocating(self):
        v = S(ABC)
        for call in (lambda: S(2**62), lambda: U(2**61, 1), lambda: S(ABC).reserve(2**62),
                     lambda: S(ABC).resize(2**62), lambda: U().assign(2**61, 5),
                     # more than the machine can hold: refused before allocating
                     lambda: U(2**40), lambda: U(2**40, 1), lambda: S(ABC).reserve(2**40),
                     lambda: U().resize(2**40, 3), lambda: v.insert(v.begin(), 2**40, 'x'),
                     lambda: v.insert(v.begin(), 2**64 - 1, 'x')):
            with self.assertRaises(MemoryError):
                call()


class Mutation(unittest.TestCase):
    # (operation on v = StringVector(['a', 'b', 'c']), contents afterwards)
    CASES = [
        ('v[1] = "x"', ['a', 'x', 'c']),
        ('v[-1] = "x"', ['a', 'b', 'x']),
        ('v[1:1] = ["x", "y"]', ['a', 'x', 'y', 'b', 'c']),
        ('v[0:2] = ["x"]', ['x', 'c']),
        ('v[:] = []', []),
        ('v[5:7] = ["x"]', ['a', 'b', 'c', 'x']),
        ('v[::2] = ["p", "q"]', ['p', 'b', 'q']),
        ('v[::-1] = ["x", "y", "z"]', ['z', 'y', 'x']),
        ('v[:] = v', ['a', 'b', 'c']),
        ('v[1:] = v', ['a', 'a', 'b', 'c']),
        ('v[0:1] = "xy"', ['x', 'y', 'b', 'c']),
        ('del v[0]', ['b', 'c']),
        ('del v[-1]', ['a', 'b']),
        ('del v[::2]', ['b']),
        ('del v[::-2]', ['b']),
        ('del v[1:]', ['a']),
        ('del v[5:]', ['a', 'b', 'c']),
        ('m.StringVector___setslice__(v, 0, 1, ["x", "y"])', ['x', 'y', 'b', 'c']),
        ('m.StringVector___setslice__(v, 0, 2)', ['c']),
        ('m.StringVector___setslice__(v, -5, 1, ["x"])', ['x', 'b', 'c']),
        ('m.StringVector___delslice__(v, 1, 2)', ['a', 'c']),
        ('m.StringVector___delslice__(v, 2, 1)', ['a', 'b', 'c']),
        ('m.StringVector___setitem__(v, slice(0, 2))', ['c']),
        ('v.append("d")', ['a', 'b', 'c', 'd']),
        ('v.push_back("d")', ['a', 'b', 'c', 'd']),
        ('v.pop_back()', ['a', 'b']),
        ('v.clear()', []),
        ('v.assign(2, "z")', ['z', 'z']),
        ('v.resize(1)', ['a']),
        ('v.resize(4)', ['a', 'b', 'c', '']),
        ('v.resize(4, "d")', ['a', 'b', 'c', 'd']),
        ('v.insert(v.begin(), 2, "x")', ['x', 'x', 'a', 'b', 'c']),
        ('v.insert(v.end(), "d")', ['a', 'b', 'c', 'd']),
        ('v.erase(v.begin())', ['b', 'c']),
        ('v.erase(v.begin() + 1, v.end())', ['a']),
        ('v.erase(v.iterator())', ['b', 'c']),
    ]

    def test_mutations(self):
        for operation, expected in self.CASES:
            with self.subTest(operation):
                v = S(ABC)
                exec(operation)
                self.assertEqual(list(v), expected)

    def test_pop_returns_the_last_item(self):
        v = S(ABC)
        self.assertEqual(v.pop(), 'c')
        self.assertEqual(list(v), ['a', 'b'])

    def test_unique_id_vectors_take_iterators_too(self):
        # The element type is a typedef: the iterator argument must still
        # arrive as a real iterator of the vector.
        for operation, expected in [('u.erase(u.begin())', [2, 3]),
                                    ('u.erase(u.begin() + 1, u.end())', [1]),
                                    ('u.insert(u.begin() + 1, 9)', [1, 9, 2, 3]),
                                    ('u.insert(u.end(), 2, 2**64 - 1)', [1, 2, 3, 2**64 - 1, 2**64 - 1]),
                                    ('u.erase(u.begin() + 1, u.end() - 1)', [1, 3])]:
            with self.subTest(operation):
                u = U([1, 2, 3])
                exec(operation)
                self.assertEqual(list(u), expected)

    def test_erase_and_insert_return_open_iterators(self):
        v = S(ABC)
        after = v.erase(v.begin())
        self.assertEqual(after.value(), 'b')
        inserted = v.insert(v.end(), 'z')
        self.assertEqual(inserted.value(), 'z')
        self.assertTrue(inserted == v.end() - 1)

    def test_swap_exchanges_contents(self):
        v, w = S(ABC), S(['x'])
        v.swap(w)
        self.assertEqual((list(v), list(w)), (['x'], ABC))

    def test_capacity_follows_reserve(self):
        v = S()
        v.reserve(10)
        self.assertGreaterEqual(v.capacity(), 10)

    def test_unique_ids_keep_every_bit(self):
        u = U()
        u.append(2**64 - 1)
        u[0:0] = [2**63]
        self.assertEqual(list(u), [2**63, 2**64 - 1])
        self.assertEqual(u.pop(), 2**64 - 1)


class Refusals(unittest.TestCase):
    """Every refused operation raises and leaves the vector unchanged."""

    def test_refusals(self):
        setslice = overload_text('StringVector___setitem__',
                                 SV + '::__setitem__(PySliceObject *,%s const &)' % SV_FULL,
                                 SV + '::__setitem__(PySliceObject *)',
                                 SV + '::__setitem__(%s::difference_type,%s::value_type const &)' % (SV, SV))
        cases = [
            ('v[3]', IndexError, 'index out of range'),
            ('v[-4]', IndexError, 'index out of range'),
            ('v[3] = "x"', IndexError, 'index out of range'),
            ('del v[3]', IndexError, 'index out of range'),
            ('v[::0]', ValueError, 'slice step cannot be zero'),
            ('v[::0] = []', ValueError, 'slice step cannot be zero'),
            ('del v[::0]', ValueError, 'slice step cannot be zero'),
            ('v[::2] = ["p"]', ValueError, 'attempt to assign sequence of size 1 to extended slice of size 2'),
            ('v[::-1] = []', ValueError, 'attempt to assign sequence of size 0 to extended slice of size 3'),
            ('v["a":"b"]', TypeError, 'slice indices must be integers or None or have an __index__ method'),
            ('v[1.5:]', TypeError, 'slice indices must be integers or None or have an __index__ method'),
            ('v[::"x"] = []', TypeError, 'slice indices must be integers or None or have an __index__ method'),
            ('del v[None:"x"]', TypeError, 'slice indices must be integers or None or have an __index__ method'),
            ('m.StringVector___setitem__(v, 5)', TypeError, 'Slice object expected.'),
            ('m.StringVector___setitem__(v, "x", "y")', TypeError, setslice),
            ('v["x"]', TypeError, overload_text('StringVector___getitem__',
                                                SV + '::__getitem__(PySliceObject *)',
                                                SV + '::__getitem__(%s::difference_type) const' % SV)),
            ('m.StringVector___delitem__(v, 2**63)', OverflowError,
             "in method 'StringVector___delitem__', argument 2 of type '%s::difference_type'" % SV),
            ('m.UniqueIDVector___delitem__(U([1, 2, 3]), 2**63)', OverflowError,
             "in method 'UniqueIDVector___delitem__', argument 2 of type '%s::difference_type'" % UV),
            ('m.StringVector___getslice__(v, 1)', TypeError, 'StringVector___getslice__ expected 3 arguments, got 2'),
            ('v.resize(-1)', OverflowError, "in method 'StringVector_resize', argument 2 of type '%s::size_type'" % SV),
            ('m.StringVector_resize(v)', TypeError,
             'StringVector_resize expected at least 2 arguments, got 1\nAdditional information:\n' + overload_text(
                 'StringVector_resize', SV + '::resize(%s::size_type)' % SV,
                 SV + '::resize(%s::size_type,%s::value_type const &)' % (SV, SV))),
            ('m.UniqueIDVector_resize(U(), "x")', TypeError,
             "in method 'UniqueIDVector_resize', argument 2 of type '%s::size_type'" % UV),
            ('m.UniqueIDVector_resize(U(), 1, 2, 3)', TypeError,
             'UniqueIDVector_resize expected at most 3 arguments, got 4\nAdditional information:\n' + overload_text(
                 'UniqueIDVector_resize', 'std::vector< PIData::UniqueID_t >::resize(%s::size_type)' % UV,
                 'std::vector< PIData::UniqueID_t >::resize(%s::size_type,%s::value_type const &)' % (UV, UV))),
            ('v.append(1)', TypeError,
             "in method 'StringVector_append', argument 2 of type '%s::value_type const &'" % SV),
            ('v.append(None)', ValueError,
             "invalid null reference in method 'StringVector_append', argument 2 of type '%s::value_type const &'"
             % SV),
            ('U().append(-1)', OverflowError,
             "in method 'UniqueIDVector_append', argument 2 of type '%s::value_type'" % UV),
            ('U().append(1.0)', TypeError,
             "in method 'UniqueIDVector_append', argument 2 of type '%s::value_type'" % UV),
            ('v.swap(["x"])', TypeError, "in method 'StringVector_swap', argument 2 of type '%s &'" % SV),
            ('v.swap(None)', ValueError,
             "invalid null reference in method 'StringVector_swap', argument 2 of type '%s &'" % SV),
            ('v.swap(U())', TypeError, "in method 'StringVector_swap', argument 2 of type '%s &'" % SV),
            ('v.erase(v.rbegin())', TypeError,
             "in method 'StringVector_erase', argument 2 of type '%s::iterator'" % SV),
            ('v.erase(S(["x"]).begin())', TypeError,
             "in method 'StringVector_erase', argument 2 of type '%s::iterator'" % SV),
            ('v.erase(U([1]).begin())', TypeError,
             "in method 'StringVector_erase', argument 2 of type '%s::iterator'" % SV),
            ('v.erase(0)', TypeError, "in method 'StringVector_erase', argument 2 of type '%s::iterator'" % SV),
            ('v.insert(v.rend(), "x")', TypeError,
             "in method 'StringVector_insert', argument 2 of type '%s::iterator'" % SV),
            ('v.erase(v.end())', IndexError, 'erase at the end of the container'),
            ('v.erase(v.end(), v.begin())', ValueError, 'erase of a range that ends before it starts'),
        ]
        for statement, error, message in cases:
            with self.subTest(statement):
                v = S(ABC)
                with self.assertRaises(error) as raised:
                    exec(statement)
                self.assertEqual(str(raised.exception), message)
                self.assertEqual(list(v), ABC)

    def test_empty_vectors(self):
        for vector in (S(), U()):
            for name in ('pop', 'front', 'back', 'pop_back'):
                with self.subTest(type(vector).__name__ + '.' + name):
                    with self.assertRaises(IndexError) as raised:
                        getattr(vector, name)()
                    expected = 'pop from empty container' if name == 'pop' else '%s from empty container' % name
                    self.assertEqual(str(raised.exception), expected)
                    self.assertEqual(len(vector), 0)

    def test_none_or_freed_object(self):
        v = S(ABC)
        m.delete_StringVector(v)
        for call, argument_type in [
            (lambda: m.StringVector_size(None), SV + ' const *'),
            (lambda: m.StringVector___len__(None), SV + ' const *'),
            (lambda: m.StringVector_append(None, 'x'), SV + ' *'),
            (lambda: m.StringVector_size(v), SV + ' const *'),
            (lambda: m.StringVector_append(v, 'x'), SV + ' *'),
        ]:
            with self.assertRaises(TypeError) as raised:
                call()
            self.assertIn("argument 1 of type '%s'" % argument_type, str(raised.exception))

    def test_a_vector_is_freed_once(self):
        v = S(ABC)
        m.delete_StringVector(v)
        with self.assertRaises(RuntimeError) as raised:
            m.delete_StringVector(v)
        self.assertEqual(str(raised.exception),
                         "in method 'delete_StringVector', cannot release ownership as memory is not owned "
                         "for argument 1 of type '%s *'" % SV)
        del v
        gc.collect()


class Iterators(unittest.TestCase):

    def test_for_loop_yields_items_in_order(self):
        for vector, items in ((S(ABC), ABC), (U([5, 6]), [5, 6])):
            self.assertEqual([x for x in vector], items)
            iterator = vector.iterator()
            self.assertEqual([next(iterator) for _ in items], items)
            self.assertRaises(StopIteration, next, iterator)

    def test_closed_iterator_bounds(self):
        v = S(ABC)
        it = v.iterator()
        self.assertEqual(it.next(), 'a')
        self.assertEqual(it.previous(), 'a')
        self.assertRaises(StopIteration, it.previous)
        self.assertRaises(StopIteration, it.decr)
        it.advance(3)
        self.assertRaises(StopIteration, it.value)
        self.assertRaises(StopIteration, it.incr)
        self.assertRaises(StopIteration, it.next)
        self.assertEqual(it.previous(), 'c')

    def test_open_iterators_are_bounded_too(self):
        v = S(ABC)
        cases = [
            (lambda: v.end().value(), StopIteration),
            (lambda: v.rend().value(), StopIteration),
            (lambda: v.end().incr(), StopIteration),
            (lambda: v.begin().decr(), StopIteration),
            (lambda: v.rend().incr(), StopIteration),
            (lambda: v.rbegin().decr(), StopIteration),
            (lambda: v.begin().advance(4), StopIteration),
            (lambda: v.begin().advance(-2**63), StopIteration),
            (lambda: v.begin().incr(2**64 - 1), StopIteration),
            (lambda: v.begin() + 4, StopIteration),
            (lambda: v.end() - 4, StopIteration),
            (lambda: S().begin().value(), StopIteration),
        ]
        for index, (call, error) in enumerate(cases):
            with self.subTest(index):
                self.assertRaises(error, call)
        self.assertEqual(list(v), ABC)

    def test_movement_and_reading(self):
        v = S(ABC)
        cases = [
            (lambda: v.begin().value(), 'a'),
            (lambda: (v.end() - 1).value(), 'c'),
            (lambda: v.rbegin().value(), 'c'),
            (lambda: (v.rbegin() + 2).value(), 'a'),
            (lambda: v.rend().decr().value(), 'a'),
            (lambda: v.begin().incr(2).value(), 'c'),
            (lambda: v.end().decr(3).value(), 'a'),
            (lambda: v.end().advance(-1).value(), 'c'),
            (lambda: v.begin().distance(v.end()), 3),
            (lambda: v.end().distance(v.begin()), -3),
            (lambda: v.rbegin().distance(v.rend()), 3),
            (lambda: v.end() - v.begin(), 3),
            (lambda: v.begin().copy().incr().value(), 'b'),
            (lambda: v.rbegin().copy().decr(0).value(), 'c'),
            (lambda: (v.end() - 1).copy().decr().value(), 'b'),
            (lambda: v.begin() == v.begin(), True),
            (lambda: v.begin() != v.begin().incr(), True),
            (lambda: v.begin().equal(v.end() - 3), True),
        ]
        for index, (call, expected) in enumerate(cases):
            with self.subTest(index):
                self.assertEqual(call(), expected)

    def test_incr_decr_and_advance_return_the_iterator_not_owned(self):
        it = S(ABC).begin()
        for move, expected in ((lambda i: i.incr(), 'b'), (lambda i: i.decr(), 'a'), (lambda i: i.advance(2), 'c')):
            moved = move(it)
            self.assertFalse(moved.thisown)
            self.assertEqual((moved.value(), it.value()), (expected, expected))
        self.assertTrue(it.thisown)
        # The returned object keeps the owner alive; freeing it is refused.
        del it
        gc.collect()
        self.assertEqual(moved.value(), 'c')
        with self.assertRaises(RuntimeError):
            m.delete_SwigPyIterator(moved)

    def test_in_place_addition_hands_ownership_on(self):
        v = S(ABC)
        it = v.begin()
        before = it
        it += 2
        self.assertEqual((it.value(), before.value()), ('c', 'c'))
        self.assertEqual((it.thisown, before.thisown), (True, False))
        with self.assertRaises(StopIteration):
            it += 5  # refused: nothing changes hands
        self.assertEqual((it.value(), it.thisown), ('c', True))
        del it
        gc.collect()
        self.assertEqual(before.value(), 'c', 'the new owner lives as long as the object it came from')
        alias = before
        before -= 1
        self.assertEqual((before.value(), alias.value()), ('b', 'b'))

    def test_kinds(self):
        v = S(ABC)
        kinds = {'closed forward': v.iterator, 'open forward': v.begin, 'open reverse': v.rbegin}
        for name, make in kinds.items():
            for other_name, other_make in kinds.items():
                with self.subTest((name, other_name)):
                    a, b = make(), other_make()
                    if name == other_name:
                        self.assertTrue(a == b)
                        self.assertEqual(a.distance(b), 0)
                        continue
                    self.assertFalse(a == b)
                    self.assertTrue(a != b)
                    for measure in (lambda: a.distance(b), lambda: a.equal(b), lambda: a - b):
                        with self.assertRaises(RuntimeError) as raised:
                            measure()
                        self.assertIn("std::invalid_argument *", repr(raised.exception.args[0]))
                        self.assertTrue(raised.exception.args[0].own())

    def test_iterators_of_different_vectors(self):
        v, w = S(ABC), S(ABC)
        self.assertFalse(v.begin() == w.begin())
        with self.assertRaises(RuntimeError):
            v.begin().distance(w.begin())
        u = U([1, 2, 3])
        self.assertFalse(v.begin() == u.begin())
        with self.assertRaises(RuntimeError):
            v.begin() - u.begin()

    def test_comparison_with_other_objects(self):
        it = S(ABC).begin()
        self.assertFalse(it == 3)
        self.assertTrue(it != None)  # noqa: E711
        self.assertIs(m.SwigPyIterator___eq__(it, 'x'), NotImplemented)
        self.assertIs(m.SwigPyIterator___ne__(it, 'x'), NotImplemented)

    def test_argument_errors(self):
        it = S(ABC).begin()
        cases = [
            (lambda: it + 'x', TypeError, "in method 'SwigPyIterator___add__', argument 2 of type 'ptrdiff_t'"),
            (lambda: it.advance(None), TypeError, "in method 'SwigPyIterator_advance', argument 2 of type 'ptrdiff_t'"),
            (lambda: it.incr(-1), OverflowError, "in method 'SwigPyIterator_incr', argument 2 of type 'size_t'"),
            (lambda: it.distance(None), ValueError,
             "invalid null reference in method 'SwigPyIterator_distance', argument 2 of type "
             "'swig::SwigPyIterator const &'"),
            (lambda: m.SwigPyIterator___sub__(it, 1, 2), TypeError,
             'SwigPyIterator___sub__ expected 2 arguments, got 3\nAdditional information:\n' + overload_text(
                 'SwigPyIterator___sub__', 'swig::SwigPyIterator::operator -(ptrdiff_t) const',
                 'swig::SwigPyIterator::operator -(swig::SwigPyIterator const &) const')),
            (lambda: m.SwigPyIterator___sub__(it, 'x'), TypeError, overload_text(
                'SwigPyIterator___sub__', 'swig::SwigPyIterator::operator -(ptrdiff_t) const',
                'swig::SwigPyIterator::operator -(swig::SwigPyIterator const &) const')),
            (lambda: m.SwigPyIterator_value(None), TypeError,
             "in method 'SwigPyIterator_value', argument 1 of type 'swig::SwigPyIterator const *'"),
        ]
        support.assert_each_raises(self, cases)

    def test_every_iterator_keeps_its_vector_alive(self):
        for make in (lambda v: v.iterator(), lambda v: v.begin(), lambda v: v.rbegin(), lambda v: v.end() - 1):
            it = make(S(['only']))
            gc.collect()
            self.assertEqual(it.value(), 'only')

    def test_iterators_follow_a_changing_vector(self):
        v = S(ABC)
        it = v.begin() + 2
        v.clear()
        self.assertRaises(StopIteration, it.value)
        for _ in range(1000):
            v.append('x')
        self.assertEqual(it.value(), 'x')

    def test_an_iterator_of_a_freed_vector_reads_nothing(self):
        v = S(ABC)
        its = [v.iterator(), v.begin(), v.rbegin()]
        m.delete_StringVector(v)
        for it in its:
            self.assertRaises(StopIteration, it.value)
            self.assertRaises(StopIteration, it.incr)
            self.assertRaises(StopIteration, it.decr)

    def test_iterators_have_no_constructor(self):
        self.assertFalse(hasattr(m, 'new_SwigPyIterator'))
        with self.assertRaises(AttributeError):
            P.SwigPyIterator()


def outcome(call):
    """What a call answers: ('value', result) or (exception type, message)."""
    try:
        return ('value', call())
    except Exception as error:  # every failure is compared, whatever it is
        return (type(error), str(error))


def slot(cls, name):
    """The function in one of a (heap) class's slots."""
    import ctypes
    get_slot = ctypes.pythonapi.PyType_GetSlot
    get_slot.argtypes, get_slot.restype = [ctypes.py_object, ctypes.c_int], ctypes.c_void_p
    return get_slot(cls, {'mp_subscript': 5, 'tp_iternext': 63}[name])


class IntSubclass(int):
    pass


class Slots(unittest.TestCase):
    """v[i] and the steps of a for loop answer exactly as the methods
    __getitem__ and __next__ do, whatever the key, the iterator or the
    state of the vector, and an overriding method is always the one called."""

    KEYS = [0, 1, 2, -1, -3, 3, -4, 2**62, -2**62, 2**63, -2**63 - 1, 2**64, True, False, IntSubclass(1),
            IntSubclass(7), 1.0, '1', None, slice(1, None), slice(None, None, -1), slice(0, 3, 0), (1,)]

    def vectors(self):
        return [(S, S(ABC)), (U, U([5, 2**64 - 1, 0])), (S, S()), (U, U())]

    def test_the_classes_have_slots_of_their_own(self):
        # else the comparisons below would compare the method with itself
        for cls in (S, U):
            subclass = type('Sub', (cls,), {})
            self.assertNotEqual(slot(cls, 'mp_subscript'), slot(subclass, 'mp_subscript'))
        iterator_subclass = type('Sub', (P.SwigPyIterator,), {})
        self.assertNotEqual(slot(P.SwigPyIterator, 'tp_iternext'), slot(iterator_subclass, 'tp_iternext'))

    def test_indexing_answers_as_getitem(self):
        for cls, vector in self.vectors():
            for key in self.KEYS:
                with self.subTest(cls=cls.__name__, size=len(vector), key=key):
                    by_slot = outcome(lambda: vector[key])
                    by_method = outcome(lambda: cls.__getitem__(vector, key))
                    if isinstance(by_slot[1], cls):
                        by_slot, by_method = list(by_slot[1]), list(by_method[1])
                    self.assertEqual(by_slot, by_method)

    def test_a_freed_vector_answers_as_getitem(self):
        for cls, delete in ((S, m.delete_StringVector), (U, m.delete_UniqueIDVector)):
            vector = cls(cls is S and ABC or [1, 2, 3])
            delete(vector)
            for key in (0, -1, slice(0, 1)):
                with self.subTest(cls=cls.__name__, key=key):
                    by_slot = outcome(lambda: vector[key])
                    self.assertEqual(by_slot, outcome(lambda: cls.__getitem__(vector, key)))
                    self.assertIs(by_slot[0], TypeError)

    def test_items_come_back_as_the_method_converts_them(self):
        cases = [(S, ['', 'entity', '\u00e9\u4e2d\U0001f600', 'nul\0inside']),
                 (U, [0, 1, 2**63, 2**64 - 1])]
        for cls, items in cases:
            vector = cls(items)
            for i, item in enumerate(items):
                with self.subTest(cls=cls.__name__, item=item):
                    self.assertEqual(vector[i], item)
                    self.assertIs(type(vector[i]), type(item))
                    self.assertEqual(vector[i - len(items)], item)

    def test_iteration_answers_as_next(self):
        def kinds(vector):
            return {'iterator': vector.iterator, 'begin': vector.begin, 'rbegin': vector.rbegin,
                    'end': vector.end, 'rend': vector.rend, 'end - 1': lambda: vector.end() - 1}

        for cls, vector in self.vectors():
            for kind, make in kinds(vector).items():
                if kind == 'end - 1' and not vector:
                    continue
                with self.subTest(cls=cls.__name__, size=len(vector), kind=kind):
                    by_slot, by_method = make(), make()
                    for _ in range(len(vector) + 2):
                        self.assertEqual(outcome(lambda: next(by_slot)),
                                         outcome(lambda: P.SwigPyIterator.__next__(by_method)))
                        self.assertEqual(outcome(by_slot.value), outcome(by_method.value))

    def test_iteration_follows_a_changing_or_freed_vector(self):
        v = S(ABC)
        seen = []
        for item in v:
            seen.append(item)
            if item == 'a':
                v.append('d')
            if item == 'c':
                del v[0:]
        self.assertEqual(seen, ['a', 'b', 'c'])
        v = U([1, 2, 3])
        it = iter(v)
        self.assertEqual(next(it), 1)
        m.delete_UniqueIDVector(v)
        with self.assertRaises(StopIteration) as raised:
            next(it)
        self.assertEqual(raised.exception.args, ())

    def test_an_iterator_follows_any_change_of_its_pointer_object(self):
        first, second = U([1, 2, 3, 4]), U([10, 20, 30, 40])
        a, b = iter(first), iter(second)
        self.assertEqual([next(a), next(b), next(a), next(b)], [1, 10, 2, 20])
        a.note = 'another attribute'  # the dictionary changes, "this" stays
        self.assertEqual(next(a), 3)
        a.this = iter(second).this  # another iterator's pointer object
        self.assertEqual([next(a), next(a), next(b)], [10, 20, 30])
        del a.this
        self.assertEqual(outcome(lambda: next(a)), outcome(lambda: P.SwigPyIterator.__next__(a)))
        self.assertIs(outcome(lambda: next(a))[0], TypeError)
        c = iter(first)
        next(c)
        m.delete_SwigPyIterator(c)
        self.assertEqual(outcome(lambda: next(c)), outcome(lambda: P.SwigPyIterator.__next__(c)))

    def test_an_iterator_follows_a_change_of_its_class(self):
        result = support.run_without_host('''
            import PluginInterfaces as P
            other = iter(P.UniqueIDVector([7, 8])).this
            it = iter(P.UniqueIDVector([1, 2, 3]))
            print(next(it))
            P.SwigPyIterator.this = property(lambda self: other)
            print(next(it), next(it))
            del P.SwigPyIterator.this
            print(next(it))
        ''')
        self.assertEqual(result.stdout.split(), ['1', '7', '8', '2'], result.stderr)

    def test_overriding_methods_are_called(self):
        class Doubled(U):
            def __getitem__(self, key):
                return 2 * U.__getitem__(self, key)

        class Plain(U):
            pass

        class Counted(P.SwigPyIterator):
            pass

        self.assertEqual(Doubled([4])[0], 8)
        self.assertEqual(Plain([4])[0], 4)
        self.assertEqual(Plain([4])[-1], 4)
        self.assertEqual(outcome(lambda: Plain([4])[1])[0], IndexError)
        it = U([1, 2]).iterator()
        it.__class__ = Counted
        self.assertEqual(list(it), [1, 2])

    def test_a_method_replaced_on_the_class_is_called(self):
        # run in a fresh interpreter: the replacement would outlive this test
        result = support.run_without_host('''
            import PluginInterfaces as P
            v = P.UniqueIDVector([4, 5])
            own_getitem = P.UniqueIDVector.__dict__['__getitem__']
            own_next = P.SwigPyIterator.__dict__['__next__']
            P.UniqueIDVector.__getitem__ = lambda self, key: ('replaced', key)
            P.SwigPyIterator.__next__ = lambda self: 'replaced next'
            print(v[0], next(v.iterator()))
            del P.UniqueIDVector.__getitem__
            try:
                v[0]
            except TypeError as error:
                print('TypeError', error)
            P.UniqueIDVector.__getitem__ = own_getitem
            P.SwigPyIterator.__next__ = own_next
            print(v[0], v[-1], next(v.iterator()), list(v))
        ''')
        self.assertEqual(result.stdout.splitlines(), [
            "('replaced', 0) replaced next",
            "TypeError 'UniqueIDVector' object is not subscriptable",
            '4 5 4 [4, 5]',
        ])


class SequenceArguments(unittest.TestCase):
    """A vector argument taken by const reference accepts any sequence."""

    def test_setslice_accepts_vectors_and_sequences(self):
        for source in (['x', 'y'], ('x', 'y'), S(['x', 'y']), 'xy'):
            with self.subTest(repr(source)):
                v = S(ABC)
                m.StringVector___setslice__(v, 0, 3, source)
                self.assertEqual(list(v), ['x', 'y'])

    def test_an_item_that_does_not_convert_fails_the_whole_argument(self):
        u = U([1])
        with self.assertRaises(TypeError) as raised:
            u[0:1] = [1, -1]
        self.assertEqual(str(raised.exception),
                         "in method 'UniqueIDVector___setitem__', argument 3 of type "
                         "'std::vector< unsigned long,std::allocator< unsigned long > > const &'")
        self.assertEqual(list(u), [1])


class Documentation(unittest.TestCase):

    def test_constructor_docstring(self):
        self.assertEqual(
            m.new_StringVector.__doc__,
            '\nStringVector()\nStringVector(StringVector other)\n\n'
            'Parameters\n----------\nother: std::vector< std::string > const &\n\n'
            'StringVector(std::vector< std::string >::size_type size)\n\n'
            'Parameters\n----------\nsize: std::vector< std::string >::size_type\n\n'
            'new_StringVector(std::vector< std::string >::size_type size, '
            'std::vector< std::string >::value_type const & value) -> StringVector\n\n'
            'Parameters\n----------\nsize: std::vector< std::string >::size_type\n'
            'value: std::vector< std::string >::value_type const &\n\n')

    def test_one_line_forms(self):
        self.assertEqual(m.StringVector___len__.__doc__,
                         'StringVector___len__(StringVector self) -> std::vector< std::string >::size_type')
        self.assertEqual(m.UniqueIDVector_iterator.__doc__,
                         'UniqueIDVector_iterator(UniqueIDVector self) -> SwigPyIterator')
        self.assertEqual(m.SwigPyIterator_copy.__doc__, 'SwigPyIterator_copy(SwigPyIterator self) -> SwigPyIterator')


if __name__ == '__main__':
    unittest.main()
