"""Tests of the watch-list plug-in against the simulated host. Run them in
the host's own embedded Python, as the application runs plug-ins:

    build/hostsim/sim/karven-sim test examples/python
"""

import unittest

import karven_sim

host = karven_sim.start()  # before the first import of PluginInterfaces

import PluginInterfaces as P  # noqa: E402
from watchlist_plugin import Watchlist  # noqa: E402

BIND, UNBIND = 0, 1


class WatchlistTest(unittest.TestCase):

    def setUp(self) -> None:
        host.restart()
        self.watchlist = Watchlist([1001, 1002])
        self.assertTrue(self.watchlist.start())

    def tearDown(self) -> None:
        self.watchlist.stop()

    def calls(self, operation: str) -> list:
        """The arguments of every call of the operation, in order."""
        return [e['arguments'] for e in host.trace() if e['kind'] == 'call' and e['operation'] == operation]

    def test_appended_data_shows_the_watched_entities(self) -> None:
        self.watchlist.watch(2**64 - 1)
        self.watchlist.watch(1001)
        self.assertEqual(host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), 1)
        self.assertEqual(self.calls('showGuiAndSelect'), [{'ids': [1001, 1002, 2**64 - 1]}])
        self.assertTrue(host.state()['services']['entityGui']['guiShown'])

    def test_other_signals_leave_the_browser_alone(self) -> None:
        self.assertEqual(host.fire_signal('com.karven/Examples/Other/1.0'), 0)
        self.assertEqual(self.calls('showGuiAndSelect'), [])

    def test_a_refused_registration_fails_the_start(self) -> None:
        self.watchlist.stop()
        host.script_answer('SignalInterface.addCallback', 1)
        self.assertFalse(self.watchlist.start())

    def test_stop_unbinds_both_clients_and_stops_listening(self) -> None:
        self.watchlist.stop()
        services = [(e['request']['block']['ints'][0], e['request']['block']['strs'][0])
                    for e in host.trace() if e['kind'] == 'request' and e['request']['code'] == 322]
        self.assertEqual(services, [(BIND, P.cvar.DATABROWSER_SERVICE_NAME), (BIND, P.cvar.SIGNAL_SERVICE_NAME),
                                    (UNBIND, P.cvar.SIGNAL_SERVICE_NAME),
                                    (UNBIND, P.cvar.DATABROWSER_SERVICE_NAME)])
        self.assertEqual(self.calls('removeCallback'), [{'name': P.cvar.APPEND_DATA_SIGNAL,
                                                         'callback': int(self.watchlist.this)}])
        self.assertEqual(host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), 0)


if __name__ == '__main__':
    unittest.main()
