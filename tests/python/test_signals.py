"""Python subclasses of SignalCallback receiving signals through the director."""

import gc
import sys
import unittest
import weakref

import support
from support import argument_error as arg

support.host()
import _PluginInterfaces as m  # noqa: E402
import PluginInterfaces as P  # noqa: E402

CALLBACK = 'PluginClient::Interfaces::SignalCallback *'


class Signals(support.HostTest):

    def setUp(self):
        super().setUp()
        self.signals = self.interface(P.SignalClient, P.cvar.SIGNAL_SERVICE_NAME)
        self.received = []
        self.Recorder = lambda: support.callback(lambda name, data: (self.received.append((name, data)), 'ignored'))

    def register(self, name, callback):
        self.assertEqual(self.signals.addCallback(name, callback), 0)
        self.addCleanup(self.signals.removeCallback, name, callback)
        return callback

    def test_a_callback_sees_the_name_as_str_and_the_payload_borrowed(self):
        names = ['plain', '', 'caf\u00e9 \u5730\u56fe \U0001f30d', 'a\0b', 'x' * 10000]
        for name in names:
            self.register(name, self.Recorder())
        payload = P.SignalData()
        for name in names:
            self.assertEqual(self.signals.fireCallbacks(name, payload), 1)
        self.assertEqual(self.signals.fireCallbacks(names[0], None), 1)
        self.assertEqual(self.signals.fireCallbacks('nobody', None), 0)
        self.assertEqual([(type(n), n) for n, _ in self.received], [(str, n) for n in names + names[:1]])
        kept = self.received[0][1]
        gc.collect()
        self.assertIsInstance(kept, P.SignalData)
        self.assertEqual((int(kept.this), kept.thisown), (int(payload.this), False), 'a kept proxy stays valid')
        self.assertIsNone(self.received[-1][1])
        everything = self.Recorder()
        self.assertEqual(self.signals.addGlobalCallback(everything), 0)
        self.signals.fireCallbacks('to all', None)
        self.assertEqual(self.signals.removeGlobalCallback(everything), 0)
        self.signals.fireCallbacks('after', None)
        self.assertEqual([n for n, _ in self.received[-1:]], ['to all'])

    def test_the_data_proxy_of_a_signal_looks_new_to_the_next_whatever_was_done_with_it(self):
        class Changed(P.SignalData):
            pass

        first, second = P.SignalData(), P.SignalData()
        address = int(first.this)
        cases = [
            ('left alone', lambda data: None, lambda kept, data: True),
            ('kept', lambda data: data, lambda kept, data: kept is not data and int(kept.this) == address),
            ('weakly referenced', weakref.ref, lambda kept, data: kept() is None),
            ('given an attribute', lambda data: setattr(data, 'mark', 1), lambda kept, data: not hasattr(data, 'mark')),
            ('its pointer object kept', lambda data: data.this, lambda kept, data: int(kept) == address),
            ('its dictionary kept', vars, lambda kept, data: vars(data) is not kept and list(kept) == ['this']),
            ('its class changed', lambda data: setattr(data, '__class__', Changed),
             lambda kept, data: type(data) is P.SignalData),
        ]
        for case, action, check in cases:
            with self.subTest(case):
                kept, seen = [], []

                def receive(name, data):
                    if data is None:
                        return seen.append(None)
                    seen.append((type(data), data.thisown, int(data.this), list(vars(data)), sys.getrefcount(data),
                                 not kept or check(kept[0], data)))
                    if not kept:
                        kept.append(action(data))

                receiver = self.register('k', support.callback(receive))
                for payload in (first, None, second):
                    self.signals.fireCallbacks('k', payload)
                    gc.collect()
                    lent = [o for o in gc.get_objects()
                            if isinstance(o, P.SignalData) and all(o is not x for x in [first, second] + kept)]
                    self.assertEqual(lent, [], 'no proxy of a signal outlives it where Python can see it')
                references = seen[0][4]
                self.assertEqual(seen, [(P.SignalData, False, address, ['this'], references, True), None,
                                        (P.SignalData, False, int(second.this), ['this'], references, True)])
                self.signals.removeCallback('k', receiver)

    def test_a_callback_that_fires_signals_itself(self):
        inner = ['inner.%d' % i for i in range(300)]
        first, second = P.SignalData(), P.SignalData()
        seen, everything = [], []

        def outer(name, data):
            before = int(data.this)
            for other in inner:
                self.signals.fireCallbacks(other, second)
            seen.append((name, before, int(data.this)))

        self.register('outer', support.callback(outer))
        self.register('outer', support.callback(lambda name, data: seen.append((name, int(data.this)))))
        every = support.callback(lambda name, data: everything.append((name, int(data.this))))
        self.assertEqual(self.signals.addGlobalCallback(every), 0)
        for _ in range(2):
            self.signals.fireCallbacks('outer', first)
        self.signals.removeGlobalCallback(every)
        here, there = int(first.this), int(second.this)
        self.assertEqual(seen, [('outer', here, here), ('outer', here)] * 2)
        self.assertEqual(everything, ([(name, there) for name in inner] + [('outer', here)]) * 2)

    def test_refusals(self):
        def failing(name, data):
            raise ValueError('boom ' + name)

        self.register('y', support.callback(failing))
        silent = self.register('z', type('Silent', (P.SignalCallback,), {})())
        no_init = type('NoInit', (P.SignalCallback,), {'__init__': lambda self: None})
        name_type = 'std::string const &'
        pure = 'SWIG director pure virtual method called PluginClient::Interfaces::SignalCallback::callback'
        support.assert_each_raises(self, [
            (lambda: self.signals.fireCallbacks('y', None), ValueError, 'boom y'),
            (lambda: self.signals.fireCallbacks('z', None), RuntimeError, pure),
            (lambda: silent.callback('z', None), RuntimeError, pure),
            (P.SignalCallback, RuntimeError, 'accessing abstract class or protected constructor'),
            (lambda: self.signals.addCallback('w', no_init()), TypeError, arg('SignalInterface_addCallback', 3, CALLBACK)),
            (lambda: m.SignalCallback_callback(silent, 'a', 1), TypeError,
             arg('SignalCallback_callback', 3, 'PluginClient::Interfaces::SignalData *')),
            (lambda: m.disown_SignalCallback(1), TypeError, arg('disown_SignalCallback', 1, CALLBACK)),
        ] + [(lambda name=name: self.signals.fireCallbacks(name, None), error,
              arg('SignalInterface_fireCallbacks', 2, name_type, null=name is None))
             for name, error in (('\ud800', TypeError), (b'bytes', TypeError), (None, ValueError), (7, TypeError))])
        self.assertTrue(self.signals.hasCallbacks('y'), 'usable after a callback raised')

    def test_a_registration_takes_no_reference_and_disown_takes_one(self):
        recorder = self.Recorder()
        before = sys.getrefcount(recorder)
        self.assertEqual((self.signals.addCallback('a', recorder), self.signals.addGlobalCallback(recorder),
                          self.signals.addCallback('a', recorder)), (0, 0, 1))
        self.assertEqual(sys.getrefcount(recorder), before)
        self.assertEqual((self.signals.removeCallback('a', recorder), self.signals.removeCallback('a', recorder),
                          self.signals.removeGlobalCallback(recorder)), (0, 1, 0))
        m.disown_SignalCallback(recorder)
        m.disown_SignalCallback(recorder)
        self.assertIsNone(m.disown_SignalCallback(None))
        self.assertEqual(sys.getrefcount(recorder), before + 1)
        recorder.thisown = False
        kept = self.Recorder()
        kept.__disown__()
        self.register('k', kept)
        del kept
        gc.collect()
        self.signals.fireCallbacks('k', None)
        self.assertEqual([n for n, _ in self.received], ['k'])


if __name__ == '__main__':
    unittest.main()
