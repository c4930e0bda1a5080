"""The simulated host in-process, as a plug-in author's own tests use it."""

import unittest

import karven_sim


def setUpModule():
    global host, P
    host = karven_sim.start()
    import PluginInterfaces as P


class Collector(object):
    pass


def make_callback(received, fail=False):
    class Callback(P.SignalCallback):
        def callback(self, name, data):
            received.append(name)
            if fail:
                raise KeyError(name)
    return Callback()


class SimulatedHost(unittest.TestCase):

    def setUp(self):
        host.restart()
        self.client = P.SignalClient()
        self.assertEqual(self.client.bind(P.cvar.SIGNAL_SERVICE_NAME), 0)
        self.signals = self.client.getInterface()

    def tearDown(self):
        self.client.unbind(P.cvar.SIGNAL_SERVICE_NAME)

    def test_the_trace_shows_each_request_with_its_answer(self):
        bind = [e for e in host.trace() if e['name'] == 'PI_SERVERFUNC_SERVICES']
        self.assertEqual(len(bind), 1)
        self.assertEqual(bind[0]['request']['block']['ints'], [0, 1])
        self.assertEqual(bind[0]['request']['block']['strs'], [P.cvar.SIGNAL_SERVICE_NAME])
        self.assertEqual(bind[0]['request']['block']['ptrs'], [int(self.client.this)])
        self.assertEqual(bind[0]['answered']['ints'], [0, 0])
        self.assertIn('322 PI_SERVERFUNC_SERVICES ints=[0, 1]', host.trace_text())
        self.assertTrue(host.trace_text().splitlines()[-1].endswith('-> ints[1]=0'))

    def test_the_host_reports_a_plugin_context(self):
        lookups = [e for e in host.trace() if e['name'] == 'PI_SERVERFUNC_CALL_CONTEXT']
        self.assertTrue(lookups)
        self.assertNotEqual(lookups[0]['answered']['ptrs'], [0])

    def test_fired_signals_reach_python_callbacks(self):
        received = []
        callback = make_callback(received)
        self.signals.addCallback(P.cvar.APPEND_DATA_SIGNAL, callback)
        try:
            self.assertEqual(host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), 1)
            self.assertEqual(host.fire_signal('nobody listens'), 0)
        finally:
            self.signals.removeCallback(P.cvar.APPEND_DATA_SIGNAL, callback)
        self.assertEqual(received, [P.cvar.APPEND_DATA_SIGNAL])
        self.assertEqual(host.state()['services']['signals']['fired'],
                         [P.cvar.APPEND_DATA_SIGNAL, 'nobody listens'])

    def test_an_exception_in_a_callback_comes_out_of_fire_signal(self):
        received = []
        callback = make_callback(received, fail=True)
        self.signals.addCallback('boom', callback)
        try:
            with self.assertRaises(KeyError):
                host.fire_signal('boom')
        finally:
            self.signals.removeCallback('boom', callback)
        self.assertEqual(received, ['boom'])

    def test_state_shows_bindings(self):
        bound = host.state()['services']['bindings'][P.cvar.SIGNAL_SERVICE_NAME]
        self.assertEqual(bound, [int(self.client.this)])

    def test_restart_forgets_the_trace(self):
        host.clear_trace()
        self.assertEqual(host.trace(), [])
        self.assertEqual(host.trace_text(), '')


if __name__ == '__main__':
    unittest.main()
