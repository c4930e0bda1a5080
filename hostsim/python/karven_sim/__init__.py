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
    host.script_answer('FileWriterInterface.write', 3)   # what write() returns now
    tree = host.widgets()               # the widget tree (dicts with "children")
    calls = [e['operation'] for e in host.trace() if e['kind'] == 'call']
    state = host.state()                # state()['application'] is the application's

Inside karven-sim (a script it runs, or `karven-sim test`) start() attaches
to the host karven-sim runs. Elsewhere the host library is found through
the KARVEN_SIM_LIBRARY environment variable, else next to this package,
else, for an installed copy (<prefix>/lib/pythonX.Y/site-packages), in
<prefix>/lib.
"""

import ctypes
import json
import os
import sys
from typing import Any, Dict, Iterable, List, Optional, Sequence, Union

__all__ = ['SimulatedHost', 'start', 'read_trace', 'stable_addresses', 'TRACE_VERSION']

LIBRARY_NAME = 'libkarven_sim.so'

# The version of the trace file karven-sim --trace-json writes: a header
# line {"trace": "karven-sim", "version": TRACE_VERSION}, then one entry a line.
TRACE_VERSION = 1

# Answers a test may script: bool, int, float, str, or texts for the
# operations that answer a list.
Answer = Union[bool, int, float, str, Sequence[str]]


def _default_library() -> str:
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    beside = os.path.join(here, LIBRARY_NAME)
    prefix_lib = os.path.normpath(os.path.join(here, os.pardir, os.pardir, LIBRARY_NAME))
    return prefix_lib if not os.path.exists(beside) and os.path.exists(prefix_lib) else beside


def _in_process(symbol: str) -> bool:
    """Whether the process's global symbols (the program, the libraries it
    was linked with and those loaded globally) define `symbol`."""
    return hasattr(ctypes.CDLL(None), symbol)


def _texts(values: Iterable[str]) -> Any:
    encoded = [value.encode() for value in values]
    return (ctypes.c_char_p * max(len(encoded), 1))(*encoded), len(encoded)


class SimulatedHost:
    """The simulated host in this process."""

    def __init__(self, library_path: Optional[str] = None) -> None:
        if library_path is None and _in_process('karvensim_start'):
            # karven-sim itself, or a program linked with the host library.
            self._lib = ctypes.PyDLL(None)
        else:
            path = library_path or os.environ.get('KARVEN_SIM_LIBRARY') or _default_library()
            # Global symbols, as the application's: the library finds the
            # host's function map through the process-wide lookup.
            self._lib = ctypes.PyDLL(path, mode=ctypes.RTLD_GLOBAL)
        # Calls keep the interpreter lock (signal callbacks run Python code)
        # and raise a Python exception left pending by a callback.
        lib = self._lib
        for name in ('karvensim_trace_json', 'karvensim_trace_text', 'karvensim_state_json',
                     'karvensim_widgets_text'):
            getattr(lib, name).restype = ctypes.c_char_p
        for name in ('karvensim_fire_signal', 'karvensim_run_action'):
            getattr(lib, name).argtypes = [ctypes.c_char_p]
            getattr(lib, name).restype = ctypes.c_int
        lib.karvensim_fire_timeouts.restype = ctypes.c_int
        lib.karvensim_queue_dialog_answer.argtypes = [ctypes.c_char_p]
        lib.karvensim_click.argtypes = [ctypes.c_void_p]
        lib.karvensim_click.restype = ctypes.c_int
        lib.karvensim_set_history_limit.argtypes = [ctypes.c_ulong]
        lib.karvensim_history_limit.restype = ctypes.c_ulong
        lib.karvensim_script_answer.argtypes = [ctypes.c_char_p, ctypes.c_void_p, ctypes.c_int]
        lib.karvensim_script_answer.restype = ctypes.c_int
        lib.karvensim_add_file.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p]
        lib.karvensim_set_model_textures.argtypes = [ctypes.c_char_p, ctypes.c_void_p, ctypes.c_int]
        if not lib.karvensim_running():
            lib.karvensim_start()

    def restart(self) -> None:
        """Forgets every request, call, scripted answer and all state, as a
        newly started host (the history limit stays)."""
        self._lib.karvensim_start()

    def trace(self) -> List[Dict[str, Any]]:
        """The trace: the last history_limit() requests and interface calls,
        oldest first, as docs/simulated-host.md describes their fields."""
        return json.loads(self._lib.karvensim_trace_json().decode())

    def trace_text(self) -> str:
        """The trace as readable lines, one per entry, as karven-sim prints it."""
        return self._lib.karvensim_trace_text().decode()

    def clear_trace(self) -> None:
        """Forgets the trace; the next entry has index 0."""
        self._lib.karvensim_clear_trace()

    def state(self) -> Dict[str, Any]:
        """The host's state: "services", "application" and "gui"."""
        return json.loads(self._lib.karvensim_state_json().decode())

    def set_history_limit(self, limit: int) -> None:
        """How many trace entries and fired signals the host keeps, the
        newest (0: all). A restart keeps the limit."""
        self._lib.karvensim_set_history_limit(limit)

    def history_limit(self) -> int:
        return int(self._lib.karvensim_history_limit())

    def fire_signal(self, name: str) -> int:
        """Fires a signal through the signal service; returns how many
        callbacks ran. An exception raised by a callback propagates."""
        return int(self._lib.karvensim_fire_signal(name.encode()))

    def fire_timeouts(self) -> int:
        """Fires every pending time-out, in order of due time; returns how
        many callbacks ran. Time-outs those callbacks create wait for the
        next call."""
        return int(self._lib.karvensim_fire_timeouts())

    def run_action(self, name: str) -> int:
        """Runs an action as the user would: 0 when it ran, 2 when there is
        no such action, 3 when it is disabled."""
        return int(self._lib.karvensim_run_action(name.encode()))

    def queue_dialog_answer(self, path: str) -> None:
        """The path the next file or directory dialog returns (dialogs
        answer in the order queued; '' cancels one). Without a queued answer
        a dialog is cancelled."""
        self._lib.karvensim_queue_dialog_answer(path.encode())

    def script_answer(self, operation: str, answer: Optional[Answer]) -> None:
        """From now on the operation ("FileWriterInterface.write") returns
        `answer` without the host's service doing anything; None gives the
        operation back to the service. Raises ValueError for an unknown
        operation, one without a result, or an answer of the wrong type."""
        if answer is None:
            values, count = None, -1
        elif isinstance(answer, bool):
            values, count = _texts(['true' if answer else 'false'])
        elif isinstance(answer, (int, float, str)):
            values, count = _texts([repr(answer) if isinstance(answer, float) else str(answer)])
        else:
            values, count = _texts(answer)
        status = self._lib.karvensim_script_answer(operation.encode(), values, count)
        problems = {1: 'no operation is named %r' % operation, 2: '%r has no result to script' % operation,
                    3: '%r cannot answer %r' % (operation, answer)}
        if status in problems:
            raise ValueError(problems[status])

    def forget_answers(self) -> None:
        """Every operation answers from the host's services again."""
        self._lib.karvensim_forget_answers()

    def add_file(self, type: int, filename: str, path: str) -> None:
        """The file locator's locate(type, filename) returns `path`."""
        self._lib.karvensim_add_file(type, filename.encode(), path.encode())

    def set_model_textures(self, model: str, textures: Sequence[str]) -> None:
        """The file locator's getModelTextures(model) returns `textures`."""
        values, count = _texts(textures)
        self._lib.karvensim_set_model_textures(model.encode(), values, count)

    def widgets(self) -> List[Dict[str, Any]]:
        """The widget tree: a list of root widgets (the host's tool bar, menu
        pane and main window first), each a dict with "handle", "kind" (the
        creation request's name: "dialog_box", "button"...), "text",
        "value", "hidden", "enabled", "checked", "callback", "clicks",
        what its kind keeps ("items", "options", "range"...) and
        "children"."""
        widgets: List[Dict[str, Any]] = self.state()['gui']['widgets']
        return widgets

    def find_widgets(self, kind: Optional[str] = None, text: Optional[str] = None) -> List[Dict[str, Any]]:
        """Every widget of the tree, depth first, with that kind and text
        when given."""
        found = []

        def walk(nodes: List[Dict[str, Any]]) -> None:
            for node in nodes:
                if (kind is None or node['kind'] == kind) and (text is None or node['text'] == text):
                    found.append(node)
                walk(node['children'])
        walk(self.widgets())
        return found

    def widgets_text(self) -> str:
        """The widget tree as an indented outline, one widget a line."""
        return self._lib.karvensim_widgets_text().decode()

    def click(self, handle: Union[int, Dict[str, Any]]) -> int:
        """Clicks a widget (a handle as an int, or a widget dict) as the user
        would: a check button toggles, then its callback runs. Returns 0 when
        the callback ran, 1 when the widget has none, 2 for an unknown or
        destroyed widget, 3 when it is disabled."""
        if isinstance(handle, dict):
            handle = handle['handle']
        return int(self._lib.karvensim_click(handle))


_host: Optional[SimulatedHost] = None


def start(library_path: Optional[str] = None) -> SimulatedHost:
    """Loads and starts the simulated host (once per process; later calls
    restart it). Call it before the first import of PluginInterfaces: the
    module looks for its host only when it is imported."""
    global _host
    if _host is None:
        if '_PluginInterfaces' in sys.modules and not _in_process('SPI_GetFunctionMap'):
            raise RuntimeError(
                'karven_sim.start() comes too late: PluginInterfaces was imported without a host, and the module '
                'looks for its host only when it is first imported. Call karven_sim.start() before the first '
                'import of PluginInterfaces, or run the script with karven-sim.')
        _host = SimulatedHost(library_path)
    else:
        _host.restart()
    return _host


def read_trace(path: str) -> List[Dict[str, Any]]:
    """The entries of a trace file written by karven-sim --trace-json.
    Raises ValueError for a file that is not a trace of this version."""
    with open(path) as f:
        lines = f.read().splitlines()
    header = json.loads(lines[0]) if lines else None
    if header != {'trace': 'karven-sim', 'version': TRACE_VERSION}:
        raise ValueError('%s is not a karven-sim trace of version %d (header %r)' % (path, TRACE_VERSION, header))
    return [json.loads(line) for line in lines[1:]]


# The fields of trace entries that hold addresses.
_ADDRESS_FIELDS = ('context', 'data', 'ptrs', 'pointer', 'pointerValue', 'function', 'callback')


def stable_addresses(entries: List[Dict[str, Any]]) -> List[Dict[str, Any]]:
    """The entries with every address replaced by "@1", "@2"... in order of
    first appearance (a null address stays 0), so that traces of two runs
    compare equal when the same objects play the same parts. Where a
    request's block lay (its "data", on the caller's stack) says nothing
    about them: it becomes "@block"."""
    numbers: Dict[int, str] = {}

    def stable(address: int) -> Union[int, str]:
        return 0 if address == 0 else numbers.setdefault(address, '@%d' % (len(numbers) + 1))

    def walk(value: Any, is_address: bool) -> Any:
        if isinstance(value, dict):
            return {key: walk(item, key in _ADDRESS_FIELDS) for key, item in value.items()}
        if isinstance(value, list):
            return [walk(item, is_address) for item in value]
        return stable(value) if is_address and isinstance(value, int) else value

    stabilised = []
    for entry in entries:
        if entry.get('kind') == 'request':
            entry = dict(entry, request=dict(entry['request'], data='@block' if entry['request']['data'] else 0))
        copy = walk(entry, False)
        if entry.get('kind') == 'request':
            copy['result'] = stable(entry['result'])
        stabilised.append(copy)
    return stabilised
