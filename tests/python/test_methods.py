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
    ('call with a keyword', lambda cls, obj, f: getattr(obj, f)(key=1)),
    ('call through the class, nothing given', lambda cls, obj, f: getattr(cls, f)()),
    ('call the stored object with a keyword', lambda cls, obj, f: cls.__dict__[f](obj, key=2)),
    ('map the stored object over instances', lambda cls, obj, f: list(map(cls.__dict__[f], [obj, obj]))),
    ('bound method', lambda cls, obj, f: (type(getattr(obj, f)).__name__, getattr(obj, f).__self__ is obj)),
    ('__get__', lambda cls, obj, f: (cls.__dict__[f].__get__(None, cls), cls.__dict__[f].__get__(obj).__self__ is obj,
                                     cls.__dict__[f].__get__(42))),
    ('repr', lambda cls, obj, f: repr(cls.__dict__[f]).split(' at 0x')[0]),
    ('attributes', lambda cls, obj, f: (cls.__dict__[f].__func__, cls.__dict__[f].__doc__, cls.__dict__[f].__name__,
                                        cls.__dict__[f].__qualname__, cls.__dict__[f].__text_signature__)),
    ('set an attribute', lambda cls, obj, f: setattr(cls.__dict__[f], 'x', 1)),
    ('set __func__', lambda cls, obj, f: setattr(cls.__dict__[f], '__func__', len)),
    ('hash', lambda cls, obj, f: hash(cls.__dict__[f]) == hash(cls.__dict__[f].__func__)),
    ('compared', lambda cls, obj, f: (cls.__dict__[f] == type(cls.__dict__[f])(cls.__dict__[f].__func__),
                                      cls.__dict__[f] != cls.__dict__[f].__func__)),
    ('ordered', lambda cls, obj, f: cls.__dict__[f] < cls.__dict__[f]),
    ('type', lambda cls, obj, f: (type(cls.__dict__[f]).__name__, type(cls.__dict__[f]).__qualname__,
                                  type(cls.__dict__[f]).__module__, type(cls.__dict__[f]).__doc__,
                                  sorted(dir(type(cls.__dict__[f]))))),
    ('made from the type', lambda cls, obj, f: type(cls.__dict__[f])(len)('abc')),
    ('made from the type, not callable', lambda cls, obj, f: type(cls.__dict__[f])(1)),
    ('subclassed', lambda cls, obj, f: type('Sub', (type(cls.__dict__[f]),), {})),
    ('pickled', lambda cls, obj, f: pickle.dumps(cls.__dict__[f])),
    ('inspected', lambda cls, obj, f: (inspect.ismethoddescriptor(cls.__dict__[f]), inspect.isroutine(cls.__dict__[f]),
                                       str(inspect.signature(getattr(obj, f))))),
]

FUNCTIONS = [
    ('one-argument flat function', flat.SignalClient_isValid),
    ('flat function taking a tuple', flat.SignalClient_onServiceConnected),
    ('builtin of the interpreter', len),
    ('Python function', python_callable),
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
                        if prefix and name == 'result_with_exception':
                            self.assertIn(repr(function), report(lambda: action(mine_cls, mine_cls()), ())[1])


if __name__ == '__main__':
    unittest.main()
