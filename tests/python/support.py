"""Helpers shared by the Python tests: the three host kinds (none, the
recording test host, the simulated host) and the module's message texts.
A test with a host in-process loads the recording test host (KARVEN_TESTHOST)
with RTLD_GLOBAL before importing the module, as the application does;
snippets run in a fresh interpreter with any host kind."""

import ctypes
import json
import os
import subprocess
import sys
import textwrap
import unittest

TESTHOST_PATH = os.environ.get('KARVEN_TESTHOST', '')

NO_HOST_MESSAGE = ('Invalid Plug-in API Support Function Map.  Plug-in API calls are being made outside of the '
                   'context of a loaded plug-in.\nAPI service request has not been processed.\n')

DEBUG_IGNORE_MESSAGE = ('Turning on debug/ignore mode.  Plug-in API effectively disabled.\n'
                        'This is typically done for testing Python scripts and should be avoided\n'
                        'in real applications.  When used for testing, any compile errors below\n'
                        'this line are likely a problem.\n' + '-' * 72 + '\n')

VENDOR_PREFIX = 'com.karven'


def argument_error(function, index, declared, null=False):
    """The text of a refused argument."""
    return "%sin method '%s', argument %d of type '%s'" % (
        'invalid null reference ' if null else '', function, index, declared)


def overload_text(function, *prototypes):
    """The text of a call that matches none of an overloaded function's forms."""
    return ("Wrong number or type of arguments for overloaded function '%s'.\n  Possible C/C++ prototypes are:\n"
            % function) + ''.join('    %s\n' % p for p in prototypes)


class TestHost:
    """The recording test host, seen through its C interface."""

    def __init__(self):
        self.lib = lib = ctypes.CDLL(TESTHOST_PATH, mode=ctypes.RTLD_GLOBAL)
        lib.testhost_requests_json.restype = lib.testhost_state_json.restype = ctypes.c_char_p
        lib.testhost_report_context.argtypes = [ctypes.c_void_p]
        lib.testhost_disconnect.argtypes = [ctypes.c_void_p]
        lib.testhost_add_model_texture.argtypes = [ctypes.c_char_p] * 2
        lib.testhost_add_file.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p]
        lib.testhost_forget_history.restype = None

    def reset(self, serve=True, context=None):
        self.lib.testhost_reset()
        if serve:
            self.lib.testhost_serve()
        if context is not None:
            self.lib.testhost_report_context(context)

    def requests(self, code=None):
        found = json.loads(self.lib.testhost_requests_json().decode())
        return [r for r in found if code is None or r['code'] == code]

    def state(self):
        return json.loads(self.lib.testhost_state_json().decode())

    def disconnect(self, client):
        self.lib.testhost_disconnect(int(client.this))

    def add_file(self, file_type, filename, path):
        self.lib.testhost_add_file(file_type, filename.encode(), path.encode())

    def add_model_texture(self, model, texture):
        self.lib.testhost_add_model_texture(model.encode(), texture.encode())


_host = None


def host():
    """Loads the test host into this process (once) and imports the module."""
    global _host
    if _host is None:
        if not TESTHOST_PATH:
            raise unittest.SkipTest('KARVEN_TESTHOST is not set')
        _host = TestHost()
        import _PluginInterfaces  # noqa: F401  (finds the host's function map)
    return _host


def bind(client_class, name, cleanup=None):
    """A client of `client_class` bound to the service `name`, and its
    interface; `cleanup` (addCleanup, addModuleCleanup) unbinds it later."""
    client = client_class()
    assert client.bind(name) == 0, name
    if cleanup is not None:
        cleanup(client.unbind, name)
    return client, client.getInterface()


def callback(function):
    """A SignalCallback of a Python subclass whose callback is function(name, data)."""
    import PluginInterfaces
    return type('Receiver', (PluginInterfaces.SignalCallback,), {'callback': lambda self, *args: function(*args)})()


class HostTest(unittest.TestCase):
    """A test against the recording test host, reset before each test;
    `interface` binds a client that is unbound after the test."""

    def setUp(self):
        self.host = host()
        self.host.reset()

    def interface(self, client_class, name):
        return bind(client_class, name, self.addCleanup)[1]


PREAMBLES = {
    None: '',
    'test': ('import ctypes, os\n'
             'ctypes.CDLL(os.environ["KARVEN_TESTHOST"], mode=ctypes.RTLD_GLOBAL).testhost_serve()\n'),
    'sim': 'import karven_sim\nhost = karven_sim.start()\n',
}


def run(code, host_kind=None):
    """Runs a snippet in a fresh interpreter with no host, the recording test
    host ('test') serving or the simulated host ('sim', as `host`); returns
    the completed process (stdout, stderr and return code as text)."""
    env = dict(os.environ)
    if host_kind is None:
        env.pop('KARVEN_TESTHOST', None)
    return subprocess.run([sys.executable, '-c', PREAMBLES[host_kind] + textwrap.dedent(code)], env=env,
                          capture_output=True, text=True, timeout=120)


def assert_each_raises(test, cases):
    """Checks a table of (call, exception class, exact message)."""
    for index, (call, error, message) in enumerate(cases):
        with test.subTest(index=index, message=message[:60]):
            with test.assertRaises(error) as raised:
                call()
            test.assertEqual((type(raised.exception), str(raised.exception)), (error, message))
