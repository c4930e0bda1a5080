"""The simulated host in-process, as a plug-in author's own tests use it."""

import ctypes
import os
import unittest

import karven_sim
import support

PLUGIN_PATH = os.environ.get('KARVEN_SIM_PLUGIN', '')


def setUpModule():
    global host, P
    host = karven_sim.start()
    import PluginInterfaces as P


class SimulatedHost(unittest.TestCase):

    def setUp(self):
        host.restart()
        self.client = P.SignalClient()
        self.assertEqual(self.client.bind(P.cvar.SIGNAL_SERVICE_NAME), 0)
        self.addCleanup(self.client.unbind, P.cvar.SIGNAL_SERVICE_NAME)
        self.signals = self.client.getInterface()
        self.received = []
        received = self.received

        class Callback(P.SignalCallback):
            def callback(self, name, data):
                received.append(name)
                if name == 'boom':
                    raise KeyError(name)
        self.callback = Callback()

    def test_the_trace_shows_requests_answers_and_calls_in_order(self):
        bind, = [e for e in host.trace() if e['name'] == 'PI_SERVERFUNC_SERVICES']
        self.assertEqual((bind['request']['block']['ints'], bind['request']['block']['strs'],
                          bind['request']['block']['ptrs'], bind['answered']['ints']),
                         ([0, 1], [P.cvar.SIGNAL_SERVICE_NAME], [int(self.client.this)], [0, 0]))
        context = [e for e in host.trace() if e['name'] == 'PI_SERVERFUNC_CALL_CONTEXT']
        self.assertNotEqual(context[0]['answered']['ptrs'], [0])
        self.assertIn('322 PI_SERVERFUNC_SERVICES ints=[0, 1]', host.trace_text())
        self.assertTrue(host.trace_text().splitlines()[-1].endswith('-> ints[1]=0'))
        self.assertEqual(host.state()['services']['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [int(self.client.this)])
        host.clear_trace()
        self.assertEqual((host.trace(), host.trace_text()), ([], ''))
        self.assertEqual(self.signals.addCallback('x', self.callback), 0)
        self.assertFalse(self.signals.hasCallbacks('y'))
        self.client.bind('com.karven/No/Such/Service/1.0')
        calls = [(e['operation'], e['arguments'], e['result']) for e in host.trace() if e['kind'] == 'call']
        self.assertEqual(calls, [('addCallback', {'name': 'x', 'callback': int(self.callback.this)}, 0),
                                 ('hasCallbacks', {'name': 'y'}, False)])
        self.assertEqual([e['index'] for e in host.trace()], list(range(len(host.trace()))))
        self.assertEqual(host.trace()[-1]['note'], 'no service is published under "com.karven/No/Such/Service/1.0"')
        self.assertNotIn('note', host.trace()[-2])
        self.signals.removeCallback('x', self.callback)

    def test_fired_signals_reach_python_callbacks(self):
        for name in (P.cvar.APPEND_DATA_SIGNAL, 'boom'):
            self.signals.addCallback(name, self.callback)
            self.addCleanup(self.signals.removeCallback, name, self.callback)
        self.assertEqual((host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), host.fire_signal('nobody listens')), (1, 0))
        with self.assertRaises(KeyError):
            host.fire_signal('boom')
        self.assertEqual(self.received, [P.cvar.APPEND_DATA_SIGNAL, 'boom'])
        self.assertEqual(host.state()['services']['signals']['fired'],
                         [P.cvar.APPEND_DATA_SIGNAL, 'nobody listens', 'boom'])

    def test_the_history_keeps_the_last_entries_and_memory_flat(self):
        # Under AddressSanitizer the bytes in use: freed memory waits in its
        # quarantine and keeps the resident size growing.
        in_use = getattr(ctypes.CDLL(None), '__sanitizer_get_current_allocated_bytes', None)
        if in_use is not None:
            in_use.restype = ctypes.c_size_t

        def used():
            if in_use is not None:
                return in_use()
            with open('/proc/self/statm') as f:
                return int(f.read().split()[1]) * os.sysconf('SC_PAGE_SIZE')
        for _ in range(100000):  # the histories fill up
            self.signals.fireCallbacks('flat', None)
        before = used()
        for _ in range(400000):
            self.signals.fireCallbacks('flat', None)
        self.assertLess(used() - before, 2 << 20)
        self.assertEqual(len(host.trace()), host.history_limit())
        self.assertEqual(host.history_limit(), 4096)
        host.set_history_limit(3)
        self.addCleanup(host.set_history_limit, 4096)
        host.clear_trace()
        for name in 'abcde':
            self.signals.fireCallbacks(name, None)
        self.assertEqual([(e['index'], e['arguments']['name']) for e in host.trace()], [(2, 'c'), (3, 'd'), (4, 'e')])
        self.assertEqual(host.state()['services']['signals']['fired'][-3:], ['c', 'd', 'e'])
        host.restart()
        self.assertEqual(host.history_limit(), 3, 'a restart keeps the limit')


class ScriptedAnswers(unittest.TestCase):
    """What a test scripts the five services to answer, instead of them."""

    def interface(self, client_class, name):
        client = client_class()
        client.bind(name)
        self.addCleanup(client.unbind, name)
        return client.getInterface()

    def test_an_answer_replaces_the_service_until_forgotten(self):
        host.restart()
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
                self.assertEqual(call(), tuple(answer) if isinstance(answer, list) else answer)
                self.assertEqual((host.trace()[-1]['result'], host.trace()[-1]['scripted']), (answer, True))
        self.assertEqual(host.state()['services']['fileWriter']['writes'], [], 'the service was not called')
        host.script_answer('FileWriterInterface.write', None)
        self.assertEqual(writer.write(P.FileWriterInterface.ZIP), 0)
        host.forget_answers()
        self.assertEqual((writer.fileName(), signals.hasCallbacks('x')), ('real.zip', False))
        host.restart()
        self.assertEqual(self.interface(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME).write(0), 1,
                         'a restart forgets the answers (and the file name)')
        for operation, answer, message in [
                ('FileWriterInterface.wirte', 1, "no operation is named 'FileWriterInterface.wirte'"),
                ('FileWriterInterface.setFileName', 'x', "'FileWriterInterface.setFileName' has no result to script"),
                ('FileWriterInterface.write', 2**31, "'FileWriterInterface.write' cannot answer 2147483648"),
                ('FileWriterInterface.showGui', 1, "'FileWriterInterface.showGui' cannot answer 1")]:
            with self.subTest(operation=operation, answer=answer):
                with self.assertRaises(ValueError) as raised:
                    host.script_answer(operation, answer)
                self.assertEqual(str(raised.exception), message)

    def test_the_file_locator_finds_what_the_test_added(self):
        host.restart()
        service = P.FileLocatorService()  # its interface is valid while it lives
        locator = service.getInterface()
        host.add_file(P.FileLocatorInterface.MODEL, 'tank.flt', '/data/models/tank.flt')
        host.set_model_textures('tank.flt', ['tank.png', 'tank_n.png'])
        self.assertEqual((locator.locate(P.FileLocatorInterface.MODEL, 'tank.flt'),
                          locator.locate(P.FileLocatorInterface.GOG, 'tank.flt'), locator.getModelTextures('tank.flt')),
                         ('/data/models/tank.flt', '', ('tank.png', 'tank_n.png')))

    def test_start_after_a_hostless_import_refuses(self):
        result = support.run('''
            import PluginInterfaces, karven_sim
            try:
                karven_sim.start()
            except RuntimeError as error:
                print(error)
        ''')
        self.assertTrue(result.stdout.startswith('karven_sim.start() comes too late: PluginInterfaces was imported '
                                                 'without a host'), result.stdout + result.stderr)
        self.assertEqual(result.stderr, '')


@unittest.skipUnless(PLUGIN_PATH, 'KARVEN_SIM_PLUGIN is not set')
class ApplicationEvents(unittest.TestCase):
    """The events a test triggers in the host, seen by a compiled plug-in
    (the sample plug-in of the tests, driven with ctypes)."""

    @classmethod
    def setUpClass(cls):
        cls.plugin = plugin = ctypes.CDLL(PLUGIN_PATH)
        plugin.sample_plugin_add_timeout.restype = plugin.sample_plugin_show_dialog.restype = ctypes.c_void_p
        plugin.sample_plugin_open_file.restype = ctypes.c_char_p
        plugin.sample_plugin_open_file.argtypes = plugin.sample_plugin_show_dialog.argtypes = [ctypes.c_char_p]

    def setUp(self):
        host.restart()
        self.assertEqual(self.plugin.sample_plugin_load(), 0)

    def application(self):
        return host.state()['application']

    def test_actions(self):
        runs = self.plugin.sample_plugin_action_runs()
        self.assertEqual([host.run_action(name) for name in ('Sample.Count', 'Sample.Count', 'No.Such.Action', '',
                                                             'View.Redraw')], [0, 0, 2, 2, 0])
        self.assertEqual(self.plugin.sample_plugin_action_runs(), runs + 2)
        application = self.application()
        action = application['actions']['Sample.Count']
        self.assertEqual((action['runs'], action['secondText'], action['host']), (2, 'Count the runs', False))
        self.assertEqual(application['debugOutput'], ['Sample.Count ran'] * 2)
        self.assertEqual((application['redraws'], application['actions']['View.Redraw']['hotKeys']), (1, ['Ctrl+R']))

    def test_fire_timeouts_runs_the_pending_callbacks_in_order_of_due_time(self):
        slow, fast = self.plugin.sample_plugin_add_timeout(200), self.plugin.sample_plugin_add_timeout(100)
        self.assertEqual([(t['handle'], t['interval'], t['due']) for t in self.application()['timeouts']],
                         [(slow, 200, 200), (fast, 100, 100)])
        self.assertEqual((host.fire_timeouts(), host.fire_timeouts()), (2, 0))
        application = self.application()
        self.assertEqual(application['debugOutput'], ['time-out 100 fired', 'time-out 200 fired'])
        self.assertEqual((application['timeouts'], application['timeoutsFired'], application['clock']), ([], 2, 200))
        self.plugin.sample_plugin_add_timeout(10)
        host.restart()
        self.assertEqual((host.fire_timeouts(), self.application()['debugOutput']), (0, []), 'dropped by a restart')

    def test_queued_dialog_answers_are_given_in_order_then_dialogs_cancel(self):
        for path in ('/data/track.csv', '', '/data/other.csv'):
            host.queue_dialog_answer(path)
        chosen = [self.plugin.sample_plugin_open_file(title.encode()) for title in ('one', 'two', 'three', 'four')]
        self.assertEqual(chosen, [b'/data/track.csv', b'', b'/data/other.csv', b''])
        self.assertEqual([(d['kind'], d['texts'][0], d['answer']) for d in self.application()['dialogs']],
                         [('load', 'one', '/data/track.csv'), ('load', 'two', ''),
                          ('load', 'three', '/data/other.csv'), ('load', 'four', '')])
        self.assertEqual(self.application()['dialogAnswers'], [])

    def test_the_widget_tree_and_clicks(self):
        ok = self.plugin.sample_plugin_show_dialog(b'first')
        self.assertEqual([root['kind'] for root in host.widgets()],
                         ['plugin_toolbar', 'plugin_menu_pane', 'main_window', 'dialog_box'])
        dialog = host.widgets()[3]
        self.assertEqual((dialog['text'], dialog['hidden']), ('Sample', False))
        frame, = dialog['children']
        self.assertEqual([(w['kind'], w['value']) for w in frame['children']], [('text_field', 'first'), ('button', 'OK')])
        self.assertEqual(frame['children'][1]['handle'], ok)
        self.assertIn('"OK" callback', host.widgets_text())
        field, = host.find_widgets(kind='text_field')
        self.assertEqual([host.click(handle) for handle in (ok, field['handle'], 12345, 0)], [0, 1, 2, 2])
        self.assertEqual(host.find_widgets(kind='button', text='OK')[0]['clicks'], 1)
        self.assertEqual(self.application()['debugOutput'], ['OK: first'])
        self.plugin.sample_plugin_close_dialog()
        self.assertEqual((host.click(ok), host.find_widgets(kind='dialog_box')), (2, []))
        host.restart()
        self.assertEqual(len(host.widgets()), 3)

    def test_a_fresh_application(self):
        host.restart()
        application = self.application()
        self.assertEqual(application['identity'], {
            'name': 'KARVEN', 'id': 1, 'version': 7.4, 'pluginVersion': 1.28,
            'pluginVersionNumbers': [1, 28, 0], 'mainWindowHandle': 0x3A00007})
        self.assertEqual(sorted(application['actions']), ['View.NextViewport', 'View.Redraw'])
        self.assertEqual(([v['name'] for v in application['viewports']], application['currentViewport']),
                         (['Main'], 'Main'))
        self.assertEqual(application['server'], {'status': 0, 'color': 0, 'networkEnabled': True})
        self.assertEqual(application['recording'], {'active': False, 'sessions': []})
        self.assertEqual((host.fire_timeouts(), host.run_action('View.NextViewport')), (0, 0))
        self.assertEqual(self.application()['currentViewport'], 'Main', 'one viewport: stays current')


if __name__ == '__main__':
    unittest.main()
