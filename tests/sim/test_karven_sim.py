"""karven-sim from the command line: a table of command lines and what they
print, an example's stored trace."""

import json
import os
import re
import subprocess
import sys
import tempfile
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'hostsim', 'python'))
import karven_sim  # noqa: E402

SIM = os.environ.get('KARVEN_SIM', '')
PLUGIN = os.environ.get('KARVEN_SIM_PLUGIN', '')
EXAMPLES = os.path.join(HERE, '..', '..', 'examples', 'python')
TRACES = os.path.join(HERE, 'traces')


def run(*arguments, script=None, files=None, timeout=60):
    """karven-sim in a fresh folder holding `files`, `script` its last argument."""
    with tempfile.TemporaryDirectory() as directory:
        files = dict(files or {}, **({'plugin.py': script} if script is not None else {}))
        for name, text in files.items():
            with open(os.path.join(directory, name), 'w') as f:
                f.write(textwrap.dedent(text))
        tail = [os.path.join(directory, 'plugin.py')] if script is not None else []
        return subprocess.run([SIM] + list(arguments) + tail, capture_output=True, text=True, timeout=timeout,
                              cwd=directory)


def exactly(text):
    return r'\A' + re.escape(text) + r'\Z'


def has(text):
    return re.escape(text)


# Raises on the signal "boom", prints the others' names.
ECHO = '''
    import PluginInterfaces as P
    class Echo(P.SignalCallback):
        def callback(self, name, data):
            if name == 'boom':
                raise RuntimeError('callback failed on ' + name)
            print('got', name)
    client = P.SignalClient()
    client.bind(P.cvar.SIGNAL_SERVICE_NAME)
    echo = Echo()
    for name in ('ping', 'boom'):
        client.getInterface().addCallback(name, echo)
'''
# The compiled sample plug-in: the action "Sample.Count", two time-outs, two dialogs.
SAMPLE = '''
    import ctypes, os
    plugin = ctypes.CDLL(os.environ['KARVEN_SIM_PLUGIN'])
    plugin.sample_plugin_open_file.restype = ctypes.c_char_p
    assert plugin.sample_plugin_load() == 0
    plugin.sample_plugin_add_timeout(200)
    plugin.sample_plugin_add_timeout(100)
    for title in (b'first', b'second'):
        print('chosen', plugin.sample_plugin_open_file(title).decode() or '(cancelled)')
'''
# For `karven-sim test`: module a leaves a client bound, b finds a fresh host.
MODULES = {
    'test_a.py': '''
        import unittest
        import karven_sim
        host = karven_sim.start()
        import PluginInterfaces as P
        SIGNALS = P.cvar.SIGNAL_SERVICE_NAME

        class A(unittest.TestCase):
            def test_binds(self):
                A.client = P.SignalClient()
                self.assertEqual(A.client.bind(SIGNALS), 0)
                host.restart()
                self.assertEqual(host.state()['services']['bindings'][SIGNALS], [])

            def test_subtests_fail_as_one_test(self):
                for i in range(3):
                    with self.subTest(i=i):
                        self.assertEqual(i, 0)

            @unittest.skip('not yet')
            def test_skipped(self):
                pass
    ''',
    'test_b.py': '''
        import unittest
        import karven_sim

        class B(unittest.TestCase):
            def test_the_host_is_fresh(self):
                host = karven_sim.SimulatedHost()  # the running host, not restarted
                self.assertEqual(host.trace(), [])
                self.assertEqual(host.state()['services']['bindings']['com.karven/PluginClient/SignalService/1.0'], [])
    ''',
    'test_c.py': 'import no_such_module\n',
    'helper.py': 'raise AssertionError("not a test module")\n',
}
B = {'test_b.py': MODULES['test_b.py']}
SLOW_TEST = 'import unittest\nclass Slow(unittest.TestCase):\n    def test_loop(self):\n        while True: pass\n'
TIMED_OUT = r'\Akarven-sim: \S+/plugin.py timed out after 0.5 s, at \S+/plugin.py, line \d+\nTraceback \(most'
NEEDS = "karven-sim: option '%s' needs a value\n"
SECONDS = "karven-sim: option '--timeout' needs a number of seconds above 0\n"

# Arguments, script, files, exit status, patterns in stdout (None: empty) and stderr.
CASES = [
    ([os.path.join(EXAMPLES, 'signals_plugin.py')], None, None, 0,
     [has('append-data listener received com.karven/PluginClient/SignalService/AppendData/1.0\n'),
      has('322 PI_SERVERFUNC_SERVICES ints=[0, 1] strs=["com.karven/PluginClient/SignalService/1.0"]'),
      r'\nkarven: \[3\] call SignalInterface.addCallback\(name="com.karven/PluginClient/SignalService/'
      r'AppendData/1.0", callback=0x[0-9a-f]+\) -> 0\n',
      r'call SignalInterface.fireCallbacks[^\n]*\nfireCallbacks called 2 callbacks\n'], [r'\A\Z']),
    (['--summary', '--quiet', os.path.join(EXAMPLES, 'export_plugin.py'), 'out.zip'], None, None, 0,
     [r'\A(?![\s\S]*(karven: \[|karven-sim: widgets))', has('wrote out.zip: status 0\n'),
      has('"writes": [{"format": 1, "fileName": "out.zip"}]'), has('"endTime": 3600')], []),
    # The call values' forms (the stored traces hold the JSON of one example).
    ([os.path.join(EXAMPLES, 'export_plugin.py'), 'out.zip'], None, None, 0,
     [has('FileWriterInterface.setShowGui(show=false)\n'), has('.setCullAngle(value=2.5)\n')], []),
    (['--quiet', '--fire-signal', 'ping', '--fire-signal', 'other'], ECHO, None, 0,
     [exactly('got ping\nkarven-sim: fired ping: 1 callback\nkarven-sim: fired other: 0 callbacks\n')], []),
    (['--quiet', '--fire-signal', 'boom'], ECHO, None, 1, [],
     [r'\ATraceback[\s\S]*\nRuntimeError: callback failed on boom\n\Z']),
    (['--quiet'], 'import sys\nprint(sys.argv[1:])\nsys.exit(3)\n', None, 3, [exactly('[]\n')], []),
    (['--quiet', '--summary', '--run-action', 'Sample.Count', '--fire-timeouts', '--run-action', 'No.Such.Action',
      '--fire-timeouts', '--run-action', 'View.Redraw'], SAMPLE, None, 0,
     [has('chosen (cancelled)\nchosen (cancelled)\nkarven-sim: ran Sample.Count: status 0\nkarven-sim: fired 2 '
          'time-outs\nkarven-sim: ran No.Such.Action: status 2\nkarven-sim: fired 0 time-outs\n'
          'karven-sim: ran View.Redraw: status 0\nkarven-sim: final state '),
      has('"debugOutput": ["Sample.Count ran", "time-out 100 fired", "time-out 200 fired"]'), has('"redraws": 1,')],
     []),
    (['--quiet', '--dialog-answer', '/data/track.csv', '--dialog-answer', '', '--dialog-answer', '/data/unused.csv',
      '--summary'], SAMPLE, None, 0,
     [r'\Achosen /data/track.csv\nchosen \(cancelled\)\n', has('"dialogAnswers": ["/data/unused.csv"]')], []),
    (['--run-action', 'Sample.Count'], SAMPLE, None, 0,
     [r'chosen \(cancelled\)\n(?![\s\S]*chosen)[\s\S]*305 PI_SERVERFUNC_DEBUG_PRINT[\s\S]*\nkarven-sim: ran Sample.Count: status 0\n\Z'],
     []),
    (['--quiet', '--summary'], 'import ctypes, os\np = ctypes.CDLL(os.environ["KARVEN_SIM_PLUGIN"])\n'
     'assert p.sample_plugin_load() == 0\np.sample_plugin_show_dialog(b"typed")\n', None, 0,
     [r'(?m)^karven-sim: widgets\nplugin_toolbar 0x\w+\nplugin_menu_pane 0x\w+\nmain_window 0x\w+\ndialog_box 0x\w+ '
      r'"Sample"\n  vertical_frame 0x\w+\n    text_field 0x\w+ value="typed"\n    button 0x\w+ "OK" callback\n'
      r'karven-sim: final state '], []),
    # Time limits and SIGINT: where the script was stopped, or that it did not stop.
    (['--quiet', '--timeout', '0.5'], 'x = 0\nwhile True:\n    x += 1\n', None, 124, [], [TIMED_OUT]),
    (['--quiet', '--timeout', '0.5'], 'import time\nwhile True:\n    try:\n        time.sleep(1)\n'
     '    except Exception:\n        pass\n', None, 124, [], [TIMED_OUT]),
    (['--quiet', '--timeout', '0.2'], 'import signal, time\nsignal.pthread_sigmask(signal.SIG_BLOCK, '
     '{signal.SIGALRM})\ntime.sleep(60)\n', None, 124, [],
     [r'plugin.py timed out after 0.2 s and did not stop within 3 s\n\Z']),
    (['--quiet'], 'import os, signal, time\nos.kill(os.getpid(), signal.SIGINT)\ntime.sleep(60)\n', None, 130,
     [],
     [r'\Akarven-sim: (\S+/plugin.py) was interrupted, at \1, line [23]\nTraceback ']),
    # karven-sim test.
    (['test'], None, MODULES, 1, [], [has('\nERROR: import ./test_c.py\n'), r'\n2 passed, 2 failed, 1 skipped\n\Z']),
    (['test', 'test_b.py'], None, B, 0, [], [r'\n1 passed, 0 failed\n\Z']),
    (['test', '-v'], None, B, 0, [], [has('test_the_host_is_fresh (test_b.B')]),
    (['test'], None, {'helper.py': ''}, 5, [], [r'(?m)^karven-sim: no test_\*.py under .\n\Z']),
    (['test', 'test_b.py', 'gone'], None, B, 2, [],
     [has("karven-sim: cannot open 'gone': No such file or directory\n")]),
    (['test', '--timeout', '1'], None, dict(B, **{'test_slow.py': SLOW_TEST}), 124, [],
     [has('\n1 passed, 0 failed\nkarven-sim: test_slow.Slow.test_loop timed out after 1 s, at ./test_slow.py, '
          'line 4\n')]),
    # Usage.
    (['--help'], None, None, 0,
     [r'\Ausage: karven-sim', has('\n       karven-sim test [--timeout SECONDS] [-v] [PATH...]\n')], []),
] + [(arguments, None, None, 2, None, [r'\A' + re.escape(first_line)]) for arguments, first_line in [
    (['missing.py'], "karven-sim: cannot open 'missing.py': No such file or directory\n"),
    (['--no-such-option', 'x.py'], "karven-sim: unknown option '--no-such-option'\n"),
    ([], 'karven-sim: no script given\n'),
    (['--fire-timeouts'], 'karven-sim: no script given\n'),
    (['--trace-json'], NEEDS % '--trace-json'),
    (['--run-action'], NEEDS % '--run-action'),
    (['--dialog-answer'], NEEDS % '--dialog-answer'),
    (['--load', 'missing.so'], "karven-sim: cannot load 'missing.so': ./missing.so: cannot open"),
    (['--load', PLUGIN + ':no_such_entry'], "karven-sim: '%s' has no entry function 'no_such_entry'\n" % PLUGIN),
    (['--load', PLUGIN, 'x.py'], 'karven-sim: a script cannot be run with --load\n'),
    (['--timeout', 'soon', 'x.py'], SECONDS),
    (['--trace-json', '/nonexistent/dir/trace.json', os.path.join(EXAMPLES, 'signals_plugin.py')],
     "karven-sim: cannot write '/nonexistent/dir/trace.json'\n"),
    (['test', '--timeout'], SECONDS),
    (['test', '--summary'], "karven-sim: unknown option '--summary'\n"),
]]


@unittest.skipUnless(SIM and PLUGIN, 'KARVEN_SIM or KARVEN_SIM_PLUGIN is not set')
class CommandLines(unittest.TestCase):

    def test_command_lines(self):
        for arguments, script, files, status, out, err in CASES:
            with self.subTest(arguments):
                result = run(*arguments, script=script, files=files)
                self.assertEqual(result.returncode, status, result.stderr)
                for pattern in [r'\A\Z'] if out is None else out:
                    self.assertRegex(result.stdout, pattern)
                for pattern in err:
                    self.assertRegex(result.stderr, pattern)

    def test_the_watchlist_examples_trace_matches_the_stored_one(self):
        # Addresses made stable, the index dropped; KARVEN_SIM_STORE_TRACES=1 stores them anew.
        with tempfile.TemporaryDirectory() as directory:
            trace = os.path.join(directory, 'trace.jsonl')
            result = run('--quiet', '--trace-json', trace, os.path.join(EXAMPLES, 'watchlist_plugin.py'))
            self.assertEqual(result.returncode, 0, result.stderr)
            entries = karven_sim.stable_addresses(karven_sim.read_trace(trace))
        self.assertEqual([e.pop('index') for e in entries], list(range(len(entries))))
        lines = [json.dumps(entry) for entry in entries]
        stored = os.path.join(TRACES, 'watchlist_plugin.jsonl')
        if os.environ.get('KARVEN_SIM_STORE_TRACES'):
            with open(stored, 'w') as f:
                f.writelines(line + '\n' for line in lines)
        with open(stored) as f:
            self.assertEqual(lines, f.read().splitlines())


if __name__ == '__main__':
    unittest.main()
