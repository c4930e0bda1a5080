"""The module's objects across the binary contract, against the contract host.

The contract host (KARVEN_CONTRACTS_HOST) declares the service interfaces and
the plug-in's objects on its own, apart from the library's headers: the
wrapped interface calls must reach its objects at the right slots, and its
calls on a Python SignalCallback must reach the director at slot 2.
"""

import ctypes
import json
import os
import unittest

import support

ENTITY_GUI, FILE_LOCATOR, FILE_WRITER, SIGNAL, SNAPSHOT = range(5)


def setUpModule():
    global P, m, host
    # PyDLL keeps the interpreter lock during the host's calls, as the host
    # must when it calls a Python callback.
    host = ctypes.PyDLL(os.environ['KARVEN_CONTRACTS_HOST'])
    host.contracthost_new_service.restype = ctypes.c_void_p
    host.contracthost_new_service.argtypes = [ctypes.c_int]
    host.contracthost_delete_service.argtypes = [ctypes.c_void_p]
    host.contracthost_connect.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    host.contracthost_disconnect.argtypes = [ctypes.c_void_p]
    host.contracthost_signal.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_void_p]
    host.contracthost_seen_json.restype = ctypes.c_char_p
    import _PluginInterfaces as m
    import PluginInterfaces as P


def seen():
    calls = json.loads(host.contracthost_seen_json().decode())
    host.contracthost_clear_seen()
    return calls


class InterfaceSlots(unittest.TestCase):
    # (service, the call made through the module, what the host's object saw, what the call returned),
    # one row for each kind of argument and result
    ROWS = [
        (FILE_WRITER, lambda w: w.fileName(), ['2 fileName()'], 'host.asi'),
        (FILE_WRITER, lambda w: w.setFileName('out.asi'), ['3 setFileName(out.asi)'], None),
        (FILE_WRITER, lambda w: w.endTime(), ['6 endTime()'], 2.5),
        (FILE_WRITER, lambda w: w.showGui(), ['8 showGui()'], True),
        (FILE_WRITER, lambda w: w.setShowGui(False), ['9 setShowGui(false)'], None),
        (FILE_WRITER, lambda w: w.setCoordinateSystem(2), ['21 setCoordinateSystem(2)'], None),
        (FILE_WRITER, lambda w: w.setTimeFormat(w.timeFormat()), ['12 timeFormat()', '13 setTimeFormat(3)'], None),
        (ENTITY_GUI, lambda g: g.showGuiAndSelect((1, 2**64 - 1)), ['2 showGuiAndSelect(1 18446744073709551615)'],
         None),
        (FILE_LOCATOR, lambda f: f.locate(m.FileLocatorInterface_OTHER, 'terrain.db'),
         ['2 locate(11, terrain.db)'], '/data/terrain.db'),
        (FILE_LOCATOR, lambda f: f.getModelTextures('f16'), ['3 getModelTextures(f16)'], ('f16.png', 'shared.png')),
        (FILE_WRITER, lambda w: w.write(m.FileWriterInterface_ZIP), ['24 write(1)'], 11),
        (SIGNAL, lambda s: s.hasCallbacks('sig'), ['6 hasCallbacks(sig)'], True),
        (SNAPSHOT, lambda s: s.setTimerIntervalSeconds(-5), ['6 setTimerIntervalSeconds(-5)'], None),
        (SNAPSHOT, lambda s: s.setPlotTabActive('Range', False), ['10 setPlotTabActive(Range, false)'], 31),
    ]

    def setUp(self):
        self.services = [host.contracthost_new_service(kind) for kind in range(5)]
        self.clients = [make() for make in (P.EntityGuiClient, P.FileLocatorClient, P.FileWriterClient, P.SignalClient,
                                            P.SnapShotClient)]
        for client, service in zip(self.clients, self.services):
            host.contracthost_connect(int(client.this), service)
            self.assertTrue(client.isValid())
        seen()

    def tearDown(self):
        for client in self.clients:
            host.contracthost_disconnect(int(client.this))
        for service in self.services:
            host.contracthost_delete_service(service)

    def test_every_wrapped_operation_reaches_the_hosts_object_at_its_slot(self):
        for kind, call, expected, result in self.ROWS:
            with self.subTest(expected[-1]):
                self.assertEqual(call(self.clients[kind].getInterface()), result)
                self.assertEqual(seen(), expected)

    def test_signal_registration_passes_the_directors_address(self):
        receiver = support.callback(lambda name, data: None)
        payload = P.SignalData()
        signals = self.clients[SIGNAL].getInterface()
        address = '0x%x' % int(receiver.this)
        self.assertEqual(signals.addCallback('sig', receiver), 21)
        self.assertEqual(signals.fireCallbacks('sig', payload), 25)
        self.assertEqual(signals.removeCallback('sig', receiver), 22)
        self.assertEqual(seen(), ['2 addCallback(sig, %s)' % address, '7 fireCallbacks(sig, 0x%x)' % int(payload.this),
                                  '3 removeCallback(sig, %s)' % address])
        # and the host calls the Python callback through the director's slot 2
        calls = []
        receiver.callback = lambda name, data: calls.append((name, int(data.this)))
        host.contracthost_signal(int(receiver.this), b'/PluginClient/Test/1.0', int(payload.this))
        self.assertEqual(calls, [('/PluginClient/Test/1.0', int(payload.this))])


if __name__ == '__main__':
    unittest.main()
