"""karven-sim from the command line: the examples, the options, and bad input."""

import json
import os
import re
import subprocess
import sys
import tempfile
import textwrap
import unittest

SIM = os.environ.get('KARVEN_SIM', '')
PLUGIN = os.environ.get('KARVEN_SIM_PLUGIN', '')
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'examples', 'python')


def run(*arguments, script=None, timeout=60):
    """Runs karven-sim; `script` (a text) is written to a file given as the
    first argument after the options."""
    with tempfile.TemporaryDirectory() as directory:
        arguments = list(arguments)
        if script is not None:
            path = os.path.join(directory, 'plugin.py')
            with open(path, 'w') as f:
                f.write(textwrap.dedent(script))
            arguments.append(path)
        return subprocess.run([SIM] + arguments, capture_output=True, text=True, timeout=timeout,
                              cwd=directory)


@unittest.skipUnless(SIM, 'KARVEN_SIM is not set')
class Examples(unittest.TestCase):

    def test_signals_example(self):
        result = run(os.path.join(EXAMPLES, 'signals_plugin.py'))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn('append-data listener received com.karven/PluginClient/SignalService/AppendData/1.0\n',
                      result.stdout)
        self.assertIn('fireCallbacks called 2 callbacks\n', result.stdout)
        self.assertIn('322 PI_SERVERFUNC_SERVICES ints=[0, 1] strs=["com.karven/PluginClient/SignalService/1.0"]',
                      result.stdout)
        self.assertEqual(result.stderr, '')

    def test_export_example(self):
        with tempfile.TemporaryDirectory() as directory:
            trace = os.path.join(directory, 'trace.json')
            result = run('--summary', '--quiet', '--trace-json', trace,
                         os.path.join(EXAMPLES, 'export_plugin.py'), 'out.zip')
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn('wrote out.zip: status 0\n', result.stdout)
            self.assertNotIn('karven: [', result.stdout)
            state = json.loads(result.stdout.split('karven-sim: final state ', 1)[1])
            writer = state['services']['fileWriter']
            self.assertEqual((writer['fileName'], writer['endTime'], writer['coordinateSystem']),
                             ('out.zip', 3600, 3))
            self.assertEqual(writer['writes'], [{'format': 1, 'fileName': 'out.zip'}])
            # A script without widgets: only the host's own, and no outline.
            self.assertEqual([w['kind'] for w in state['gui']['widgets']],
                             ['plugin_toolbar', 'plugin_menu_pane', 'main_window'])
            self.assertNotIn('karven-sim: widgets', result.stdout)
            with open(trace) as f:
                entries = json.load(f)
        services = [e for e in entries if e['request']['code'] == 322]
        self.assertEqual([e['request']['block']['ints'][0] for e in services], [0, 1], 'bind, then unbind')
        self.assertEqual([e['index'] for e in entries], list(range(len(entries))))


@unittest.skipUnless(SIM, 'KARVEN_SIM is not set')
class Scripts(unittest.TestCase):

    def test_fire_signal_after_the_script(self):
        result = run('--quiet', '--fire-signal', 'ping', '--fire-signal', 'other', script='''
            import PluginInterfaces as P
            class Echo(P.SignalCallback):
                def callback(self, name, data):
                    print('got', name)
            client = P.SignalClient()
            client.bind(P.cvar.SIGNAL_SERVICE_NAME)
            echo = Echo()
            client.getInterface().addCallback('ping', echo)
        ''')
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, 'got ping\nkarven-sim: fired ping: 1 callback\n'
                                        'karven-sim: fired other: 0 callbacks\n')

    def test_script_arguments_and_exit_status(self):
        result = run('--quiet', script='''
            import sys
            print(sys.argv[1:])
            sys.exit(3)
        ''')
        self.assertEqual((result.returncode, result.stdout), (3, '[]\n'))

    def test_a_raising_script_prints_its_traceback(self):
        result = run('--quiet', script='''
            import PluginInterfaces as P
            P.StringVector()[5]
        ''')
        self.assertEqual(result.returncode, 1)
        self.assertIn('Traceback', result.stderr)
        self.assertTrue(result.stderr.endswith('IndexError: index out of range\n'), result.stderr)

    def test_a_raising_callback_fired_by_the_host(self):
        result = run('--quiet', '--fire-signal', 'boom', script='''
            import PluginInterfaces as P
            class Bad(P.SignalCallback):
                def callback(self, name, data):
                    raise RuntimeError('callback failed on ' + name)
            client = P.SignalClient()
            client.bind(P.cvar.SIGNAL_SERVICE_NAME)
            bad = Bad()
            client.getInterface().addCallback('boom', bad)
        ''')
        self.assertEqual(result.returncode, 1)
        self.assertIn('RuntimeError: callback failed on boom', result.stderr)

    def test_without_a_host_function_the_script_still_runs(self):
        result = run('--quiet', script='''
            import _PluginInterfaces as m
            print(m.PIRGB(1, 2, 3))
        ''')
        self.assertEqual((result.returncode, result.stdout), (0, '16909311\n'))


def final_state(stdout):
    return json.loads(stdout.split('karven-sim: final state ', 1)[1])


# A script that loads the compiled sample plug-in: it creates the action
# "Sample.Count", two time-outs, and shows a load dialog twice.
SAMPLE_SCRIPT = '''
    import ctypes, os
    plugin = ctypes.CDLL(os.environ['KARVEN_SIM_PLUGIN'])
    plugin.sample_plugin_open_file.restype = ctypes.c_char_p
    assert plugin.sample_plugin_load() == 0
    plugin.sample_plugin_add_timeout(200)
    plugin.sample_plugin_add_timeout(100)
    for title in (b'first', b'second'):
        print('chosen', plugin.sample_plugin_open_file(title).decode() or '(cancelled)')
'''


@unittest.skipUnless(SIM and PLUGIN, 'KARVEN_SIM or KARVEN_SIM_PLUGIN is not set')
class Events(unittest.TestCase):

    def test_events_after_the_script_happen_in_the_order_given(self):
        result = run('--quiet', '--summary', '--run-action', 'Sample.Count', '--fire-timeouts',
                     '--run-action', 'No.Such.Action', '--fire-timeouts', '--run-action', 'View.Redraw',
                     script=SAMPLE_SCRIPT)
        self.assertEqual(result.returncode, 0, result.stderr)
        events = result.stdout.split('karven-sim: final state ')[0]
        self.assertEqual(events, 'chosen (cancelled)\nchosen (cancelled)\n'
                                 'karven-sim: ran Sample.Count: status 0\n'
                                 'karven-sim: fired 2 time-outs\n'
                                 'karven-sim: ran No.Such.Action: status 2\n'
                                 'karven-sim: fired 0 time-outs\n'
                                 'karven-sim: ran View.Redraw: status 0\n')
        application = final_state(result.stdout)['application']
        self.assertEqual(application['debugOutput'],
                         ['Sample.Count ran', 'time-out 100 fired', 'time-out 200 fired'])
        self.assertEqual(application['redraws'], 1)

    def test_the_summary_outlines_a_plugins_widgets(self):
        script = '''
            import ctypes, os
            plugin = ctypes.CDLL(os.environ['KARVEN_SIM_PLUGIN'])
            assert plugin.sample_plugin_load() == 0
            plugin.sample_plugin_show_dialog(b'typed')
        '''
        result = run('--quiet', '--summary', script=script)
        self.assertEqual(result.returncode, 0, result.stderr)
        outline = result.stdout.split('karven-sim: widgets\n', 1)[1].split('karven-sim: final state ')[0]
        lines = [re.sub(r' 0x[0-9a-f]+', '', line) for line in outline.splitlines()]
        self.assertEqual(lines, ['plugin_toolbar', 'plugin_menu_pane', 'main_window', 'dialog_box "Sample"',
                                 '  vertical_frame', '    text_field value="typed"', '    button "OK" callback'])

    def test_dialog_answers_are_queued_before_the_script(self):
        result = run('--quiet', '--dialog-answer', '/data/track.csv', '--dialog-answer', '', '--dialog-answer',
                     '/data/unused.csv', '--summary', script=SAMPLE_SCRIPT)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.startswith('chosen /data/track.csv\nchosen (cancelled)\n'), result.stdout)
        self.assertEqual(final_state(result.stdout)['application']['dialogAnswers'], ['/data/unused.csv'])

    def test_the_trace_shows_a_run_actions_requests(self):
        result = run('--run-action', 'Sample.Count', script=SAMPLE_SCRIPT)
        self.assertEqual(result.returncode, 0, result.stderr)
        after = result.stdout.split('chosen (cancelled)\n')[-1]
        self.assertIn('305 PI_SERVERFUNC_DEBUG_PRINT', after)
        self.assertTrue(after.endswith('karven-sim: ran Sample.Count: status 0\n'), after)


@unittest.skipUnless(SIM and PLUGIN, 'KARVEN_SIM or KARVEN_SIM_PLUGIN is not set')
class BadInput(unittest.TestCase):

    def test_refusals(self):
        cases = [
            (['missing.py'], "karven-sim: cannot open 'missing.py': No such file or directory\n"),
            (['--no-such-option', 'x.py'], "karven-sim: unknown option '--no-such-option'\n"),
            ([], 'karven-sim: no script given\n'),
            (['--trace-json'], "karven-sim: option '--trace-json' needs a value\n"),
            (['--run-action'], "karven-sim: option '--run-action' needs a value\n"),
            (['--dialog-answer'], "karven-sim: option '--dialog-answer' needs a value\n"),
            (['--fire-timeouts'], 'karven-sim: no script given\n'),
            (['--load', 'missing.so'], "karven-sim: cannot load 'missing.so': ./missing.so: cannot open"),
            (['--load', PLUGIN + ':no_such_entry'],
             "karven-sim: '%s' has no entry function 'no_such_entry'\n" % PLUGIN),
            (['--load', PLUGIN, 'x.py'], 'karven-sim: a script cannot be run with --load\n'),
        ]
        for arguments, first_line in cases:
            with self.subTest(arguments):
                result = run(*arguments)
                self.assertEqual(result.returncode, 2)
                self.assertTrue(result.stderr.startswith(first_line), result.stderr)
                self.assertEqual(result.stdout, '')

    def test_help(self):
        result = run('--help')
        self.assertEqual(result.returncode, 0)
        self.assertTrue(result.stdout.startswith('usage: karven-sim'))
        for option in ('--fire-signal NAME', '--run-action NAME', '--fire-timeouts', '--dialog-answer PATH'):
            self.assertIn('\n  ' + option, result.stdout)

    def test_an_unwritable_trace_file(self):
        result = run('--quiet', '--trace-json', '/nonexistent/dir/trace.json', script='pass\n')
        self.assertEqual(result.returncode, 2)
        self.assertIn("karven-sim: cannot write '/nonexistent/dir/trace.json'", result.stderr)


if __name__ == '__main__':
    unittest.main()
