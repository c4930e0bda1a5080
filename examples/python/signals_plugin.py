"""A plug-in script that listens to signals.

It binds a client to the host's signal service, registers a SignalCallback
subclass for the append-data signal and for every signal, fires a signal, and
cleans up. Run it without the application:

    build/hostsim/sim/karven-sim examples/python/signals_plugin.py
"""

from typing import List, Optional

import PluginInterfaces as P


class Announcer(P.SignalCallback):
    """Counts and prints the signals it receives."""

    def __init__(self, label: str) -> None:
        super().__init__()
        self.label = label
        self.received: List[str] = []

    def callback(self, name: str, data: Optional[P.SignalData]) -> None:
        self.received.append(name)
        print('%s received %s' % (self.label, name))


client = P.SignalClient()
client.bind(P.cvar.SIGNAL_SERVICE_NAME)
signals = client.getInterface()  # None when the host did not connect the client
if signals is None:
    raise SystemExit('no signal service')

append_data = Announcer('append-data listener')
everything = Announcer('global listener')
signals.addCallback(P.cvar.APPEND_DATA_SIGNAL, append_data)
signals.addGlobalCallback(everything)

print('callbacks registered for append data:', signals.hasCallbacks(P.cvar.APPEND_DATA_SIGNAL))
called = signals.fireCallbacks(P.cvar.APPEND_DATA_SIGNAL, P.SignalData())
print('fireCallbacks called', called, 'callbacks')

signals.removeCallback(P.cvar.APPEND_DATA_SIGNAL, append_data)
signals.removeGlobalCallback(everything)
client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
print('append-data listener saw', append_data.received)
