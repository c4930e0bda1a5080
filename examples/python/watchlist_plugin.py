"""A plug-in that keeps a watch list of entities and shows them in the
host's entity browser whenever the host appends data to the scenario.

The plug-in's objects (the two clients and the callback) live in one
Watchlist object, which the script keeps for as long as it listens.
Its tests are in test_watchlist_plugin.py, next to it.

    build/hostsim/sim/karven-sim examples/python/watchlist_plugin.py
"""

import PluginInterfaces as P


class Watchlist(P.SignalCallback):
    """Selects the watched entities each time data is appended."""

    def __init__(self, entities=()):
        super().__init__()
        self.entities = P.UniqueIDVector(entities)
        self.browser = P.EntityGuiClient()
        self.signals = P.SignalClient()

    def start(self):
        """Binds both clients and listens to the append-data signal. False
        when the host does not connect them (no host, or debug/ignore mode)."""
        self.browser.bind(P.cvar.DATABROWSER_SERVICE_NAME)
        self.signals.bind(P.cvar.SIGNAL_SERVICE_NAME)
        if not (self.browser.isValid() and self.signals.isValid()):
            return False
        return self.signals.getInterface().addCallback(P.cvar.APPEND_DATA_SIGNAL, self) == 0

    def stop(self):
        """Stops listening and unbinds both clients."""
        if self.signals.isValid():
            self.signals.getInterface().removeCallback(P.cvar.APPEND_DATA_SIGNAL, self)
        self.signals.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        self.browser.unbind(P.cvar.DATABROWSER_SERVICE_NAME)

    def watch(self, entity):
        if entity not in self.entities:
            self.entities.append(entity)

    def callback(self, name, data):
        self.browser.getInterface().showGuiAndSelect(self.entities)
        print('showing', list(self.entities))


if __name__ == '__main__':
    watchlist = Watchlist([1001, 1002])
    if not watchlist.start():
        raise SystemExit('no entity browser or signal service')
    watchlist.watch(2**64 - 1)
    # What the host does when data arrives: fire the append-data signal.
    watchlist.signals.getInterface().fireCallbacks(P.cvar.APPEND_DATA_SIGNAL, P.SignalData())
    watchlist.stop()
