"""Module initialisation: the method table, docstrings, calling conventions,
the integer constants and cvar."""

import ctypes
import types
import unittest

import support
from constant_table import FAMILIES
from method_table import GROUPS

SERVICE_NAMES = [
    ('DATABROWSER_SERVICE_NAME', '/KARVEN/DataBrowser/1.1'),
    ('PREFSTOOL_SERVICE_NAME', '/KARVEN/PrefsTool/1.1'),
    ('FILE_LOCATOR_SERVICE_NAME', '/PluginClient/FileLocatorService/1.0'),
    ('FILE_WRITER_SERVICE_NAME', '/PluginClient/FileWriterService/1.0'),
    ('SIGNAL_SERVICE_NAME', '/PluginClient/SignalService/1.0'),
    ('APPEND_DATA_SIGNAL', '/PluginClient/SignalService/AppendData/1.0'),
    ('SNAPSHOT_SERVICE', '/PluginClient/SnapShotService/1.0'),
]


def module():
    support.host()
    import _PluginInterfaces
    return _PluginInterfaces


class MethodTable(unittest.TestCase):

    def test_entries_are_in_the_documented_order(self):
        m = module()
        functions = [k for k, v in vars(m).items() if isinstance(v, types.BuiltinFunctionType)]
        expected = [name for group in GROUPS for name in group]
        self.assertEqual(sum(len(g) for g in GROUPS), 325)
        self.assertEqual(functions, expected)

    def test_module_has_no_docstring(self):
        self.assertIsNone(module().__doc__)

    def test_docstrings(self):
        m = module()
        cases = [
            ('SwigPyIterator_value', 'SwigPyIterator_value(SwigPyIterator self) -> PyObject *'),
            ('delete_SwigPyIterator', 'delete_SwigPyIterator(SwigPyIterator self)'),
            ('new_SignalClient', 'new_SignalClient() -> SignalClient'),
            ('new_PITerrainRasterNodeRequest', 'new_PITerrainRasterNodeRequest() -> PITerrainRasterNodeRequest'),
            ('new_PIClientFuncAndData_t',
             '\nPIClientFuncAndData_t(PIPluginFunction_t * func=None, void * cData=None)\n\n'
             'Parameters\n----------\nfunc: PIPluginFunction_t *\ncData: void *\n\n'),
            ('SignalClient_isValid', 'SignalClient_isValid(SignalClient self) -> bool'),
            ('__setDebugIgnore',
             '\n__setDebugIgnore(bool quiet=False)\n\nParameters\n----------\nquiet: bool\n\n'),
            ('ServiceClient_bind',
             '\nServiceClient_bind(ServiceClient self, std::string const & serviceName) -> int\n\n'
             'Parameters\n----------\nserviceName: std::string const &\n\n'),
            ('SignalClient_swigregister', None),
            ('SignalClient_swiginit', None),
            ('disown_SignalCallback', None),
            ('SWIG_PyInstanceMethod_New', None),
        ]
        for name, doc in cases:
            with self.subTest(name):
                self.assertEqual(getattr(m, name).__doc__, doc)

    def test_proxy_methods_carry_the_docstring_of_their_short_name(self):
        # each method of a proxy class documents itself as the flat function
        # ClassName_method does, under the method's own name
        m = module()
        import PluginInterfaces as P
        checked = 0
        for class_name, cls in vars(P).items():
            if not isinstance(cls, type):
                continue
            for name, method in vars(cls).items():
                if type(method).__name__ != 'instancemethod':
                    continue  # static methods keep the flat function's text
                function = method.__func__
                with self.subTest(function.__name__):
                    flat_doc = getattr(m, function.__name__).__doc__
                    short = function.__name__[len(class_name) + 1:]
                    self.assertEqual(method.__doc__, flat_doc.replace(function.__name__ + '(', short + '('))
                    self.assertEqual(function.__name__, getattr(m, function.__name__).__name__)
                    checked += 1
        self.assertGreater(checked, 140)

    def test_calling_conventions(self):
        m = module()
        cases = [
            # object alone or one value: the interpreter's own count check
            (m.SignalClient_isValid, (), "SignalClient_isValid() takes exactly one argument (0 given)"),
            (m.new_SignalCallback, (None, None), "new_SignalCallback() takes exactly one argument (2 given)"),
            # constructors without arguments
            (m.new_SignalClient, (1,), "new_SignalClient() takes no arguments (1 given)"),
            (m.new_SignalData, (1, 2), "new_SignalData() takes no arguments (2 given)"),
            # argument tuples: the module's count check
            (m.ServiceClient_bind, (None,), "ServiceClient_bind expected 2 arguments, got 1"),
            (m.SignalInterface_fireCallbacks, (1, 2, 3, 4), "SignalInterface_fireCallbacks expected 3 arguments, got 4"),
        ]
        for function, args, message in cases:
            with self.subTest(message):
                with self.assertRaises(TypeError) as raised:
                    function(*args)
                # Python 3.10 and later qualify the interpreter's own message with the module name.
                self.assertIn(str(raised.exception), (message, '_PluginInterfaces.' + message))


class Constants(unittest.TestCase):

    def test_every_constant_has_its_value(self):
        m = module()
        for family in FAMILIES:
            for name, value in family:
                with self.subTest(name):
                    self.assertIs(type(getattr(m, name)), int)
                    self.assertEqual(getattr(m, name), value)
        self.assertEqual(sum(len(f) for f in FAMILIES), 212)

    def test_constants_and_cvar_are_registered_in_order(self):
        m = module()
        registered = [k for k, v in vars(m).items() if isinstance(v, int) or k == 'cvar']
        expected = []
        for family in FAMILIES:
            expected += [name for name, _ in family]
            if family[0][0] == 'PI_APPEVENT_CRITEXIT':
                expected.append('cvar')
        self.assertEqual(registered, expected)

    def test_shared_values_and_gaps(self):
        m = module()
        self.assertEqual((m.PI_BEAMTYPE_TARGET, m.PI_BEAMTYPE_STEADY), (1, 1))
        self.assertEqual((m.PI_BEAMTYPE_ABSOLUTE, m.PI_BEAMTYPE_LINEAR), (9, 9))
        self.assertNotIn(8, [v for k, v in vars(m).items() if k.startswith('PI_APPEVENT_')])
        self.assertEqual(m.PI_OBJECT_ALL, 8)
        self.assertEqual(m.PI_VERTDATA_USER, 13)


class GlobalVariables(unittest.TestCase):

    def test_values(self):
        cvar = module().cvar
        self.assertEqual(cvar.PI_INVALID_DOUBLE, -999999999.0)
        self.assertIs(type(cvar.PI_INVALID_DOUBLE), float)
        for name, path in SERVICE_NAMES:
            with self.subTest(name):
                self.assertEqual(getattr(cvar, name), support.VENDOR_PREFIX + path)

    def test_str_lists_the_most_recently_linked_first(self):
        cvar = module().cvar
        names = ['PI_INVALID_DOUBLE'] + [name for name, _ in SERVICE_NAMES]
        self.assertEqual(str(cvar), '(' + ', '.join(reversed(names)) + ')')
        self.assertEqual(repr(cvar), '<Swig global variables>')

    def test_every_variable_is_read_only(self):
        cvar = module().cvar
        for name in ['PI_INVALID_DOUBLE'] + [name for name, _ in SERVICE_NAMES]:
            with self.subTest(name):
                before = getattr(cvar, name)
                with self.assertRaises(AttributeError) as raised:
                    setattr(cvar, name, 0)
                self.assertEqual(str(raised.exception), 'Variable %s is read-only.' % name)
                self.assertEqual(getattr(cvar, name), before)

    def test_unknown_variables(self):
        cvar = module().cvar
        # A name without a UTF-8 form, or one that only starts like a variable.
        for name in ('NO_SUCH_NAME', '\udcff', 'PI_INVALID_DOUBLE\x00'):
            with self.subTest(name=name):
                with self.assertRaises(AttributeError) as raised:
                    getattr(cvar, name)
                self.assertEqual(str(raised.exception), "Unknown C global variable '%s'" % name)
                with self.assertRaises(AttributeError) as raised:
                    setattr(cvar, name, 1)
                self.assertEqual(str(raised.exception), "Unknown C global variable '%s'" % name)


class ClientLibrary(unittest.TestCase):
    """The module carries the whole client library, its load-time strings
    built when it is loaded (read through the module's own symbols: a
    string in the shared representation is a pointer to its characters)."""

    def test_load_time_strings(self):
        library = ctypes.CDLL(module().__file__)
        for symbol, value in [('_ZN8PICommon20FileExportDelegateV26APPENDE', b'Append'),
                              ('_ZN8PICommon24FileImportExportDelegate6APPENDE', b'Append'),
                              ('_ZN8PIKARVEN10OPT_APPENDE', b'Append'),
                              ('_ZN12PluginClient10Interfaces18APPEND_DATA_SIGNALE',
                               support.VENDOR_PREFIX.encode() + b'/PluginClient/SignalService/AppendData/1.0')]:
            with self.subTest(symbol=symbol):
                self.assertEqual(ctypes.c_char_p.in_dll(library, symbol).value, value)


class ImportWithoutHost(unittest.TestCase):

    def test_import_succeeds_quietly_with_every_constant(self):
        result = support.run_without_host('''
            import _PluginInterfaces as m, PluginInterfaces
            print(sum(1 for k, v in vars(m).items() if isinstance(v, int)), m.cvar.SIGNAL_SERVICE_NAME)
        ''')
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, '212 com.karven/PluginClient/SignalService/1.0\n')
        self.assertEqual(result.stderr, '')

    def test_calls_report_the_missing_host(self):
        result = support.run_without_host('''
            import PluginInterfaces as P
            client = P.SignalClient()
            print(client.bind(P.cvar.SIGNAL_SERVICE_NAME), client.isValid(), client.getInterface())
        ''')
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, '1 False None\n')
        self.assertEqual(result.stderr, support.NO_HOST_MESSAGE * 2)


if __name__ == '__main__':
    unittest.main()
