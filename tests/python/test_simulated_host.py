"""The simulated host in-process, as a plug-in author's own tests use it."""

import ctypes
import os
import unittest

import karven_sim
from support import run_without_host

PLUGIN_PATH = os.environ.get('KARVEN_SIM_PLUGIN', '')


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

    def test_calls_on_the_interfaces_are_traced_in_order_with_the_requests(self):
        received = []
        callback = make_callback(received)
        host.clear_trace()
        self.assertEqual(self.signals.addCallback('x', callback), 0)
        self.assertFalse(self.signals.hasCallbacks('y'))
        self.client.bind('com.karven/No/Such/Service/1.0')
        calls = [(e['operation'], e['arguments'], e['result']) for e in host.trace() if e['kind'] == 'call']
        self.assertEqual(calls, [('addCallback', {'name': 'x', 'callback': int(callback.this)}, 0),
                                 ('hasCallbacks', {'name': 'y'}, False)])
        self.assertEqual([e['index'] for e in host.trace()], list(range(len(host.trace()))))
        self.assertEqual(host.trace()[-1]['note'], 'no service is published under "com.karven/No/Such/Service/1.0"')
        self.assertNotIn('note', host.trace()[-2])
        self.signals.removeCallback('x', callback)

    def test_the_history_keeps_the_last_entries_and_signals(self):
        self.assertEqual(host.history_limit(), 4096)
        host.set_history_limit(3)
        try:
            host.clear_trace()
            for name in 'abcde':
                self.signals.fireCallbacks(name, None)
            self.assertEqual([(e['index'], e['arguments']['name']) for e in host.trace()], [(2, 'c'), (3, 'd'), (4, 'e')])
            self.assertEqual(host.state()['services']['signals']['fired'][-3:], ['c', 'd', 'e'])
            host.restart()
            self.assertEqual(host.history_limit(), 3, 'a restart keeps the limit')
        finally:
            host.set_history_limit(4096)

    def test_a_million_signals_hold_memory_flat(self):
        def resident_bytes():
            # Under AddressSanitizer the bytes in use: freed memory waits in
            # its quarantine and keeps the resident size growing.
            in_use = getattr(ctypes.CDLL(None), '__sanitizer_get_current_allocated_bytes', None)
            if in_use is not None:
                in_use.restype = ctypes.c_size_t
                return in_use()
            with open('/proc/self/statm') as f:
                return int(f.read().split()[1]) * os.sysconf('SC_PAGE_SIZE')
        fire = self.signals.fireCallbacks
        for _ in range(100000):  # the histories fill up
            fire('flat', None)
        before = resident_bytes()
        for _ in range(900000):
            fire('flat', None)
        self.assertLess(resident_bytes() - before, 2 << 20)
        self.assertEqual(len(host.trace()), host.history_limit())
        self.assertGreaterEqual(host.trace()[-1]['index'], 1000000)


class ScriptedAnswers(unittest.TestCase):
    """What a test scripts the five services to answer, instead of them."""

    def setUp(self):
        host.restart()
        self.clients = {}

    def tearDown(self):
        for name, client in self.clients.items():
            client.unbind(name)

    def interface(self, client_class, name):
        client = self.clients[name] = client_class()
        client.bind(name)
        return client.getInterface()

    def test_an_answer_replaces_the_service_until_forgotten(self):
        writer = self.interface(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME)
        signals = self.interface(P.SignalClient, P.cvar.SIGNAL_SERVICE_NAME)
        locator = self.interface(P.FileLocatorClient, P.cvar.FILE_LOCATOR_SERVICE_NAME)
        writer.setFileName('real.zip')
        cases = [('FileWriterInterface.write', 3, lambda: writer.write(P.FileWriterInterface.ZIP)),
                 ('FileWriterInterface.fileName', 'scripted.zip', writer.fileName),
                 ('FileWriterInterface.cullAngle', 2.5, writer.cullAngle),
                 ('SignalInterface.hasCallbacks', True, lambda: signals.hasCallbacks('x')),
                 ('FileLocatorInterface.getModelTextures', ['a.png', 'b.png'], lambda: locator.getModelTextures('m'))]
        for operation, answer, call in cases:
            with self.subTest(operation):
                host.script_answer(operation, answer)
                expected = tuple(answer) if isinstance(answer, list) else answer
                self.assertEqual(call(), expected)
                self.assertEqual((host.trace()[-1]['result'], host.trace()[-1]['scripted']), (answer, True))
        self.assertEqual(host.state()['services']['fileWriter']['writes'], [], 'the service was not called')
        host.script_answer('FileWriterInterface.write', None)
        self.assertEqual(writer.write(P.FileWriterInterface.ZIP), 0)
        host.forget_answers()
        self.assertEqual((writer.fileName(), signals.hasCallbacks('x')), ('real.zip', False))
        host.restart()
        self.assertEqual(self.interface(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME).write(0), 1,
                         'a restart forgets the answers (and the file name)')

    def test_answers_that_cannot_be_scripted(self):
        cases = [('FileWriterInterface.wirte', 1, "no operation is named 'FileWriterInterface.wirte'"),
                 ('FileWriterInterface.setFileName', 'x', "'FileWriterInterface.setFileName' has no result to script"),
                 ('FileWriterInterface.write', 'three', "'FileWriterInterface.write' cannot answer 'three'"),
                 ('FileWriterInterface.write', 2**31, "'FileWriterInterface.write' cannot answer 2147483648"),
                 ('FileWriterInterface.showGui', 1, "'FileWriterInterface.showGui' cannot answer 1")]
        for operation, answer, message in cases:
            with self.subTest(operation=operation, answer=answer):
                with self.assertRaises(ValueError) as raised:
                    host.script_answer(operation, answer)
                self.assertEqual(str(raised.exception), message)

    def test_the_file_locator_finds_what_the_test_added(self):
        service = P.FileLocatorService()  # its interface is valid while it lives
        locator = service.getInterface()
        host.add_file(P.FileLocatorInterface.MODEL, 'tank.flt', '/data/models/tank.flt')
        host.set_model_textures('tank.flt', ['tank.png', 'tank_n.png'])
        self.assertEqual(locator.locate(P.FileLocatorInterface.MODEL, 'tank.flt'), '/data/models/tank.flt')
        self.assertEqual(locator.locate(P.FileLocatorInterface.GOG, 'tank.flt'), '')
        self.assertEqual(locator.getModelTextures('tank.flt'), ('tank.png', 'tank_n.png'))


class Start(unittest.TestCase):

    def test_start_after_a_hostless_import_refuses(self):
        result = run_without_host('''
            import PluginInterfaces, karven_sim
            try:
                karven_sim.start()
            except RuntimeError as error:
                print(error)
        ''')
        self.assertTrue(result.stdout.startswith('karven_sim.start() comes too late: PluginInterfaces was imported '
                                                 'without a host'), result.stdout + result.stderr)
        self.assertEqual(result.stderr, '')


def load_sample_plugin():
    """The compiled sample plug-in of the tests, driven with ctypes."""
    plugin = ctypes.CDLL(PLUGIN_PATH)
    plugin.sample_plugin_add_timeout.restype = ctypes.c_void_p
    plugin.sample_plugin_open_file.restype = ctypes.c_char_p
    plugin.sample_plugin_open_file.argtypes = [ctypes.c_char_p]
    plugin.sample_plugin_show_dialog.restype = ctypes.c_void_p
    plugin.sample_plugin_show_dialog.argtypes = [ctypes.c_char_p]
    return plugin


@unittest.skipUnless(PLUGIN_PATH, 'KARVEN_SIM_PLUGIN is not set')
class ApplicationEvents(unittest.TestCase):
    """The events a test triggers in the host, seen by a compiled plug-in."""

    @classmethod
    def setUpClass(cls):
        cls.plugin = load_sample_plugin()

    def setUp(self):
        host.restart()
        self.assertEqual(self.plugin.sample_plugin_load(), 0)

    def application(self):
        return host.state()['application']

    def test_run_action_runs_the_plugins_callback(self):
        runs = self.plugin.sample_plugin_action_runs()
        self.assertEqual([host.run_action('Sample.Count') for _ in range(2)], [0, 0])
        self.assertEqual(self.plugin.sample_plugin_action_runs(), runs + 2)
        action = self.application()['actions']['Sample.Count']
        self.assertEqual((action['runs'], action['secondText'], action['host']), (2, 'Count the runs', False))
        self.assertEqual(self.application()['debugOutput'], ['Sample.Count ran'] * 2)

    def test_run_action_refusals(self):
        cases = [('No.Such.Action', 2), ('', 2)]
        for name, status in cases:
            with self.subTest(name=name):
                self.assertEqual(host.run_action(name), status)
        self.assertEqual(self.application()['actions']['Sample.Count']['runs'], 0)

    def test_run_action_of_the_hosts_own_actions(self):
        self.assertEqual(host.run_action('View.Redraw'), 0)
        self.assertEqual(self.application()['redraws'], 1)
        self.assertEqual(self.application()['actions']['View.Redraw']['hotKeys'], ['Ctrl+R'])

    def test_fire_timeouts_runs_the_pending_callbacks_in_order_of_due_time(self):
        slow = self.plugin.sample_plugin_add_timeout(200)
        fast = self.plugin.sample_plugin_add_timeout(100)
        self.assertNotIn(None, (slow, fast))
        pending = self.application()['timeouts']
        self.assertEqual([(t['handle'], t['interval'], t['due']) for t in pending],
                         [(slow, 200, 200), (fast, 100, 100)])
        self.assertEqual(host.fire_timeouts(), 2)
        self.assertEqual(host.fire_timeouts(), 0)
        application = self.application()
        self.assertEqual(application['debugOutput'], ['time-out 100 fired', 'time-out 200 fired'])
        self.assertEqual((application['timeouts'], application['timeoutsFired'], application['clock']), ([], 2, 200))

    def test_restart_drops_pending_timeouts(self):
        self.plugin.sample_plugin_add_timeout(10)
        host.restart()
        self.assertEqual(host.fire_timeouts(), 0)
        self.assertEqual(self.application()['debugOutput'], [])

    def test_queued_dialog_answers_are_given_in_order_then_dialogs_cancel(self):
        for path in ('/data/track.csv', '', '/data/other.csv'):
            host.queue_dialog_answer(path)
        self.assertEqual(self.application()['dialogAnswers'], ['/data/track.csv', '', '/data/other.csv'])
        chosen = [self.plugin.sample_plugin_open_file(title.encode()) for title in ('one', 'two', 'three', 'four')]
        self.assertEqual(chosen, [b'/data/track.csv', b'', b'/data/other.csv', b''])
        dialogs = self.application()['dialogs']
        self.assertEqual([(d['kind'], d['texts'][0], d['answer']) for d in dialogs],
                         [('load', 'one', '/data/track.csv'), ('load', 'two', ''),
                          ('load', 'three', '/data/other.csv'), ('load', 'four', '')])
        self.assertEqual(self.application()['dialogAnswers'], [])


class ApplicationState(unittest.TestCase):
    """What a fresh host's application answers and shows."""

    def setUp(self):
        host.restart()

    def test_a_fresh_application(self):
        application = host.state()['application']
        self.assertEqual(application['identity'], {
            'name': 'KARVEN', 'id': 1, 'version': 7.4, 'pluginVersion': 1.28,
            'pluginVersionNumbers': [1, 28, 0], 'mainWindowHandle': 0x3A00007})
        self.assertEqual(sorted(application['actions']), ['View.NextViewport', 'View.Redraw'])
        self.assertEqual([v['name'] for v in application['viewports']], ['Main'])
        self.assertEqual(application['currentViewport'], 'Main')
        self.assertEqual(application['server'], {'status': 0, 'color': 0, 'networkEnabled': True})
        self.assertEqual(application['recording'], {'active': False, 'sessions': []})

    def test_events_without_a_plugin(self):
        self.assertEqual(host.fire_timeouts(), 0)
        self.assertEqual(host.run_action('View.NextViewport'), 0)
        self.assertEqual(host.state()['application']['currentViewport'], 'Main', 'one viewport: stays current')


@unittest.skipUnless(PLUGIN_PATH, 'KARVEN_SIM_PLUGIN is not set')
class GuiEvents(unittest.TestCase):
    """The widget tree of a compiled plug-in's dialog, and clicks on it."""

    @classmethod
    def setUpClass(cls):
        cls.plugin = load_sample_plugin()

    def setUp(self):
        host.restart()
        self.assertEqual(self.plugin.sample_plugin_load(), 0)
        self.ok = self.plugin.sample_plugin_show_dialog(b'first')
        self.addCleanup(self.plugin.sample_plugin_close_dialog)

    def test_the_tree_holds_the_hosts_objects_then_the_dialog(self):
        kinds = [root['kind'] for root in host.widgets()]
        self.assertEqual(kinds, ['plugin_toolbar', 'plugin_menu_pane', 'main_window', 'dialog_box'])
        dialog = host.widgets()[3]
        self.assertEqual((dialog['text'], dialog['hidden']), ('Sample', False))
        frame, = dialog['children']
        self.assertEqual([(w['kind'], w['value']) for w in frame['children']],
                         [('text_field', 'first'), ('button', 'OK')])
        self.assertEqual(frame['children'][1]['handle'], self.ok)
        self.assertIn('dialog_box', host.widgets_text())
        self.assertIn('"OK" callback', host.widgets_text())

    def test_click_runs_the_buttons_callback(self):
        self.assertEqual(host.click(self.ok), 0)
        ok, = host.find_widgets(kind='button', text='OK')
        self.assertEqual(ok['clicks'], 1)
        self.assertEqual(host.state()['application']['debugOutput'], ['OK: first'])

    def test_click_refusals(self):
        field, = host.find_widgets(kind='text_field')
        cases = [('a widget without a callback', field, 1),
                 ('an unknown handle', 12345, 2),
                 ('a null handle', 0, 2)]
        for what, handle, status in cases:
            with self.subTest(what):
                self.assertEqual(host.click(handle), status)
        self.plugin.sample_plugin_close_dialog()
        self.assertEqual(host.click(self.ok), 2)
        self.assertEqual(host.find_widgets(kind='dialog_box'), [])
        self.assertEqual(host.state()['application']['debugOutput'], [])

    def test_restart_forgets_the_widgets(self):
        self.plugin.sample_plugin_close_dialog()
        host.restart()
        self.assertEqual(len(host.widgets()), 3)
        self.assertEqual(host.click(self.ok), 2)


if __name__ == '__main__':
    unittest.main()
