"""The examples the guide shows, run as a reader would run them.

Environment (set by tests/CMakeLists.txt): PI_DOCS_PYTHON ("python|module
dir"), PI_EXAMPLES_BIN (the built C++ examples), KARVEN_SIM and
KARVEN_SIM_LIBRARY.
"""

import os
import subprocess
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
EXAMPLES = os.path.join(ROOT, 'examples', 'python')
BIN = os.environ.get('PI_EXAMPLES_BIN', '')
SIM = os.environ.get('KARVEN_SIM', '')
NO_HOST = ('Invalid Plug-in API Support Function Map.  Plug-in API calls are being made outside of the '
           'context of a loaded plug-in.\nAPI service request has not been processed.\n')
DEBUG_IGNORE = ('Turning on debug/ignore mode.  Plug-in API effectively disabled.\n'
                'This is typically done for testing Python scripts and should be avoided\n'
                'in real applications.  When used for testing, any compile errors below\n'
                'this line are likely a problem.\n'
                '------------------------------------------------------------------------\n')


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=60, **kwargs)


def python_environment():
    python, module_dir = os.environ['PI_DOCS_PYTHON'].split('|')
    env = dict(os.environ, PYTHONDONTWRITEBYTECODE='1',
               PYTHONPATH=os.pathsep.join([module_dir, os.path.join(ROOT, 'hostsim', 'python'), EXAMPLES]))
    return python, env


@unittest.skipUnless(BIN, 'PI_EXAMPLES_BIN is not set')
class CompiledExamples(unittest.TestCase):

    def test_no_host_defaults_then_silent_debug_ignore(self):
        result = run([os.path.join(BIN, 'no_host')])
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stdout, 'host found: no\n'
                                         'application name: Unknown\n'
                                         'Tracks.Refresh exists: no\n'
                                         'debug/ignore: application name Unknown, executeAction status 1\n')
        # Two requests without a host, each with its context lookup; nothing after the switch.
        self.assertEqual(result.stderr, NO_HOST * 4)

    def test_session_plugin_ownership(self):
        result = run([os.path.join(BIN, 'session_plugin')])
        self.assertEqual((result.returncode, result.stderr), (0, ''))
        self.assertEqual(result.stdout.splitlines(), [
            'createAction: 0',
            'setHotKey: 0',
            'hot key of Tracks.Refresh: Ctrl+Shift+T',
            'action Tracks.Refresh ran',
            'time-out created: yes',
            'time-out fired',
            'first registration: 0',
            # The refused delegate is deleted by the library before the call returns.
            'delegate second deleted',
            'second registration: 2',
            'proxies left to the collector: 1',
            'collector after unloading: gone',
            # The accepted one belongs to the host, which deletes it when it goes away.
            'delegate first deleted',
        ])


@unittest.skipUnless(os.environ.get('PI_DOCS_PYTHON'), 'PI_DOCS_PYTHON is not set')
class PythonExamples(unittest.TestCase):

    def test_no_host_script(self):
        python, env = python_environment()
        result = run([python, os.path.join(EXAMPLES, 'no_host.py')], env=env)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, 'bind status: 1\nconnected: False\n' + DEBUG_IGNORE +
                         'bind status: 1\nconnected: False\n')
        self.assertEqual(result.stderr, NO_HOST * 2)

    @unittest.skipUnless(SIM, 'KARVEN_SIM is not set')
    def test_the_examples_tests_pass_in_karven_sim(self):
        # As the guide runs them, with nothing set in the environment.
        env = {k: v for k, v in os.environ.items() if not k.startswith(('KARVEN_', 'PYTHON'))}
        result = run([SIM, 'test', os.path.join(EXAMPLES, 'test_watchlist_plugin.py')], env=env)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stderr.endswith('\nOK\n4 passed, 0 failed\n'), result.stderr)

    @unittest.skipUnless(SIM, 'KARVEN_SIM is not set')
    def test_watchlist_plugin_in_karven_sim(self):
        result = run([SIM, os.path.join(EXAMPLES, 'watchlist_plugin.py')])
        self.assertEqual((result.returncode, result.stderr), (0, ''))
        self.assertIn('\nshowing [1001, 1002, 18446744073709551615]\n', result.stdout)
        # Bind, bind, unbind, unbind: the script leaves nothing bound.
        services = [line for line in result.stdout.splitlines() if ' 322 PI_SERVERFUNC_SERVICES ' in line]
        self.assertEqual([line.split('ints=[')[1][0] for line in services], ['0', '0', '1', '1'])


if __name__ == '__main__':
    unittest.main()
