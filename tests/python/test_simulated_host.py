"""The simulated host in-process, as a plug-in author's tests use it: each of its calls once."""

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

    def test_the_trace_and_state_show_requests_calls_and_signals(self):
        client, signals = support.bind(P.SignalClient, P.cvar.SIGNAL_SERVICE_NAME, self.addCleanup)
        bind, = [e for e in host.trace() if e['name'] == 'PI_SERVERFUNC_SERVICES']
        self.assertEqual((bind['request']['block']['strs'], bind['request']['block']['ptrs'], bind['answered']['ints']),
                         ([P.cvar.SIGNAL_SERVICE_NAME], [int(client.this)], [0, 0]))
        self.assertTrue(host.trace_text().splitlines()[-1].endswith('-> ints[1]=0'))
        self.assertEqual(host.state()['services']['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [int(client.this)])
        host.clear_trace()
        self.assertEqual((host.trace(), host.trace_text()), ([], ''))
        received = []

        class Callback(P.SignalCallback):
            def callback(self, name, data):
                received.append(name)
                if name == 'boom':
                    raise KeyError(name)
        callback = Callback()
        for name in ('x', 'boom'):
            signals.addCallback(name, callback)
            self.addCleanup(signals.removeCallback, name, callback)
        self.assertEqual((host.fire_signal('x'), host.fire_signal('nobody listens')), (1, 0))
        with self.assertRaises(KeyError):
            host.fire_signal('boom')
        self.assertEqual(received, ['x', 'boom'])
        self.assertEqual(host.state()['services']['signals']['fired'], ['x', 'nobody listens', 'boom'])
        calls = [(e['operation'], e['arguments'], e['result']) for e in host.trace() if e['kind'] == 'call']
        self.assertEqual(calls[0], ('addCallback', {'name': 'x', 'callback': int(callback.this)}, 0))
        self.assertEqual([e['index'] for e in host.trace()], list(range(len(host.trace()))))
        self.assertEqual(host.history_limit(), 4096)
        host.set_history_limit(3)
        self.addCleanup(host.set_history_limit, 4096)
        for name in 'abcde':
            signals.fireCallbacks(name, None)
        self.assertEqual([e['arguments']['name'] for e in host.trace()], ['c', 'd', 'e'])

    def test_scripted_answers_replace_the_service_until_forgotten(self):
        writer = support.bind(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME, self.addCleanup)[1]
        locator = support.bind(P.FileLocatorClient, P.cvar.FILE_LOCATOR_SERVICE_NAME, self.addCleanup)[1]
        writer.setFileName('real.zip')
        host.script_answer('FileWriterInterface.fileName', 'scripted.zip')
        host.script_answer('FileLocatorInterface.getModelTextures', ['a.png', 'b.png'])
        self.assertEqual((writer.fileName(), locator.getModelTextures('m')), ('scripted.zip', ('a.png', 'b.png')))
        self.assertEqual((host.trace()[-1]['result'], host.trace()[-1]['scripted']), (['a.png', 'b.png'], True))
        host.forget_answers()
        self.assertEqual(writer.fileName(), 'real.zip')
        with self.assertRaises(ValueError) as raised:
            host.script_answer('FileWriterInterface.showGui', 1)
        self.assertEqual(str(raised.exception), "'FileWriterInterface.showGui' cannot answer 1")
        host.add_file(P.FileLocatorInterface.MODEL, 'tank.flt', '/data/models/tank.flt')
        host.set_model_textures('tank.flt', ['tank.png'])
        self.assertEqual((locator.locate(P.FileLocatorInterface.MODEL, 'tank.flt'), locator.getModelTextures('tank.flt')),
                         ('/data/models/tank.flt', ('tank.png',)))

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
    def test_application_events_reach_a_compiled_plugin(self):
        plugin = ctypes.CDLL(PLUGIN_PATH)
        plugin.sample_plugin_add_timeout.restype = plugin.sample_plugin_show_dialog.restype = ctypes.c_void_p
        plugin.sample_plugin_open_file.restype = ctypes.c_char_p
        plugin.sample_plugin_open_file.argtypes = plugin.sample_plugin_show_dialog.argtypes = [ctypes.c_char_p]
        self.assertEqual(plugin.sample_plugin_load(), 0)
        self.assertEqual([host.run_action(name) for name in ('Sample.Count', 'No.Such.Action')], [0, 2])
        plugin.sample_plugin_add_timeout(200), plugin.sample_plugin_add_timeout(100)
        self.assertEqual((host.fire_timeouts(), host.fire_timeouts()), (2, 0))
        host.queue_dialog_answer('/data/track.csv')
        self.assertEqual([plugin.sample_plugin_open_file(t) for t in (b'one', b'two')], [b'/data/track.csv', b''])
        ok = plugin.sample_plugin_show_dialog(b'first')
        self.addCleanup(plugin.sample_plugin_close_dialog)
        self.assertEqual([root['kind'] for root in host.widgets()][-1], 'dialog_box')
        self.assertIn('"OK" callback', host.widgets_text())
        field, = host.find_widgets(kind='text_field')
        self.assertEqual([host.click(handle) for handle in (ok, field['handle'], 12345)], [0, 1, 2])
        self.assertEqual(host.state()['application']['debugOutput'], [
            'Sample.Count ran', 'time-out 100 fired', 'time-out 200 fired', 'OK: first'])


if __name__ == '__main__':
    unittest.main()
