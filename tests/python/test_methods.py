"""The proxy classes' methods: the module makes them with
SWIG_PyInstanceMethod_New. Whatever Python does with one of them must give
what it gives with the interpreter's own instance-method object around the
same function; only the cost of a call differs, and, for a C function that
breaks the calling convention, which object the SystemError names."""

import ctypes
import functools
import gc
import inspect
import pickle
import sys
import unittest
import weakref

import _misbehaving
import _PluginInterfaces as flat
import PluginInterfaces as P

_interpreter_instance_method = ctypes.pythonapi.PyInstanceMethod_New
_interpreter_instance_method.restype = ctypes.py_object
_interpreter_instance_method.argtypes = [ctypes.py_object]


def outcome(action):
    """What an action gives: ('value', repr) or ('raises', type, message),
    with addresses taken out."""
    try:
        result = action()
    except BaseException as error:  # noqa: B902 - every outcome is compared
        return ('raises', type(error), str(error))
    text = repr(result)
    return ('value', text.split(' at 0x')[0] if ' at 0x' in text else text)


def python_callable(self, *args, **kwargs):
    """A plain Python function: keyword arguments and any count."""
    return ('called', type(self).__name__, args, sorted(kwargs.items()))


def with_proxy_docstring(function):
    """The module's own functions are wrapped in their copies that carry the
    docstrings of the proxy methods; the class gives that copy back."""
    if getattr(function, '__self__', None) is flat:
        return getattr(P.SignalClient, function.__name__[len('SignalClient_'):])
    return function


class Twin:
    """Two classes that differ only in how their methods are made."""

    def __init__(self, functions):
        def make(name, wrap):
            body = {'f%d' % i: wrap(function) for i, function in enumerate(functions)}
            return type(name, (P.SignalClient,), body)

        self.ours = make('Ours', flat.SWIG_PyInstanceMethod_New)
        self.interpreters = make('Interpreters',
                                 lambda function: _interpreter_instance_method(with_proxy_docstring(function)))


# What is done with a method `f` of class `cls` and an instance `obj`.
ACTIONS = [
    ('call with the instance alone', lambda cls, obj, f: getattr(obj, f)()),
    ('call with one more argument', lambda cls, obj, f: getattr(obj, f)(1)),
    ('call with two more arguments', lambda cls, obj, f: getattr(obj, f)(1, 'two')),
    ('call with a keyword', lambda cls, obj, f: getattr(obj, f)(key=1)),
    ('call with an empty keyword dict', lambda cls, obj, f: getattr(obj, f)(**{})),
    ('call through the class', lambda cls, obj, f: getattr(cls, f)(obj)),
    ('call through the class, nothing given', lambda cls, obj, f: getattr(cls, f)()),
    ('call through the class with None', lambda cls, obj, f: getattr(cls, f)(None)),
    ('call the stored object', lambda cls, obj, f: cls.__dict__[f](obj)),
    ('call the stored object with a keyword', lambda cls, obj, f: cls.__dict__[f](obj, key=2)),
    ('call the stored object with unpacked arguments', lambda cls, obj, f: cls.__dict__[f](*[obj])),
    ('call the stored object with two unpacked arguments', lambda cls, obj, f: cls.__dict__[f](*[obj, 1])),
    ('map the stored object over instances', lambda cls, obj, f: list(map(cls.__dict__[f], [obj, obj]))),
    ('bound method', lambda cls, obj, f: type(getattr(obj, f)).__name__),
    ('bound method called', lambda cls, obj, f: getattr(obj, f).__call__()),
    ('bound to the instance', lambda cls, obj, f: getattr(obj, f).__self__ is obj),
    ('read from the class', lambda cls, obj, f: getattr(cls, f)),
    ('__get__ without an instance', lambda cls, obj, f: cls.__dict__[f].__get__(None, cls)),
    ('__get__ with None twice', lambda cls, obj, f: cls.__dict__[f].__get__(None, None)),
    ('__get__ with an instance', lambda cls, obj, f: cls.__dict__[f].__get__(obj).__self__ is obj),
    ('__get__ with any object', lambda cls, obj, f: cls.__dict__[f].__get__(42)),
    ('repr', lambda cls, obj, f: repr(cls.__dict__[f]).split(' at 0x')[0]),
    ('__func__', lambda cls, obj, f: cls.__dict__[f].__func__),
    ('__doc__', lambda cls, obj, f: cls.__dict__[f].__doc__),
    ('__name__ from the function', lambda cls, obj, f: cls.__dict__[f].__name__),
    ('__qualname__ from the function', lambda cls, obj, f: cls.__dict__[f].__qualname__),
    ('__text_signature__ from the function', lambda cls, obj, f: cls.__dict__[f].__text_signature__),
    ('missing attribute', lambda cls, obj, f: cls.__dict__[f].no_such_attribute),
    ('set an attribute', lambda cls, obj, f: setattr(cls.__dict__[f], 'x', 1)),
    ('set __func__', lambda cls, obj, f: setattr(cls.__dict__[f], '__func__', len)),
    ('set __doc__', lambda cls, obj, f: setattr(cls.__dict__[f], '__doc__', 'text')),
    ('delete __func__', lambda cls, obj, f: delattr(cls.__dict__[f], '__func__')),
    ('hash', lambda cls, obj, f: hash(cls.__dict__[f])),
    ('equal to itself', lambda cls, obj, f: cls.__dict__[f] == cls.__dict__[f]),
    ('equal to a new one of the same function',
     lambda cls, obj, f: cls.__dict__[f] == type(cls.__dict__[f])(cls.__dict__[f].__func__)),
    ('not equal to a new one of the same function',
     lambda cls, obj, f: cls.__dict__[f] != type(cls.__dict__[f])(cls.__dict__[f].__func__)),
    ('equal to its function', lambda cls, obj, f: cls.__dict__[f] == cls.__dict__[f].__func__),
    ('ordered', lambda cls, obj, f: cls.__dict__[f] < cls.__dict__[f]),
    ('type name', lambda cls, obj, f: (type(cls.__dict__[f]).__name__, type(cls.__dict__[f]).__qualname__,
                                       type(cls.__dict__[f]).__module__)),
    ('type doc', lambda cls, obj, f: type(cls.__dict__[f]).__doc__),
    ('type text signature', lambda cls, obj, f: type(cls.__dict__[f]).__text_signature__),
    ('type attributes', lambda cls, obj, f: sorted(dir(type(cls.__dict__[f])))),
    ('made from the type', lambda cls, obj, f: type(cls.__dict__[f])(len)('abc')),
    ('made from the type, not callable', lambda cls, obj, f: type(cls.__dict__[f])(1)),
    ('made from the type, nothing given', lambda cls, obj, f: type(cls.__dict__[f])()),
    ('made from the type, a keyword', lambda cls, obj, f: type(cls.__dict__[f])(len, x=1)),
    ('made from the type, two given', lambda cls, obj, f: type(cls.__dict__[f])(len, len)),
    ('subclassed', lambda cls, obj, f: type('Sub', (type(cls.__dict__[f]),), {})),
    ('pickled', lambda cls, obj, f: pickle.dumps(cls.__dict__[f])),
    ('pickled with protocol 0', lambda cls, obj, f: pickle.dumps(cls.__dict__[f], 0)),
    ('a method descriptor to inspect', lambda cls, obj, f: (inspect.ismethoddescriptor(cls.__dict__[f]),
                                                            inspect.isroutine(cls.__dict__[f]),
                                                            inspect.ismethod(cls.__dict__[f]))),
    ('signature through the class', lambda cls, obj, f: str(inspect.signature(getattr(cls, f)))),
    ('signature through the instance', lambda cls, obj, f: str(inspect.signature(getattr(obj, f)))),
    ('weak reference', lambda cls, obj, f: weakref.ref(cls.__dict__[f])),
]

FUNCTIONS = [
    ('one-argument flat function', flat.SignalClient_isValid),
    ('flat function taking a tuple', flat.SignalClient_onServiceConnected),
    ('builtin of the interpreter', len),
    ('Python function', python_callable),
    ('class', dict),
    ('callable object', functools.partial(python_callable)),
    ('not callable', 7),
]


class SameAsTheInterpretersInstanceMethod(unittest.TestCase):

    def test_every_action_on_every_kind_of_function(self):
        twin = Twin([function for _, function in FUNCTIONS])
        ours, theirs = twin.ours(), twin.interpreters()
        for index, (kind, _) in enumerate(FUNCTIONS):
            for action_name, action in ACTIONS:
                with self.subTest(function=kind, action=action_name):
                    name = 'f%d' % index
                    mine = outcome(lambda: action(twin.ours, ours, name))
                    reference = outcome(lambda: action(twin.interpreters, theirs, name))
                    mine = tuple(str(part).replace('Ours', 'X') for part in mine)
                    reference = tuple(str(part).replace('Interpreters', 'X') for part in reference)
                    self.assertEqual(mine, reference)

    def test_the_special_methods_of_the_vectors_and_iterators(self):
        vector = P.StringVector(['a', 'b', 'c'])
        ids = P.UniqueIDVector([1, 2, 3])
        cases = [
            ('len', lambda: len(vector), 3),
            ('index', lambda: vector[1], 'b'),
            ('negative index', lambda: ids[-1], 3),
            ('slice', lambda: list(vector[1:]), ['b', 'c']),
            ('iterate', lambda: list(vector), ['a', 'b', 'c']),
            ('iterate ids', lambda: [x for x in ids], [1, 2, 3]),
            ('truth', lambda: bool(P.StringVector()), False),
            ('next', lambda: next(iter(ids)), 1),
            ('contains', lambda: 'c' in vector, True),
        ]
        for name, action, expected in cases:
            with self.subTest(name):
                self.assertEqual(action(), expected)
        for name, action, error in [
            ('index out of range', lambda: vector[3], IndexError),
            ('index of a wrong type', lambda: vector['x'], TypeError),
            ('next past the end', lambda: next(iter(P.StringVector())), StopIteration),
        ]:
            with self.subTest(name):
                self.assertRaises(error, action)

    def test_errors_of_the_flat_function_reach_the_caller_unchanged(self):
        client = P.SignalClient()
        for call, flat_call in [
            (lambda: P.StringVector.__getitem__(client, 0), lambda: flat.StringVector___getitem__(client, 0)),
            (lambda: P.SignalClient.isValid(P.StringVector()), lambda: flat.SignalClient_isValid(P.StringVector())),
            (lambda: client.isValid(1), lambda: flat.SignalClient_isValid(client, 1)),
            (lambda: client.isValid(key=1), lambda: flat.SignalClient_isValid(client, key=1)),
        ]:
            mine, reference = outcome(call), outcome(flat_call)
            self.assertEqual(mine, reference)
            self.assertEqual(mine[0], 'raises')

    def test_a_recursive_method_is_stopped_by_the_recursion_limit(self):
        class Recursive(P.SignalClient):
            again = flat.SWIG_PyInstanceMethod_New(lambda self: self.again())

        limit = sys.getrecursionlimit()
        sys.setrecursionlimit(200)
        try:
            self.assertRaises(RecursionError, Recursive().again)
        finally:
            sys.setrecursionlimit(limit)

    def test_the_function_lives_as_long_as_its_method(self):
        def function(self):
            return 'alive'

        method = flat.SWIG_PyInstanceMethod_New(function)
        watcher = weakref.ref(function)
        del function
        gc.collect()
        self.assertEqual(method.__func__(None), 'alive')
        cycle = {}
        cycle['method'] = flat.SWIG_PyInstanceMethod_New(lambda: cycle)
        watcher = weakref.ref(cycle['method'].__func__)
        del cycle, method
        gc.collect()
        self.assertIsNone(watcher(), 'a cycle through a method is collected')

    def test_the_proxy_keeps_its_pointer_object_where_python_sees_it(self):
        client = P.SignalClient()
        self.assertIs(vars(client)['this'], client.this)
        self.assertTrue(client.isValid() is False)
        client.extra = 1
        self.assertEqual(sorted(vars(client)), ['extra', 'this'])
        self.assertFalse(client.isValid())



# Ways of calling a method `f` (also the class's `__len__`) on an instance.
CALLS = [
    ('method call', lambda cls, obj: obj.f()),
    ('bound method called', lambda cls, obj: (lambda bound: bound())(obj.f)),
    ('the stored object called', lambda cls, obj: cls.__dict__['f'](obj)),
    ('unpacked arguments', lambda cls, obj: cls.__dict__['f'](*[obj])),
    ('an empty keyword dict', lambda cls, obj: cls.__dict__['f'](obj, **{})),
    ('map', lambda cls, obj: list(map(cls.__dict__['f'], [obj]))),
    ('the __call__ slot', lambda cls, obj: type(cls.__dict__['f']).__call__(cls.__dict__['f'], obj)),
    ('a special method', lambda cls, obj: len(obj)),
]


def report(action, named):
    """What a call gives: the exception's type, text and cause, or the value;
    the objects in `named` are replaced by 'CALLABLE' in the text."""
    try:
        return ('value', repr(action()))
    except BaseException as error:  # noqa: B902 - every outcome is compared
        text = str(error)
        for obj in named:
            text = text.replace(repr(obj), 'CALLABLE')
        return (type(error).__name__, text, type(error.__cause__).__name__)


class FunctionsThatBreakTheCallingConvention(unittest.TestCase):
    """A C function that returns no result without an exception, or a result
    with one pending, is reported by the interpreter as a SystemError, with
    the pending exception as its cause. The module's functions never do
    either. These stand-ins check that a method object reports it in the
    interpreter's words, as its own instance method does, and never lets
    the pending exception through as if it had been raised.

    Which object the report names depends on the way of calling, also for
    the interpreter's own instance method (the function, the method object,
    or the slot wrapper): only that name may differ."""

    def test_every_way_of_calling(self):
        for prefix in ('', 'tuple_'):
            for name in ('null_without_exception', 'result_with_exception', 'right_result'):
                function = getattr(_misbehaving, prefix + name)
                ours = _misbehaving.own_method(function)
                theirs = _interpreter_instance_method(function)
                mine_cls = type('Mine', (), {'f': ours, '__len__': ours})
                their_cls = type('Theirs', (), {'f': theirs, '__len__': theirs})
                slot = type(ours).__call__, type(theirs).__call__
                for way, action in CALLS:
                    with self.subTest(function=prefix + name, call=way):
                        mine = report(lambda: action(mine_cls, mine_cls()), (function, ours) + slot)
                        reference = report(lambda: action(their_cls, their_cls()), (function, theirs) + slot)
                        self.assertEqual(mine, reference)
                        if name != 'right_result':
                            self.assertEqual(mine[0], 'SystemError')

    def test_a_function_taking_a_tuple_is_named_as_the_interpreter_names_it(self):
        function = _misbehaving.tuple_result_with_exception
        ours = _misbehaving.own_method(function)
        theirs = _interpreter_instance_method(function)
        mine_cls = type('Mine', (), {'f': ours, '__len__': ours})
        their_cls = type('Theirs', (), {'f': theirs, '__len__': theirs})
        for way, action in CALLS:
            with self.subTest(call=way):
                mine = report(lambda: action(mine_cls, mine_cls()), ())
                reference = report(lambda: action(their_cls, their_cls()), ())
                self.assertEqual(mine, reference)
                self.assertIn(repr(function), mine[1])


if __name__ == '__main__':
    unittest.main()
