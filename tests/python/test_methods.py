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


def ours(function):
    """A method as the proxy module makes it; the functions of _misbehaving
    are taken for the module's own, which a method call may enter directly."""
    if getattr(function, '__self__', None) is _misbehaving:
        return _misbehaving.own_method(function)
    return flat.SWIG_PyInstanceMethod_New(function)


def twins(function):
    """Two classes with the method `f` (also their `__len__`) of `function`
    that differ only in how the method is made."""
    theirs = _interpreter_instance_method(with_proxy_docstring(function))
    methods = ('Ours', ours(function)), ('Interpreters', theirs)
    return [type(name, (P.SignalClient,), {'f': method, '__len__': method}) for name, method in methods]


# What is done with the method of class `cls`, stored there as `d`, and an instance `obj`.
ACTIONS = [
    ('call with a keyword', lambda cls, obj, d: obj.f(key=1)),
    ('call with one more argument', lambda cls, obj, d: obj.f(1)),
    ('call with an object of another class', lambda cls, obj, d: d(P.StringVector())),
    ('call through the class, nothing given', lambda cls, obj, d: cls.f()),
    ('call the stored object with a keyword', lambda cls, obj, d: d(obj, key=2)),
    ('bound method', lambda cls, obj, d: (type(obj.f).__name__, obj.f.__self__ is obj)),
    ('__get__', lambda cls, obj, d: (d.__get__(None, cls), d.__get__(obj).__self__ is obj, d.__get__(42))),
    ('repr', lambda cls, obj, d: repr(d).split(' at 0x')[0]),
    ('attributes', lambda cls, obj, d: (d.__func__, d.__doc__, d.__name__, d.__qualname__,
                                        d.__text_signature__)),
    ('set an attribute', lambda cls, obj, d: setattr(d, 'x', 1)),
    ('set __func__', lambda cls, obj, d: setattr(d, '__func__', len)),
    ('hash', lambda cls, obj, d: hash(d) == hash(d.__func__)),
    ('compared', lambda cls, obj, d: (d == type(d)(d.__func__), d != d.__func__)),
    ('ordered', lambda cls, obj, d: d < d),
    ('type', lambda cls, obj, d: (type(d).__name__, type(d).__qualname__, type(d).__module__, type(d).__doc__,
                                  sorted(dir(type(d))))),
    ('made from the type', lambda cls, obj, d: type(d)(len)('abc')),
    ('made from the type, not callable', lambda cls, obj, d: type(d)(1)),
    ('subclassed', lambda cls, obj, d: type('Sub', (type(d),), {})),
    ('pickled', lambda cls, obj, d: pickle.dumps(d)),
    ('inspected', lambda cls, obj, d: (inspect.ismethoddescriptor(d), inspect.isroutine(d),
                                       str(inspect.signature(obj.f)))),
]

# The ways of calling the method with the instance alone.
CALLS = [
    ('method call', lambda cls, obj, d: obj.f()),
    ('bound method called', lambda cls, obj, d: (lambda bound: bound())(obj.f)),
    ('the stored object called', lambda cls, obj, d: d(obj)),
    ('unpacked arguments', lambda cls, obj, d: d(*[obj])),
    ('an empty keyword dict', lambda cls, obj, d: d(obj, **{})),
    ('map', lambda cls, obj, d: list(map(d, [obj, obj]))),
    ('the __call__ slot', lambda cls, obj, d: type(d).__call__(d, obj)),
    ('a special method', lambda cls, obj, d: len(obj)),
]

# C functions that break the calling convention (no result without an
# exception, a result with one pending) and one that keeps it.
MISBEHAVING = [prefix + name for prefix in ('', 'tuple_')
               for name in ('null_without_exception', 'result_with_exception', 'right_result')]

FUNCTIONS = [
    ('one-argument flat function', flat.SignalClient_isValid),
    ('flat function taking a tuple', flat.SignalClient_onServiceConnected),
    ('builtin of the interpreter', len),
    ('Python function', python_callable),
    ('callable object', functools.partial(python_callable)),
    ('not callable', 7),
] + [(name, getattr(_misbehaving, name)) for name in MISBEHAVING]


class SameAsTheInterpretersInstanceMethod(unittest.TestCase):

    def test_every_action_on_every_kind_of_function(self):
        """A function that breaks the calling convention is reported as a
        SystemError with the pending exception as its cause, in the
        interpreter's words; only the object named (the function, the method
        object or the slot wrapper) may differ."""
        for kind, function in FUNCTIONS:
            classes = twins(function)
            methods = [cls.__dict__['f'] for cls in classes]
            named = [function] + methods + [type(d).__call__ for d in methods]
            for action_name, action in ACTIONS + CALLS:
                with self.subTest(function=kind, action=action_name):
                    mine, reference = [tuple(str(part).replace(cls.__name__, 'X') for part in outcome(
                        lambda: action(cls, cls(), cls.__dict__['f']), named)) for cls in classes]
                    self.assertEqual(mine, reference)
                    if kind in MISBEHAVING and (action_name, action) in CALLS:
                        raw = outcome(lambda: action(classes[0], classes[0](), methods[0]))
                        self.assertEqual(raw[0] is SystemError, not kind.endswith('right_result'))
                        if kind == 'tuple_result_with_exception':
                            self.assertIn(repr(function), raw[1], 'the function is named, not its method')

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


if __name__ == '__main__':
    unittest.main()
