"""Test a plug-in script against the simulated KARVEN host, in-process.

Start the host before the first import of PluginInterfaces, then drive the
plug-in and look at what it asked of the host:

    import karven_sim
    host = karven_sim.start()          # before importing PluginInterfaces
    import PluginInterfaces as P
    ...                                 # the plug-in's own code
    host.fire_signal(P.cvar.APPEND_DATA_SIGNAL)
    host.queue_dialog_answer('/data/track.csv')   # what the next file dialog returns
    host.run_action('View.Redraw')      # as the user would; 0 when it ran
    host.fire_timeouts()                # runs the pending time-outs' callbacks
    host.click(handle)                  # clicks a widget; 0 when its callback ran
    tree = host.widgets()               # the widget tree (dicts with "children")
    names = [entry['name'] for entry in host.trace()]
    state = host.state()                # state()['application'] is the application's

The host library is found through the KARVEN_SIM_LIBRARY environment
variable, else next to this file, else, for an installed copy
(<prefix>/lib/pythonX.Y/site-packages), in <prefix>/lib.
"""

import ctypes
import json
import os

__all__ = ['SimulatedHost', 'start']

LIBRARY_NAME = 'libkarven_sim.so'


def _default_library():
    here = os.path.dirname(os.path.abspath(__file__))
    beside = os.path.join(here, LIBRARY_NAME)
    prefix_lib = os.path.normpath(os.path.join(here, os.pardir, os.pardir, LIBRARY_NAME))
    return prefix_lib if not os.path.exists(beside) and os.path.exists(prefix_lib) else beside


class SimulatedHost:
    """The simulated host loaded into this process."""

    def __init__(self, library_path=None):
        path = library_path or os.environ.get('KARVEN_SIM_LIBRARY') or _default_library()
        # Global symbols, as the application's: the library finds the host's
        # function map through the process-wide lookup. Calls keep the
        # interpreter lock (signal callbacks run Python code) and raise a
        # Python exception left pending by a callback.
        self._lib = ctypes.PyDLL(path, mode=ctypes.RTLD_GLOBAL)
        for name in ('karvensim_trace_json', 'karvensim_trace_text', 'karvensim_state_json'):
            getattr(self._lib, name).restype = ctypes.c_char_p
        for name in ('karvensim_fire_signal', 'karvensim_run_action'):
            getattr(self._lib, name).argtypes = [ctypes.c_char_p]
            getattr(self._lib, name).restype = ctypes.c_int
        self._lib.karvensim_fire_timeouts.restype = ctypes.c_int
        self._lib.karvensim_queue_dialog_answer.argtypes = [ctypes.c_char_p]
        self._lib.karvensim_click.argtypes = [ctypes.c_void_p]
        self._lib.karvensim_click.restype = ctypes.c_int
        self._lib.karvensim_widgets_text.restype = ctypes.c_char_p
        self._lib.karvensim_start()

    def restart(self):
        """Forgets every request and all state, as a newly started host."""
        self._lib.karvensim_start()

    def trace(self):
        """Every request so far: dicts with "index", "name", "request"
        (context, code, data, block), "answered" (the block as the host left
        it) and "result"."""
        return json.loads(self._lib.karvensim_trace_json().decode())

    def trace_text(self):
        """The trace as readable lines, one per request."""
        return self._lib.karvensim_trace_text().decode()

    def clear_trace(self):
        self._lib.karvensim_clear_trace()

    def state(self):
        """The host's state: services, bindings and what the application keeps."""
        return json.loads(self._lib.karvensim_state_json().decode())

    def fire_signal(self, name):
        """Fires a signal through the signal service; returns how many
        callbacks ran. An exception raised by a callback propagates."""
        return self._lib.karvensim_fire_signal(name.encode())

    def fire_timeouts(self):
        """Fires every pending time-out, in order of due time; returns how
        many callbacks ran. Time-outs those callbacks create wait for the
        next call."""
        return self._lib.karvensim_fire_timeouts()

    def run_action(self, name):
        """Runs an action as the user would: 0 when it ran, 2 when there is
        no such action, 3 when it is disabled."""
        return self._lib.karvensim_run_action(name.encode())

    def queue_dialog_answer(self, path):
        """The path the next file or directory dialog returns (dialogs
        answer in the order queued; '' cancels one). Without a queued answer
        a dialog is cancelled."""
        self._lib.karvensim_queue_dialog_answer(path.encode())

    def widgets(self):
        """The widget tree: a list of root widgets (the host's tool bar, menu
        pane and main window first), each a dict with "handle", "kind" (the
        creation request's name: "dialog_box", "button"...), "text",
        "value", "hidden", "enabled", "checked", "callback", "clicks",
        what its kind keeps ("items", "options", "range"...) and
        "children"."""
        return self.state()['gui']['widgets']

    def find_widgets(self, kind=None, text=None):
        """Every widget of the tree, depth first, with that kind and text
        when given."""
        found = []

        def walk(nodes):
            for node in nodes:
                if (kind is None or node['kind'] == kind) and (text is None or node['text'] == text):
                    found.append(node)
                walk(node['children'])
        walk(self.widgets())
        return found

    def widgets_text(self):
        """The widget tree as an indented outline, one widget a line."""
        return self._lib.karvensim_widgets_text().decode()

    def click(self, handle):
        """Clicks a widget (a handle as an int, or a widget dict) as the user
        would: a check button toggles, then its callback runs. Returns 0 when
        the callback ran, 1 when the widget has none, 2 for an unknown or
        destroyed widget, 3 when it is disabled."""
        if isinstance(handle, dict):
            handle = handle['handle']
        return self._lib.karvensim_click(handle)


_host = None


def start(library_path=None):
    """Loads and starts the simulated host (once per process); call it before
    the first import of PluginInterfaces."""
    global _host
    if _host is None:
        _host = SimulatedHost(library_path)
    else:
        _host.restart()
    return _host
