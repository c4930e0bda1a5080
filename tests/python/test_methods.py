"""The proxy classes' methods, made by SWIG_PyInstanceMethod_New, behave as
the interpreter's own instance-method object around the same function."""

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


def outcome(action, named=()):
    """What an action gives: ('value', repr without addresses) or (exception
    type, text with the objects in `named` as 'CALLABLE', type of the cause)."""
    try:
        return ('value', repr(action()).split(' at 0x')[0])
    except BaseException as error:  # noqa: B902 - every outcome is compared
        text = str(error)
        for obj in named:
            text = text.replace(repr(obj), 'CALLABLE')
        return (type(error), text, type(error.__cause__))


def python_callable(self, *args, **kwargs):
    return ('called', type(self).__name__, args, sorted(kwargs.items()))


def with_proxy_docstring(function):
    """The module's own functions are wrapped in their copies that carry the
    docstrings of the proxy methods; the class gives that copy back."""
    if getattr(function, '__self__', None) is flat:
        return getattr(P.SignalClient, function.__name__[len('SignalClient_'):])
    return function


def twins(functions):
    """Two classes that differ only in how their methods are made."""
    return [type(name, (P.SignalClient,), {'f%d' % i: wrap(f) for i, f in enumerate(functions)}) for name, wrap in (
        ('Ours', flat.SWIG_PyInstanceMethod_New),
        ('Interpreters', lambda function: _interpreter_instance_method(with_proxy_docstring(function))))]


# What is done with a method `f` of class `cls`, stored there as `d`, and an instance `obj`.
ACTIONS = [
    ('call with the instance alone', lambda cls, obj, f, d: getattr(obj, f)()),
    ('call with a keyword', lambda cls, obj, f, d: getattr(obj, f)(key=1)),
    ('call through the class, nothing given', lambda cls, obj, f, d: getattr(cls, f)()),
    ('call the stored object with a keyword', lambda cls, obj, f, d: d(obj, key=2)),
    ('map the stored object over instances', lambda cls, obj, f, d: list(map(d, [obj, obj]))),
    ('bound method', lambda cls, obj, f, d: (type(getattr(obj, f)).__name__, getattr(obj, f).__self__ is obj)),
    ('__get__', lambda cls, obj, f, d: (d.__get__(None, cls), d.__get__(obj).__self__ is obj, d.__get__(42))),
    ('repr', lambda cls, obj, f, d: repr(d).split(' at 0x')[0]),
    ('attributes', lambda cls, obj, f, d: (d.__func__, d.__doc__, d.__name__, d.__qualname__, d.__text_signature__)),
    ('set an attribute', lambda cls, obj, f, d: setattr(d, 'x', 1)),
    ('set __func__', lambda cls, obj, f, d: setattr(d, '__func__', len)),
    ('hash', lambda cls, obj, f, d: hash(d) == hash(d.__func__)),
    ('compared', lambda cls, obj, f, d: (d == type(d)(d.__func__), d != d.__func__)),
    ('ordered', lambda cls, obj, f, d: d < d),
    ('type', lambda cls, obj, f, d: (type(d).__name__, type(d).__qualname__, type(d).__module__, type(d).__doc__,
                                     sorted(dir(type(d))))),
    ('made from the type', lambda cls, obj, f, d: type(d)(len)('abc')),
    ('made from the type, not callable', lambda cls, obj, f, d: type(d)(1)),
    ('subclassed', lambda cls, obj, f, d: type('Sub', (type(d),), {})),
    ('pickled', lambda cls, obj, f, d: pickle.dumps(d)),
    ('inspected', lambda cls, obj, f, d: (inspect.ismethoddescriptor(d), inspect.isroutine(d),
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
        ours, theirs = twins([function for _, function in FUNCTIONS])
        for index, (kind, _) in enumerate(FUNCTIONS):
            for action_name, action in ACTIONS:
                with self.subTest(function=kind, action=action_name):
                    name = 'f%d' % index
                    mine, reference = [tuple(str(part).replace(cls.__name__, 'X') for part in outcome(
                        lambda: action(cls, cls(), name, cls.__dict__[name]))) for cls in (ours, theirs)]
                    self.assertEqual(mine, reference)

    def test_errors_of_the_flat_function_reach_the_caller_unchanged(self):
        client = P.SignalClient()
        for call, flat_call in [
            (lambda: P.StringVector.__getitem__(client, 0), lambda: flat.StringVector___getitem__(client, 0)),
            (lambda: P.SignalClient.isValid(P.StringVector()), lambda: flat.SignalClient_isValid(P.StringVector())),
            (lambda: client.isValid(1), lambda: flat.SignalClient_isValid(client, 1)),
            (lambda: client.isValid(key=1), lambda: flat.SignalClient_isValid(client, key=1)),
        ]:
            self.assertEqual(outcome(call), outcome(flat_call))
            self.assertNotEqual(outcome(call)[0], 'value')

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


class FunctionsThatBreakTheCallingConvention(unittest.TestCase):
    """A C function that returns no result without an exception, or a result
    with one pending, is reported as a SystemError with the pending exception
    as its cause, in the interpreter's words; only the object named (the
    function, the method object or the slot wrapper) may differ."""

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
                        mine = outcome(lambda: action(mine_cls, mine_cls()), (function, ours) + slot)
                        reference = outcome(lambda: action(their_cls, their_cls()), (function, theirs) + slot)
                        self.assertEqual(mine, reference)
                        self.assertEqual(mine[0] is SystemError, name != 'right_result')
                        if prefix and name == 'result_with_exception':
                            self.assertIn(repr(function), outcome(lambda: action(mine_cls, mine_cls()))[1])


if __name__ == '__main__':
    unittest.main()
