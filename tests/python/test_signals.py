"""Python subclasses of SignalCallback receiving signals through the director."""

import gc
import sys
import unittest
import weakref

import support


def setUpModule():
    global P, m, host
    host = support.host()
    import _PluginInterfaces as m
    import PluginInterfaces as P


class Recorder:
    pass


class Signals(unittest.TestCase):

    def setUp(self):
        host.reset()
        self.client = P.SignalClient()
        self.client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        self.signals = self.client.getInterface()
        self.registered = []

    def tearDown(self):
        for name, callback in self.registered:
            self.signals.removeCallback(name, callback)
        self.client.unbind(P.cvar.SIGNAL_SERVICE_NAME)

    def register(self, name, callback):
        self.assertEqual(self.signals.addCallback(name, callback), 0)
        self.registered.append((name, callback))
        return callback

    def test_names_reach_the_host_and_come_back_unchanged(self):
        received = []

        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                received.append(name)

        for name in ['plain', '', 'caf\u00e9 \u5730\u56fe \U0001f30d', 'a\0b', 'x' * 10000]:
            with self.subTest(name=name[:20]):
                received.clear()
                self.register(name, Receiver())
                self.assertEqual(self.signals.fireCallbacks(name, None), 1)
                self.assertEqual(received, [name])
        for name, error, message in [
            ('\ud800', TypeError, "in method 'SignalInterface_fireCallbacks', argument 2 of type 'std::string const &'"),
            (b'bytes', TypeError, "in method 'SignalInterface_fireCallbacks', argument 2 of type 'std::string const &'"),
            (None, ValueError,
             "invalid null reference in method 'SignalInterface_fireCallbacks', argument 2 of type 'std::string const &'"),
            (7, TypeError, "in method 'SignalInterface_fireCallbacks', argument 2 of type 'std::string const &'"),
        ]:
            with self.subTest(name=name):
                with self.assertRaises(error) as raised:
                    self.signals.fireCallbacks(name, None)
                self.assertEqual(str(raised.exception), message)

    def test_callback_receives_name_and_borrowed_payload(self):
        received = []

        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                received.append((name, data))
                return 'ignored'

        self.register('x', Receiver())
        payload = P.SignalData()
        self.assertTrue(self.signals.hasCallbacks('x'))
        self.assertEqual(self.signals.fireCallbacks('x', payload), 1)
        self.assertEqual(self.signals.fireCallbacks('x', None), 1)
        self.assertEqual(self.signals.fireCallbacks('nobody', None), 0)
        (name1, data1), (name2, data2) = received
        self.assertEqual((name1, name2), ('x', 'x'))
        self.assertIsInstance(data1, P.SignalData)
        self.assertEqual(int(data1.this), int(payload.this))
        self.assertFalse(data1.thisown)
        self.assertIsNone(data2)

    def test_the_data_proxy_of_one_signal_looks_new_to_the_next(self):
        seen = []

        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                if data is None:
                    seen.append(None)
                else:
                    seen.append((type(data), data.thisown, int(data.this), list(vars(data)), sys.getrefcount(data)))

        first, second = P.SignalData(), P.SignalData()
        self.register('s', Receiver())
        for payload in (first, second, None, first):
            self.signals.fireCallbacks('s', payload)
            gc.collect()
            lent = [o for o in gc.get_objects() if isinstance(o, P.SignalData) and o is not first and o is not second]
            self.assertEqual(lent, [], 'no proxy of a signal outlives it where Python can see it')
        references = seen[0][4]
        self.assertEqual(seen, [(P.SignalData, False, int(first.this), ['this'], references),
                                (P.SignalData, False, int(second.this), ['this'], references), None,
                                (P.SignalData, False, int(first.this), ['this'], references)])

    def test_the_data_a_callback_kept_or_changed_is_not_handed_out_again(self):
        class Changed(P.SignalData):
            pass

        first, second = P.SignalData(), P.SignalData()
        address = int(first.this)
        cases = [
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
                kept, received = [], []

                class Receiver(P.SignalCallback):
                    def callback(self, name, data):
                        if kept:
                            received.append(data)
                        else:
                            kept.append(action(data))

                receiver = self.register('k', Receiver())
                self.signals.fireCallbacks('k', first)
                self.signals.fireCallbacks('k', second)
                self.assertTrue(check(kept[0], received[0]))
                self.assertEqual(int(received[0].this), int(second.this))
                self.signals.removeCallback('k', receiver)
                self.registered.remove(('k', receiver))

    def test_a_callback_that_fires_signals_itself(self):
        inner = ['inner.%d' % i for i in range(300)]
        first, second = P.SignalData(), P.SignalData()
        seen, everything = [], []

        class Outer(P.SignalCallback):
            def callback(this, name, data):
                before = int(data.this)
                for other in inner:
                    self.signals.fireCallbacks(other, second)
                seen.append((name, before, int(data.this)))

        class Last(P.SignalCallback):
            def callback(this, name, data):
                seen.append((name, int(data.this)))

        class Everything(P.SignalCallback):
            def callback(this, name, data):
                everything.append((name, int(data.this)))

        self.register('outer', Outer())
        self.register('outer', Last())
        every = Everything()
        self.assertEqual(self.signals.addGlobalCallback(every), 0)
        for _ in range(2):
            self.signals.fireCallbacks('outer', first)
        self.signals.removeGlobalCallback(every)
        here, there = int(first.this), int(second.this)
        self.assertEqual(seen, [('outer', here, here), ('outer', here)] * 2)
        self.assertEqual(everything, ([(name, there) for name in inner] + [('outer', here)]) * 2)

    def test_global_callbacks_receive_every_signal(self):
        names = []

        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                names.append(name)

        receiver = Receiver()
        self.assertEqual(self.signals.addGlobalCallback(receiver), 0)
        self.signals.fireCallbacks(P.cvar.APPEND_DATA_SIGNAL, None)
        self.assertEqual(self.signals.removeGlobalCallback(receiver), 0)
        self.signals.fireCallbacks('after', None)
        self.assertEqual(names, [P.cvar.APPEND_DATA_SIGNAL])

    def test_an_exception_in_a_callback_comes_out_of_fire_callbacks(self):
        class Failing(P.SignalCallback):
            def callback(self, name, data):
                raise ValueError('boom ' + name)

        self.register('y', Failing())
        with self.assertRaises(ValueError) as raised:
            self.signals.fireCallbacks('y', None)
        self.assertEqual(str(raised.exception), 'boom y')
        # The module stays usable afterwards.
        self.assertTrue(self.signals.hasCallbacks('y'))

    def test_a_callback_that_is_not_overridden_is_pure_virtual(self):
        class Silent(P.SignalCallback):
            pass

        silent = self.register('z', Silent())
        expected = 'SWIG director pure virtual method called PluginClient::Interfaces::SignalCallback::callback'
        for call in (lambda: self.signals.fireCallbacks('z', None), lambda: silent.callback('z', None)):
            with self.assertRaises(RuntimeError) as raised:
                call()
            self.assertEqual(str(raised.exception), expected)

    def test_base_class_cannot_be_created(self):
        with self.assertRaises(RuntimeError) as raised:
            P.SignalCallback()
        self.assertEqual(str(raised.exception), 'accessing abstract class or protected constructor')

    def test_a_subclass_without_base_init_is_refused(self):
        class NoInit(P.SignalCallback):
            def __init__(self):
                pass

        with self.assertRaises(TypeError) as raised:
            self.signals.addCallback('w', NoInit())
        self.assertEqual(str(raised.exception),
                         "in method 'SignalInterface_addCallback', argument 3 of type "
                         "'PluginClient::Interfaces::SignalCallback *'")

    def test_argument_errors(self):
        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                pass

        receiver = Receiver()
        with self.assertRaises(TypeError) as raised:
            m.SignalCallback_callback(receiver, 'a', 1)
        self.assertEqual(str(raised.exception), "in method 'SignalCallback_callback', argument 3 of type "
                                                "'PluginClient::Interfaces::SignalData *'")
        with self.assertRaises(TypeError) as raised:
            m.disown_SignalCallback(1)
        self.assertEqual(str(raised.exception), "in method 'disown_SignalCallback', argument 1 of type "
                                                "'PluginClient::Interfaces::SignalCallback *'")

    def test_disown_takes_one_reference(self):
        class Receiver(P.SignalCallback):
            def callback(self, name, data):
                pass

        receiver = Receiver()
        before = sys.getrefcount(receiver)
        m.disown_SignalCallback(receiver)
        m.disown_SignalCallback(receiver)
        self.assertIsNone(m.disown_SignalCallback(None))
        self.assertEqual(sys.getrefcount(receiver), before + 1)
        receiver.thisown = False
        alive = []

        class Kept(P.SignalCallback):
            def callback(self, name, data):
                alive.append(name)

        kept = Kept()
        kept.__disown__()
        self.register('k', kept)
        del kept
        gc.collect()
        self.signals.fireCallbacks('k', None)
        self.assertEqual(alive, ['k'])


if __name__ == '__main__':
    unittest.main()
