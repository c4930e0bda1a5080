"""Tests of the watch-list plug-in against the simulated host, in this
process. Run them with the module and hostsim/python on PYTHONPATH:

    PYTHONPATH=build/python/py38:hostsim/python:examples/python \
    KARVEN_SIM_LIBRARY=build/hostsim/sim/libkarven_sim.so \
        python3.8 -m unittest -v test_watchlist_plugin
"""

import unittest

import karven_sim

host = karven_sim.start()  # before the first import of PluginInterfaces

import PluginInterfaces as P  # noqa: E402
from watchlist_plugin import Watchlist  # noqa: E402

BIND, UNBIND = 0, 1


class WatchlistTest(unittest.TestCase):

    def setUp(self):
        host.restart()
        self.watchlist = Watchlist([1001, 1002])
        self.assertTrue(self.watchlist.start())

    def tearDown(self):
        self.watchlist.stop()

    def browser(self):
        return host.state()['services']['entityGui']

    def test_appended_data_shows_the_watched_entities(self):
        self.watchlist.watch(2**64 - 1)
        self.watchlist.watch(1001)
        self.assertEqual(host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), 1)
        self.assertTrue(self.browser()['guiShown'])
        self.assertEqual(self.browser()['history'], [[1001, 1002, 2**64 - 1]])

    def test_other_signals_leave_the_browser_alone(self):
        self.assertEqual(host.fire_signal('com.karven/Examples/Other/1.0'), 0)
        self.assertEqual(self.browser()['history'], [])

    def test_stop_unbinds_both_clients_and_stops_listening(self):
        self.watchlist.stop()
        services = [(e['request']['block']['ints'][0], e['request']['block']['strs'][0])
                    for e in host.trace() if e['request']['code'] == 322]
        self.assertEqual(services, [(BIND, P.cvar.DATABROWSER_SERVICE_NAME), (BIND, P.cvar.SIGNAL_SERVICE_NAME),
                                    (UNBIND, P.cvar.SIGNAL_SERVICE_NAME),
                                    (UNBIND, P.cvar.DATABROWSER_SERVICE_NAME)])
        self.assertEqual(host.fire_signal(P.cvar.APPEND_DATA_SIGNAL), 0)


if __name__ == '__main__':
    unittest.main()
