"""Helpers shared by the Python tests.

The tests run against the build's module directory (on PYTHONPATH). Those
that need a host load the recording test host named by KARVEN_TESTHOST with
RTLD_GLOBAL before importing the module, as the application does; those that
need a process without a host run a snippet in a fresh interpreter.
"""

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

VENDOR_PREFIX = 'com.karven'


class TestHost:
    """The recording test host, seen through its C interface."""

    def __init__(self):
        self.lib = ctypes.CDLL(TESTHOST_PATH, mode=ctypes.RTLD_GLOBAL)
        self.lib.testhost_requests_json.restype = ctypes.c_char_p
        self.lib.testhost_state_json.restype = ctypes.c_char_p
        self.lib.testhost_report_context.argtypes = [ctypes.c_void_p]
        self.lib.testhost_connect.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        self.lib.testhost_disconnect.argtypes = [ctypes.c_void_p]
        for name in ('testhost_publish_as', 'testhost_add_model_texture'):
            getattr(self.lib, name).argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self.lib.testhost_withdraw.argtypes = [ctypes.c_char_p]
        self.lib.testhost_add_file.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p]

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

    def connect(self, client, service_name):
        self.lib.testhost_connect(int(client.this), service_name.encode())

    def disconnect(self, client):
        self.lib.testhost_disconnect(int(client.this))

    def publish_as(self, existing, new):
        self.lib.testhost_publish_as(existing.encode(), new.encode())

    def withdraw(self, name):
        self.lib.testhost_withdraw(name.encode())

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


def run_without_host(code):
    """Runs a snippet in a fresh interpreter without a host; returns the
    completed process (stdout, stderr and return code as text)."""
    env = dict(os.environ)
    env.pop('KARVEN_TESTHOST', None)
    return subprocess.run([sys.executable, '-c', textwrap.dedent(code)], env=env, capture_output=True, text=True,
                          timeout=60)


def run_with_host(code):
    """Runs a snippet in a fresh interpreter with the recording test host
    loaded and serving, as the application loads it; returns the completed
    process (stdout, stderr and return code as text)."""
    preamble = ('import ctypes, os\n'
                'ctypes.CDLL(os.environ["KARVEN_TESTHOST"], mode=ctypes.RTLD_GLOBAL).testhost_serve()\n')
    return subprocess.run([sys.executable, '-c', preamble + textwrap.dedent(code)], capture_output=True, text=True,
                          timeout=60)


def assert_each_raises(test, cases):
    """Checks a table of (call, exception class, exact message)."""
    for index, (call, error, message) in enumerate(cases):
        with test.subTest(index):
            with test.assertRaises(error) as raised:
                call()
            test.assertEqual(str(raised.exception), message)

