"""Module initialisation: the method table, docstrings, constants, cvar, the import without a host."""

import ctypes
import types
import unittest

import support

support.host()
import _PluginInterfaces as m  # noqa: E402
import PluginInterfaces as P  # noqa: E402

VECTOR = ('iterator __nonzero__ __bool__ __len__ __getslice__ __setslice__ __delslice__ __delitem__ __getitem__ '
          '__setitem__ pop append empty size swap begin end rbegin rend clear get_allocator pop_back erase new '
          'push_back front back assign resize insert reserve capacity delete swigregister swiginit')
CLIENT = 'new delete isValid getInterface onServiceConnected onServiceDisconnected swigregister swiginit'
RECORD = 'new delete swigregister swiginit'

# The method table in order: (class, members); "f=" is a field's setter and
# getter, new/delete/disown take the class as suffix, None is no class.
METHOD_TABLE = [
    (None, 'SWIG_PyInstanceMethod_New'),
    ('SwigPyIterator', 'delete value incr decr distance equal copy next __next__ previous advance __eq__ __ne__ '
                       '__iadd__ __isub__ __add__ __sub__ swigregister'),
    (None, 'PIRGB PIRGBA PIREDVAL PIGREENVAL PIBLUEVAL PIALPHAVAL __setDebugIgnore'),
    ('PITerrainRasterNodeRequest', 'buffer= bufferSize= currentRasterSize= nodeID= threadIndex= userData= ' + RECORD),
    ('PITerrainRasterSetParseToken', 'tokenName= tokenValue= userData= ' + RECORD),
    ('PITerrainRasterSetRequestInfo', 'rasterSetName= activeRequestLimit= pixelLength= shallowestLevel= '
     'deepestLevel= rasterFormat= source= classification= description= timeSpecified= timeValueYear= '
     'timeValueSecondsSinceRefYear= hasNoDataValue= noDataValue= hasIgnoreAboveValue= ignoreAboveValue= '
     'hasIgnoreBelowValue= ignoreBelowValue= hasReplacementValue= replacementValue= wwExtents= wExtents= '
     'eExtents= eeExtents= nExtents= sExtents= userData= ' + RECORD),
    ('PIFunctionParams_t', 'strMap= intMap= dblMap= ptrMap= size clear ' + RECORD),
    ('PIClientFuncAndData_t', 'funcPointer= clientData= ' + RECORD),
    ('StringVector', VECTOR),
    ('UniqueIDVector', VECTOR),
    ('BindableInterface', 'swigregister'),
    ('ServiceClient', 'delete bind unbind onServiceConnected onServiceDisconnected swigregister'),
    ('EntityGuiClient', CLIENT),
    ('EntityGuiInterface', 'showGuiAndSelect selectIds setTreeView dynamic_cast delete swigregister'),
    ('FileLocatorClient', CLIENT),
    ('FileLocatorInterface', 'delete locate getModelTextures dynamic_cast swigregister'),
    ('FileLocatorService', 'new delete getInterface onServiceConnected onServiceDisconnected swigregister swiginit'),
    ('FileWriterClient', CLIENT),
    ('FileWriterInterface', 'delete fileName setFileName startTime setStartTime endTime setEndTime showGui '
     'setShowGui filePath setFilePath timeFormat setTimeFormat isCullEnabled setCull cullAngle setCullAngle '
     'includeModels setIncludeModels coordinateSystem setCoordinateSystem getSaveExternalFiles '
     'setSaveExternalFiles write dynamic_cast swigregister'),
    ('SignalClient', CLIENT),
    ('SignalData', 'delete new swigregister swiginit'),
    ('SignalCallback', 'delete callback new disown swigregister swiginit'),
    ('SignalInterface', 'delete addCallback removeCallback addGlobalCallback removeGlobalCallback hasCallbacks '
                        'fireCallbacks dynamic_cast swigregister'),
    ('SnapShotClient', CLIENT),
    ('SnapShotInterface', 'delete setDirectory setFileType setFilename setUseScenarioTime setTimerIntervalSeconds '
     'takeSnapShot startSnapShotTimer stopSnapShotTimer setPlotTabActive setSaveCurrentPlotTab dynamic_cast '
     'swigregister'),
]

# The families of integer constants, in registration order (cvar comes
# after PI_APPEVENT_).
FAMILIES = ('PI_CLIENTFUNC_ PI_PARAMNAME_ PI_APPEVENT_ PI_NETWORK_PROTOCOL_ PI_COORDSYS_ PI_VERTDATA_ PI_MAGVAR_ '
            'PI_BEAMTYPE_ PI_GATETYPE_ PI_LOB_TYPE_ PI_STATUS_ PI_TRACKING_STATUS_ PI_OBJECT_ PI_TRACKSTYLE_ '
            'PI_RETRIEVE_ CALC_ PI_FILENAME_ PI_OVERLAY_ PI_TIMEOVERLAY_ PI_ANTNAME_ PI_ANTALGO_ PI_POLARITY_ '
            'FileLocatorInterface_ FileWriterInterface_ SnapShotInterface_FILE_').split()

SERVICE_NAMES = [
    ('DATABROWSER_SERVICE_NAME', '/KARVEN/DataBrowser/1.1'),
    ('PREFSTOOL_SERVICE_NAME', '/KARVEN/PrefsTool/1.1'),
    ('FILE_LOCATOR_SERVICE_NAME', '/PluginClient/FileLocatorService/1.0'),
    ('FILE_WRITER_SERVICE_NAME', '/PluginClient/FileWriterService/1.0'),
    ('SIGNAL_SERVICE_NAME', '/PluginClient/SignalService/1.0'),
    ('APPEND_DATA_SIGNAL', '/PluginClient/SignalService/AppendData/1.0'),
    ('SNAPSHOT_SERVICE', '/PluginClient/SnapShotService/1.0'),
]
VARIABLES = ['PI_INVALID_DOUBLE'] + [name for name, _ in SERVICE_NAMES]


def method_names():
    for owner, members in METHOD_TABLE:
        for member in members.split():
            if owner is None:
                yield member
            elif member in ('new', 'delete', 'disown'):
                yield '%s_%s' % (member, owner)
            elif member.endswith('='):
                yield '%s_%s_set' % (owner, member[:-1])
                yield '%s_%s_get' % (owner, member[:-1])
            else:
                yield '%s_%s' % (owner, member)


class MethodTable(unittest.TestCase):

    def test_entries_are_in_order_with_their_docstrings(self):
        functions = [k for k, v in vars(m).items() if isinstance(v, types.BuiltinFunctionType)]
        self.assertEqual((functions, len(functions), m.__doc__), (list(method_names()), 325, None))
        for name, doc in [
            ('SwigPyIterator_value', 'SwigPyIterator_value(SwigPyIterator self) -> PyObject *'),
            ('new_PIClientFuncAndData_t',
             '\nPIClientFuncAndData_t(PIPluginFunction_t * func=None, void * cData=None)\n\n'
             'Parameters\n----------\nfunc: PIPluginFunction_t *\ncData: void *\n\n'),
            ('__setDebugIgnore', '\n__setDebugIgnore(bool quiet=False)\n\nParameters\n----------\nquiet: bool\n\n'),
            ('SignalClient_swigregister', None), ('SWIG_PyInstanceMethod_New', None)]:
            with self.subTest(name):
                self.assertEqual(getattr(m, name).__doc__, doc)

    def test_proxy_methods_carry_the_docstring_under_their_short_name(self):
        checked = 0
        for class_name, cls in vars(P).items():
            for name, method in vars(cls).items() if isinstance(cls, type) else ():
                if type(method).__name__ != 'instancemethod':
                    continue  # static methods keep the flat function's text
                function = method.__func__
                with self.subTest(function.__name__):
                    flat_doc = getattr(m, function.__name__).__doc__
                    short = function.__name__[len(class_name) + 1:]
                    self.assertEqual(method.__doc__, flat_doc.replace(function.__name__ + '(', short + '('))
                    checked += 1
        self.assertGreater(checked, 140)


class Constants(unittest.TestCase):

    def test_constants_and_cvar_are_registered_in_order(self):
        registered = [(k, v) for k, v in vars(m).items() if isinstance(v, int) or k == 'cvar']
        self.assertEqual(len(registered), 213)
        self.assertEqual(registered[[k for k, _ in registered].index('PI_APPEVENT_ADDCUSTOMRENDERING') + 1][0], 'cvar')
        families = [next(f for f in FAMILIES if k.startswith(f)) for k, v in registered if k != 'cvar']
        self.assertEqual(sorted(set(families), key=families.index), FAMILIES)
        self.assertEqual(families, sorted(families, key=FAMILIES.index))
        self.assertTrue(all(type(v) is int for k, v in registered if k != 'cvar'))
        self.assertEqual([m.PI_BEAMTYPE_TARGET, m.PI_BEAMTYPE_STEADY, m.PI_BEAMTYPE_ABSOLUTE, m.PI_BEAMTYPE_LINEAR,
                          m.PI_OBJECT_ALL, m.PI_VERTDATA_USER, m.PI_COORDSYS_GTP, m.PI_CLIENTFUNC_LOADINGRAFYN10],
                         [1, 1, 9, 9, 8, 13, 8, 30])
        self.assertNotIn(8, [v for k, v in vars(m).items() if k.startswith('PI_APPEVENT_')])

    def test_global_variables_are_read_only(self):
        cvar = m.cvar
        self.assertEqual((cvar.PI_INVALID_DOUBLE, type(cvar.PI_INVALID_DOUBLE)), (-999999999.0, float))
        for name, path in SERVICE_NAMES:
            self.assertEqual(getattr(cvar, name), support.VENDOR_PREFIX + path)
        self.assertEqual(str(cvar), '(' + ', '.join(reversed(VARIABLES)) + ')')
        self.assertEqual(repr(cvar), '<Swig global variables>')
        for name in VARIABLES:
            with self.subTest(name):
                before = getattr(cvar, name)
                with self.assertRaisesRegex(AttributeError, '^Variable %s is read-only.$' % name):
                    setattr(cvar, name, 0)
                self.assertEqual(getattr(cvar, name), before)
        # A name without a UTF-8 form, or one that only starts like a variable.
        for name in ('NO_SUCH_NAME', '\udcff', 'PI_INVALID_DOUBLE\x00'):
            with self.subTest(name=name):
                support.assert_each_raises(self, [(access, AttributeError, "Unknown C global variable '%s'" % name)
                                                  for access in (lambda: getattr(cvar, name),
                                                                 lambda: setattr(cvar, name, 1))])

    def test_load_time_strings_of_the_client_library(self):
        # a string in the shared representation is a pointer to its characters
        library = ctypes.CDLL(m.__file__)
        for symbol, value in [('_ZN8PICommon20FileExportDelegateV26APPENDE', b'Append'),
                              ('_ZN8PIKARVEN10OPT_APPENDE', b'Append'),
                              ('_ZN12PluginClient10Interfaces18APPEND_DATA_SIGNALE',
                               support.VENDOR_PREFIX.encode() + b'/PluginClient/SignalService/AppendData/1.0')]:
            with self.subTest(symbol=symbol):
                self.assertEqual(ctypes.c_char_p.in_dll(library, symbol).value, value)


class WithoutHost(unittest.TestCase):

    def test_import_is_quiet_and_calls_report_the_missing_host_unless_ignored(self):
        # debug/ignore mode announces itself once, or never when asked to be quiet
        for setup, announced, reported in [('', '', support.NO_HOST_MESSAGE * 2),
                                           ('m.__setDebugIgnore()', support.DEBUG_IGNORE_MESSAGE, ''),
                                           ('m.__setDebugIgnore(True)', '', '')]:
            with self.subTest(setup):
                result = support.run('''
                    import _PluginInterfaces as m, PluginInterfaces as P
                    print(sum(1 for k, v in vars(m).items() if isinstance(v, int)), m.cvar.SIGNAL_SERVICE_NAME)
                    %s
                    %s
                    client = P.SignalClient()
                    print(client.bind(P.cvar.SIGNAL_SERVICE_NAME), client.isValid(), client.getInterface())
                ''' % (setup, setup and 'm.__setDebugIgnore()'))
                self.assertEqual((result.returncode, result.stdout, result.stderr),
                                 (0, '212 com.karven/PluginClient/SignalService/1.0\n' + announced + '1 False None\n',
                                  reported))


if __name__ == '__main__':
    unittest.main()
