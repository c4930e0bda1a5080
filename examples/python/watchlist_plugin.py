"""A plug-in that keeps a watch list of entities and shows them in the
host's entity browser whenever the host appends data to the scenario.

The plug-in's objects (the two clients and the callback) live in one
Watchlist object, which the script keeps for as long as it listens.
Its tests are in test_watchlist_plugin.py, next to it.

    build/hostsim/sim/karven-sim examples/python/watchlist_plugin.py
"""

from typing import Iterable, Optional

import PluginInterfaces as P


class Watchlist(P.SignalCallback):
    """Selects the watched entities each time data is appended."""

    def __init__(self, entities: Iterable[int] = ()) -> None:
        super().__init__()
        self.entities = P.UniqueIDVector(list(entities))
        self.browser = P.EntityGuiClient()
        self.signals = P.SignalClient()

    def start(self) -> bool:
        """Binds both clients and listens to the append-data signal. False
        when the host does not connect them (no host, or debug/ignore mode)."""
        self.browser.bind(P.cvar.DATABROWSER_SERVICE_NAME)
        self.signals.bind(P.cvar.SIGNAL_SERVICE_NAME)
        signals = self.signals.getInterface()
        if signals is None or not self.browser.isValid():
            return False
        return signals.addCallback(P.cvar.APPEND_DATA_SIGNAL, self) == 0

    def stop(self) -> None:
        """Stops listening and unbinds both clients."""
        signals = self.signals.getInterface()
        if signals is not None:
            signals.removeCallback(P.cvar.APPEND_DATA_SIGNAL, self)
        self.signals.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        self.browser.unbind(P.cvar.DATABROWSER_SERVICE_NAME)

    def watch(self, entity: int) -> None:
        if entity not in self.entities:
            self.entities.append(entity)

    def callback(self, name: str, data: Optional[P.SignalData]) -> None:
        browser = self.browser.getInterface()
        if browser is not None:
            browser.showGuiAndSelect(self.entities)
            print('showing', list(self.entities))


if __name__ == '__main__':
    watchlist = Watchlist([1001, 1002])
    if not watchlist.start():
        raise SystemExit('no entity browser or signal service')
    watchlist.watch(2**64 - 1)
    # What the host does when data arrives: fire the append-data signal.
    signals = watchlist.signals.getInterface()
    assert signals is not None
    signals.fireCallbacks(P.cvar.APPEND_DATA_SIGNAL, P.SignalData())
    watchlist.stop()
