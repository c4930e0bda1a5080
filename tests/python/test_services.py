"""The service classes: requests, connection, conversion errors, ownership."""

import gc
import unittest

import support
from support import argument_error as arg

CONTEXT = 0xC0FFEE


host = support.host()
import _PluginInterfaces as m  # noqa: E402
import PluginInterfaces as P  # noqa: E402

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
                unbound = (client.isValid(), client.getInterface())
                bound = (client.bind(name), client.isValid(), type(client.getInterface()).__name__)
                self.assertEqual((unbound, bound, client.unbind(name), client.isValid()),
                                 ((False, None), (0, True, interface), 0, False))
                self.assertEqual([(r['context'], {k: r['block'][k] for k in ('ints', 'strs', 'ptrs', 'dbls')})
                                  for r in host.requests(322)],
                                 [(CONTEXT, {'ints': ints, 'strs': [name], 'ptrs': [int(client.this)], 'dbls': []})
                                  for ints in ([0, 1], [1, 1])])

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

    def test_a_dropped_client_is_unbound_first_unless_the_script_did(self):
        client, unbound = P.SignalClient(), P.SignalClient()
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)  # the host lists a client once
        unbound.bind(P.cvar.SIGNAL_SERVICE_NAME)
        unbound.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        addresses = int(client.this), int(unbound.this)
        self.assertEqual(host.state()['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [addresses[0]])
        del client, unbound
        gc.collect()
        self.assertEqual(host.state()['bindings'][P.cvar.SIGNAL_SERVICE_NAME], [])
        unbinds = [r['block']['ptrs'][0] for r in host.requests(322) if r['block']['ints'] == [1, 1]]
        self.assertEqual((unbinds[-1], unbinds.count(addresses[1])), (addresses[0], 1))

    def test_file_locator_service_binds_for_its_lifetime(self):
        host.add_file(m.FileLocatorInterface_MODEL, 'tank.ive', '/models/tank.ive')
        host.add_model_texture('tank.ive', 'tank.png')
        locator = P.FileLocatorService()
        interface = locator.getInterface()
        self.assertEqual([interface.locate(m.FileLocatorInterface_MODEL, 'tank.ive'),
                          interface.locate(m.FileLocatorInterface_OTHER, 'tank.ive'),
                          interface.getModelTextures('tank.ive'), interface.getModelTextures('none')],
                         ['/models/tank.ive', '', ('tank.png',), ()])
        del interface, locator
        gc.collect()
        self.assertEqual([(r['block']['ints'][0], r['block']['strs']) for r in host.requests(322)],
                         [(0, [P.cvar.FILE_LOCATOR_SERVICE_NAME]), (1, [P.cvar.FILE_LOCATOR_SERVICE_NAME])])


class Interfaces(support.HostTest):

    def test_values_reach_the_services(self):
        w = self.interface(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME)
        self.assertIn("Swig Object of type 'PIData::PITimeFormat_t *'", repr(w.timeFormat()))
        self.assertTrue(w.timeFormat().own())
        w.setTimeFormat(w.timeFormat())
        w.setFileName('scenario.asi')
        self.assertEqual(w.write(m.FileWriterInterface_ZIP), 0)
        self.assertEqual(host.state()['fileWriter']['writes'], [{'format': 1, 'fileName': 'scenario.asi'}])
        g = self.interface(P.EntityGuiClient, P.cvar.DATABROWSER_SERVICE_NAME)
        g.selectIds([1, 2, 3])
        g.selectIds(P.UniqueIDVector([1, 2, 3]))
        g.showGuiAndSelect((2**64 - 1,))
        self.assertEqual(host.state()['entityGui']['history'], [[1, 2, 3], [1, 2, 3], [2**64 - 1]])

    def test_refused_arguments_reach_no_service(self):
        w = self.interface(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME)
        g = self.interface(P.EntityGuiClient, P.cvar.DATABROWSER_SERVICE_NAME)
        client = P.EntityGuiClient()
        basic = 'PICommon::BasicClient< PluginClient::Interfaces::EntityGuiInterface > const *'
        debug = getattr(m, '__setDebugIgnore')
        support.assert_each_raises(self, [
            (lambda: w.setShowGui(1), TypeError, arg('FileWriterInterface_setShowGui', 2, 'bool')),
            (lambda: w.setCoordinateSystem(2**31), OverflowError,
             arg('FileWriterInterface_setCoordinateSystem', 2, 'PIData::PICoordSystem_t')),
            (lambda: w.setTimeFormat(0), TypeError, arg('FileWriterInterface_setTimeFormat', 2, 'PIData::PITimeFormat_t')),
            (lambda: client.bind(None), ValueError, arg('ServiceClient_bind', 2, 'std::string const &', null=True)),
            (lambda: client.bind('\udc80'), TypeError, arg('ServiceClient_bind', 2, 'std::string const &')),
            (lambda: m.EntityGuiClient_isValid(w), TypeError, arg('EntityGuiClient_isValid', 1, basic)),
            (lambda: m.FileWriterInterface_write(None, 0), TypeError,
             arg('FileWriterInterface_write', 1, 'PluginClient::Interfaces::FileWriterInterface *')),
            (lambda: g.selectIds([-1]), TypeError, arg('EntityGuiInterface_selectIds', 2,
                                                        'std::vector< PIData::UniqueID_t,std::allocator< PIData::UniqueID_t > > const &')),
            (lambda: debug(1), TypeError, arg('__setDebugIgnore', 1, 'bool')),
            (lambda: debug(True, False), TypeError, '__setDebugIgnore expected at most 1 arguments, got 2\n'
             'Additional information:\n' + support.overload_text('__setDebugIgnore', '__setDebugIgnore(bool)',
                                                                  '__setDebugIgnore()')),
        ])
        self.assertEqual(host.state()['entityGui']['history'], [])
        w.setCullAngle(3)
        w.setCoordinateSystem(True)
        self.assertEqual((w.cullAngle(), w.coordinateSystem()), (3.0, 1), 'ints take doubles, bools ints')


class PointerLookup(support.HostTest):
    """The native object behind an argument is the one its attribute `this`
    gives, however its class answers that lookup."""

    def test_the_object_is_the_one_this_gives(self):
        bound = support.bind(P.EntityGuiClient, P.cvar.DATABROWSER_SERVICE_NAME, self.addCleanup)[0]
        impostor = type('SwigPyObject', (), {})()  # under the pointer object type's name
        no_init = {'__init__': lambda self: None}
        hook = lambda self, name: bound.this if name == 'this' else object.__getattribute__(self, name)  # noqa: E731
        holder, impostor_holder = type('Holder', (), {})(), type('Holder', (), {})()
        holder.this, impostor_holder.this = bound, impostor
        for name, argument, valid in [
            ('a client of its own', P.EntityGuiClient(), False),
            ('a subclass instance of its own', type('Subclass', (P.EntityGuiClient,), {})(), False),
            ('the bound client', bound, True),
            ('its pointer object', bound.this, True),
            ('a class property', type('ThisProperty', (P.EntityGuiClient,),
                                      dict(no_init, this=property(lambda self: bound.this)))(), True),
            ('an attribute hook', type('ThisHook', (P.EntityGuiClient,), dict(no_init, __getattribute__=hook))(), True),
            ('a proxy as this', holder, True),
            ('an impostor of the pointer object', impostor, TypeError),
            ('an impostor as this', impostor_holder, TypeError),
        ]:
            with self.subTest(name):
                if valid is TypeError:
                    self.assertRaises(TypeError, m.EntityGuiClient_isValid, argument)
                else:
                    self.assertIs(m.EntityGuiClient_isValid(argument), valid)


if __name__ == '__main__':
    unittest.main()
