"""The service classes: requests, connection, conversion errors, ownership."""

import gc
import unittest

import support

CONTEXT = 0xC0FFEE


def setUpModule():
    global P, m, host
    host = support.host()
    import _PluginInterfaces as m
    import PluginInterfaces as P


CLIENTS = [
    ('EntityGuiClient', 'DATABROWSER_SERVICE_NAME', 'EntityGuiInterface'),
    ('FileLocatorClient', 'FILE_LOCATOR_SERVICE_NAME', 'FileLocatorInterface'),
    ('FileWriterClient', 'FILE_WRITER_SERVICE_NAME', 'FileWriterInterface'),
    ('SignalClient', 'SIGNAL_SERVICE_NAME', 'SignalInterface'),
    ('SnapShotClient', 'SNAPSHOT_SERVICE', 'SnapShotInterface'),
]


class Clients(unittest.TestCase):

    def setUp(self):
        host.reset(context=CONTEXT)

    def test_bind_sends_name_and_client_address_and_connects(self):
        for client_class, service, interface in CLIENTS:
            with self.subTest(client_class):
                host.reset(context=CONTEXT)
                client = getattr(P, client_class)()
                name = getattr(P.cvar, service)
                self.assertFalse(client.isValid())
                self.assertIsNone(client.getInterface())
                self.assertEqual(client.bind(name), 0)
                self.assertTrue(client.isValid())
                self.assertIsInstance(client.getInterface(), getattr(P, interface))
                self.assertEqual(client.unbind(name), 0)
                self.assertFalse(client.isValid())
                sent = host.requests(322)
                self.assertEqual([r['block']['ints'] for r in sent], [[0, 1], [1, 1]])
                for request in sent:
                    self.assertEqual(request['context'], CONTEXT)
                    self.assertEqual(request['block']['strs'], [name])
                    self.assertEqual(request['block']['ptrs'], [int(client.this)])
                    self.assertEqual(request['block']['dbls'], [])

    def test_connection_state_driven_by_the_script(self):
        client = P.SignalClient()
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        interface = client.getInterface()
        client.onServiceConnected(None)
        self.assertEqual(int(client.getInterface().this), int(interface.this))
        client.onServiceDisconnected()
        self.assertFalse(client.isValid())
        # Its borrowed interface ended with the connection; while another
        # client holds the same interface, it may connect this one again.
        with self.assertRaisesRegex(TypeError, "argument 2 of type 'PICommon::BindableInterface \\*'"):
            client.onServiceConnected(interface)
        other = P.SignalClient()
        other.bind(P.cvar.SIGNAL_SERVICE_NAME)
        client.onServiceConnected(other.getInterface())
        self.assertTrue(client.isValid())
        other.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        writer = P.FileWriterClient()
        writer.bind(P.cvar.FILE_WRITER_SERVICE_NAME)
        client.onServiceConnected(writer.getInterface())
        self.assertFalse(client.isValid(), 'an interface of another type leaves the client unconnected')
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        writer.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)

    def test_a_dropped_client_is_unbound_first(self):
        client = P.SignalClient()
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)  # the host lists a client once
        address = int(client.this)
        self.assertEqual(host.state()['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [address])
        del client
        gc.collect()
        self.assertEqual(host.state()['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [])
        self.assertEqual(host.requests(322)[-1]['block']['ints'], [1, 1])

    def test_a_client_unbound_by_the_script_is_not_unbound_again(self):
        client = P.SignalClient()
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        del client
        gc.collect()
        self.assertEqual(len(host.requests(322)), 2)

    def test_file_locator_service_binds_for_its_lifetime(self):
        host.add_file(m.FileLocatorInterface_MODEL, 'tank.ive', '/models/tank.ive')
        host.add_model_texture('tank.ive', 'tank.png')
        locator = P.FileLocatorService()
        interface = locator.getInterface()
        self.assertEqual(interface.locate(m.FileLocatorInterface_MODEL, 'tank.ive'), '/models/tank.ive')
        self.assertEqual(interface.locate(m.FileLocatorInterface_OTHER, 'tank.ive'), '')
        self.assertEqual(interface.getModelTextures('tank.ive'), ('tank.png',))
        self.assertEqual(interface.getModelTextures('none'), ())
        del interface, locator
        gc.collect()
        sent = host.requests(322)
        self.assertEqual([r['block']['ints'][0] for r in sent], [0, 1])
        self.assertEqual({r['block']['strs'][0] for r in sent}, {P.cvar.FILE_LOCATOR_SERVICE_NAME})

    def test_dynamic_cast_keeps_only_the_right_interface(self):
        writer = P.FileWriterClient()
        writer.bind(P.cvar.FILE_WRITER_SERVICE_NAME)
        interface = writer.getInterface()
        self.assertIsNone(P.SignalInterface.dynamic_cast(interface))
        self.assertIsNone(m.SignalInterface_dynamic_cast(None))
        same = P.FileWriterInterface.dynamic_cast(interface)
        self.assertEqual(int(same.this), int(interface.this))
        self.assertFalse(same.thisown)
        writer.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)


class Interfaces(unittest.TestCase):

    def setUp(self):
        host.reset()
        self.clients = {}

    def tearDown(self):
        for name, client in self.clients.items():
            client.unbind(name)

    def interface(self, client_class, service):
        client = getattr(P, client_class)()
        name = getattr(P.cvar, service)
        client.bind(name)
        self.clients[name] = client
        return client.getInterface()

    def test_file_writer_keeps_every_field(self):
        w = self.interface('FileWriterClient', 'FILE_WRITER_SERVICE_NAME')
        w.setFileName('scenario.asi')
        w.setStartTime(1.5)
        w.setEndTime(3)
        w.setShowGui(True)
        w.setFilePath(P.PI_FILENAME_STRIPPED)
        w.setCull(True)
        w.setCullAngle(12.25)
        w.setIncludeModels(True)
        w.setCoordinateSystem(P.PI_COORDSYS_ECEF)
        w.setSaveExternalFiles(True)
        w.setTimeFormat(w.timeFormat())
        self.assertEqual((w.fileName(), w.startTime(), w.endTime(), w.showGui(), w.filePath(), w.isCullEnabled(),
                          w.cullAngle(), w.includeModels(), w.coordinateSystem(), w.getSaveExternalFiles()),
                         ('scenario.asi', 1.5, 3.0, True, 2, True, 12.25, True, 4, True))
        self.assertIs(type(w.endTime()), float)
        self.assertEqual(w.write(m.FileWriterInterface_ZIP), 0)
        self.assertEqual(host.state()['fileWriter']['writes'], [{'format': 1, 'fileName': 'scenario.asi'}])

    def test_time_format_is_an_owned_pointer_object(self):
        w = self.interface('FileWriterClient', 'FILE_WRITER_SERVICE_NAME')
        value = w.timeFormat()
        self.assertIn("Swig Object of type 'PIData::PITimeFormat_t *'", repr(value))
        self.assertTrue(value.own())

    def test_entity_gui_takes_lists_or_vectors_of_ids(self):
        g = self.interface('EntityGuiClient', 'DATABROWSER_SERVICE_NAME')
        g.selectIds([1, 2, 3])
        g.selectIds(P.UniqueIDVector([1, 2, 3]))
        g.showGuiAndSelect((2**64 - 1,))
        g.setTreeView(True)
        state = host.state()['entityGui']
        self.assertEqual(state['history'], [[1, 2, 3], [1, 2, 3], [2**64 - 1]])
        self.assertTrue(state['guiShown'] and state['treeView'])

    def test_snapshot(self):
        s = self.interface('SnapShotClient', 'SNAPSHOT_SERVICE')
        s.setDirectory('/tmp/shots')
        s.setFileType(m.SnapShotInterface_FILE_PNG)
        s.setTimerIntervalSeconds(5)
        s.takeSnapShot()
        s.startSnapShotTimer()
        self.assertEqual(s.setPlotTabActive('tab', True), 0)
        self.assertEqual(s.setSaveCurrentPlotTab(False), 0)
        state = host.state()['snapShot']
        self.assertEqual((state['directory'], state['fileType'], state['timerIntervalSeconds'],
                          state['snapShotsTaken'], state['timerRunning']), ('/tmp/shots', 1, 5, 1, True))


class ArgumentErrors(unittest.TestCase):

    def setUp(self):
        host.reset()
        self.writer = P.FileWriterClient()
        self.writer.bind(P.cvar.FILE_WRITER_SERVICE_NAME)
        self.gui = P.EntityGuiClient()
        self.gui.bind(P.cvar.DATABROWSER_SERVICE_NAME)

    def tearDown(self):
        self.writer.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)
        self.gui.unbind(P.cvar.DATABROWSER_SERVICE_NAME)

    def test_messages(self):
        w = self.writer.getInterface()
        g = self.gui.getInterface()
        client = P.EntityGuiClient()
        cases = [
            (m.FileWriterInterface_setShowGui, (w, 1), TypeError,
             "in method 'FileWriterInterface_setShowGui', argument 2 of type 'bool'"),
            (m.FileWriterInterface_setCullAngle, (w, 'x'), TypeError,
             "in method 'FileWriterInterface_setCullAngle', argument 2 of type 'double'"),
            (m.FileWriterInterface_setCoordinateSystem, (w, 2**31), OverflowError,
             "in method 'FileWriterInterface_setCoordinateSystem', argument 2 of type 'PIData::PICoordSystem_t'"),
            (m.FileWriterInterface_setFilePath, (w, 'a'), TypeError,
             "in method 'FileWriterInterface_setFilePath', argument 2 of type 'PIKARVEN::PIFilenameType_t'"),
            (m.FileWriterInterface_setTimeFormat, (w, 0), TypeError,
             "in method 'FileWriterInterface_setTimeFormat', argument 2 of type 'PIData::PITimeFormat_t'"),
            (m.ServiceClient_bind, (client, None), ValueError,
             "invalid null reference in method 'ServiceClient_bind', argument 2 of type 'std::string const &'"),
            (m.ServiceClient_bind, (client, '\udc80'), TypeError,
             "in method 'ServiceClient_bind', argument 2 of type 'std::string const &'"),
            (m.EntityGuiClient_isValid, (w,), TypeError,
             "in method 'EntityGuiClient_isValid', argument 1 of type "
             "'PICommon::BasicClient< PluginClient::Interfaces::EntityGuiInterface > const *'"),
            (m.EntityGuiClient_isValid, (None,), TypeError,
             "in method 'EntityGuiClient_isValid', argument 1 of type "
             "'PICommon::BasicClient< PluginClient::Interfaces::EntityGuiInterface > const *'"),
            (m.FileWriterInterface_write, (None, 0), TypeError,
             "in method 'FileWriterInterface_write', argument 1 of type 'PluginClient::Interfaces::FileWriterInterface *'"),
            (getattr(m, "__setDebugIgnore"), (1,), TypeError, "in method '__setDebugIgnore', argument 1 of type 'bool'"),
            (getattr(m, "__setDebugIgnore"), (True, False), TypeError,
             "__setDebugIgnore expected at most 1 arguments, got 2\nAdditional information:\n"
             "Wrong number or type of arguments for overloaded function '__setDebugIgnore'.\n"
             "  Possible C/C++ prototypes are:\n    __setDebugIgnore(bool)\n    __setDebugIgnore()\n"),
        ]
        for function, args, error, message in cases:
            with self.subTest(message):
                with self.assertRaises(error) as raised:
                    function(*args)
                self.assertIs(type(raised.exception), error)
                self.assertEqual(str(raised.exception), message)

    def test_negative_ids_are_refused_before_the_call(self):
        g = self.gui.getInterface()
        with self.assertRaises(TypeError) as raised:
            g.selectIds([-1])
        self.assertTrue(str(raised.exception).startswith("in method 'EntityGuiInterface_selectIds', argument 2 "))
        self.assertEqual(host.state()['entityGui']['history'], [])

    def test_ints_convert_to_double_and_bools_to_int(self):
        w = self.writer.getInterface()
        w.setCullAngle(3)
        self.assertEqual(w.cullAngle(), 3.0)
        w.setCoordinateSystem(True)
        self.assertEqual(w.coordinateSystem(), 1)


class PointerLookup(unittest.TestCase):
    """The native object behind an argument is the one its attribute `this`
    gives, however its class answers that lookup."""

    def setUp(self):
        host.reset()
        self.bound = P.EntityGuiClient()
        self.bound.bind(P.cvar.DATABROWSER_SERVICE_NAME)

    def tearDown(self):
        self.bound.unbind(P.cvar.DATABROWSER_SERVICE_NAME)

    def test_the_object_is_the_one_this_gives(self):
        bound = self.bound

        class Subclass(P.EntityGuiClient):
            pass

        class ThisProperty(P.EntityGuiClient):
            this = property(lambda self: bound.this)

            def __init__(self):
                pass

        class ThisHook(P.EntityGuiClient):
            def __init__(self):
                pass

            def __getattribute__(self, name):
                return bound.this if name == 'this' else object.__getattribute__(self, name)

        class Holder:
            pass

        holder = Holder()
        holder.this = bound
        cases = [
            ('a client of its own', P.EntityGuiClient(), False),
            ('a subclass instance of its own', Subclass(), False),
            ('the bound client', bound, True),
            ('its pointer object', bound.this, True),
            ('a class property', ThisProperty(), True),
            ('an attribute hook', ThisHook(), True),
            ('a proxy as this', holder, True),
        ]
        for name, argument, valid in cases:
            with self.subTest(name):
                self.assertIs(m.EntityGuiClient_isValid(argument), valid)


class DebugIgnore(unittest.TestCase):

    ANNOUNCEMENT = ('Turning on debug/ignore mode.  Plug-in API effectively disabled.\n'
                    'This is typically done for testing Python scripts and should be avoided\n'
                    'in real applications.  When used for testing, any compile errors below\n'
                    'this line are likely a problem.\n' + '-' * 72 + '\n')

    def test_forms(self):
        for call, out in [('m.__setDebugIgnore()', self.ANNOUNCEMENT), ('m.__setDebugIgnore(False)', self.ANNOUNCEMENT),
                          ('m.__setDebugIgnore(True)', '')]:
            with self.subTest(call):
                result = support.run_without_host('''
                    import _PluginInterfaces as m, PluginInterfaces as P
                    %s
                    m.__setDebugIgnore()
                    c = P.SignalClient()
                    print(c.bind(P.cvar.SIGNAL_SERVICE_NAME), c.isValid())
                ''' % call)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout, out + '1 False\n')
                self.assertEqual(result.stderr, '')


if __name__ == '__main__':
    unittest.main()
