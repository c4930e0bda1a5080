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

    def test_the_history_keeps_the_last_entries(self):
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

    def test_actions_timeouts_and_dialog_answers_reach_the_plugin(self):
        runs = self.plugin.sample_plugin_action_runs()
        self.assertEqual([host.run_action(name) for name in ('Sample.Count', 'No.Such.Action', 'View.Redraw')],
                         [0, 2, 0])
        self.assertEqual(self.plugin.sample_plugin_action_runs(), runs + 1)
        slow, fast = self.plugin.sample_plugin_add_timeout(200), self.plugin.sample_plugin_add_timeout(100)
        self.assertEqual([t['handle'] for t in self.application()['timeouts']], [slow, fast])
        self.assertEqual((host.fire_timeouts(), host.fire_timeouts()), (2, 0))
        host.queue_dialog_answer('/data/track.csv')
        chosen = [self.plugin.sample_plugin_open_file(title.encode()) for title in ('one', 'two')]
        self.assertEqual(chosen, [b'/data/track.csv', b''])
        application = self.application()
        self.assertEqual(application['debugOutput'], ['Sample.Count ran', 'time-out 100 fired', 'time-out 200 fired'])
        self.assertEqual((application['redraws'], application['clock'], application['dialogAnswers']), (1, 200, []))
        self.assertEqual(application['identity']['name'], 'KARVEN')

    def test_the_widget_tree_and_clicks(self):
        ok = self.plugin.sample_plugin_show_dialog(b'first')
        self.assertEqual([root['kind'] for root in host.widgets()],
                         ['plugin_toolbar', 'plugin_menu_pane', 'main_window', 'dialog_box'])
        frame, = host.widgets()[3]['children']
        self.assertEqual([(w['kind'], w['value']) for w in frame['children']], [('text_field', 'first'), ('button', 'OK')])
        self.assertIn('"OK" callback', host.widgets_text())
        field, = host.find_widgets(kind='text_field')
        self.assertEqual([host.click(handle) for handle in (ok, field['handle'], 12345)], [0, 1, 2])
        self.assertEqual(host.find_widgets(kind='button', text='OK')[0]['clicks'], 1)
        self.assertEqual(self.application()['debugOutput'], ['OK: first'])
        self.plugin.sample_plugin_close_dialog()
        host.restart()
        self.assertEqual((host.click(ok), len(host.widgets())), (2, 3))


if __name__ == '__main__':
    unittest.main()
