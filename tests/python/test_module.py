"""Module initialisation: the method table, docstrings, calling conventions,
the integer constants and cvar, the import without a host."""

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

# The integer constants in registration order: (prefix, first value or the
# values, names); cvar comes after the PI_APPEVENT_ family.
CONSTANTS = [
    ('PI_CLIENTFUNC_', 0, 'INITIALIZE CALLBACK QUIT NAME CLOSELOCATION OPENLOCATION FINDNETWORK HANDLECONFIG '
     'SAVECONFIG EVENTANNOUNCEMENT DRAWONREFRESH LOADINKARVEN LOADINGRAFYN LOADINZENTRIK LOADINTESSIVAR '
     'PREDRAWONREFRESH HANDLEMOUSEEVENT INITIALIZETERRAINRASTERSET PARSETERRAINRASTERSETTOKEN '
     'GETTERRAINRASTERSETTOKENSTRING GETTERRAINRASTERNODE DEREFERENCETERRAINRASTERSET GETTERRAINRASTERSETINFO '
     'DESCRIPTION AUTHOR VERSION URL CONTACTINFO LOADINKARVEN10 REGISTERCMDLINE LOADINGRAFYN10'),
    ('PI_PARAMNAME_', 0, 'RETURNVALUE TIME ID NAME STATUS LOCATION PORT PROTOCOL TAG DATA TAGDATAPAIRS EVENTTYPE '
     'EVENTDATA WIDTH HEIGHT ARGS INITIALIZETERRAINRASTERSET PARSETERRAINRASTERSETTOKEN '
     'GETTERRAINRASTERSETTOKENSTRING GETTERRAINRASTERNODE DEREFERENCETERRAINRASTERSET GETTERRAINRASTERSETINFO '
     'ARGSREGISTER ARGSQUERY'),
    ('PI_APPEVENT_', [1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19], 'CRITEXIT LOADFILE '
     'CLOSEFILE REMOVEOBJECT ADDPLATFORM ADDBEAM ADDGATE SERVERSTATUS MOTIONSTOP DELETEVIEWPORT ADDLASER FLUSHDATA '
     'ADDLOB LIVETOFILE TOLIVE PREFSCHANGE ADDPROJECTOR ADDCUSTOMRENDERING'),
    ('PI_NETWORK_PROTOCOL_', 0, 'MULTICAST BROADCAST UNICAST'),
    ('PI_COORDSYS_', [0, 1, 2, 3, 4, 5, 8, 9], 'NED NWU ENU LLA ECEF XEAST GTP ECI'),
    ('PI_VERTDATA_', [1, 2, 13], 'WGS84 MSL USER'),
    ('PI_MAGVAR_', 1, 'TRUE WMM USER'),
    ('PI_BEAMTYPE_', [0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10], 'UNKNOWN TARGET STEADY CONICAL_SPIRAL HORZ_BIDIR '
     'VERT_BIDIR HORZ_UNIDIR VERT_UNIDIR HORZ_RASTER VERT_RASTER ABSOLUTE LINEAR BODY_AXIS'),
    ('PI_GATETYPE_', 0, 'UNKNOWN RANGE GUARD TARGET ANGLE RAIN CLUTTER FOOTPRINT SECTOR PUSH COVERAGE BODY'),
    ('PI_LOB_TYPE_', 0, 'UNKNOWN RELATIVE ABSOLUTE'),
    ('PI_STATUS_', 0, 'HIDDEN VISIBLE'),
    ('PI_TRACKING_STATUS_', 0, 'INVALID VALID'),
    ('PI_OBJECT_', [0, 1, 2, 4, 8, 16, 32, 64, 128, 256], 'NONE PLATFORM BEAM GATE ALL GENERICDATA LASER LOB '
     'PROJECTOR CUSTOM_RENDERING'),
    ('PI_TRACKSTYLE_', 0, 'OFF POINT LINE RIBBON BRIDGE'),
    ('PI_RETRIEVE_', 0, 'INTERPOLATE NEXT PREVIOUS NEXT_INCLUSIVE PREVIOUS_INCLUSIVE FIRST LAST CURRENT'),
    ('CALC_', 0, 'SUN_POSITION SUN_ILLUMINANCE MOON_POSITION MOON_ILLUMINANCE MACH AOA TOTAL_AOA SIDE_SLIP FPA '
     'COURSE'),
    ('PI_FILENAME_', 0, 'ABSOLUTE RELATIVE STRIPPED UNCHANGED'),
    ('PI_OVERLAY_', 0, 'NONE TIME TIMESMALL ALL TIMELLA'),
    ('PI_TIMEOVERLAY_', 0, 'SECONDS MINUTES HOURS MONTH JULIAN YEAR DTG'),
    ('PI_ANTNAME_', 0, 'NONE ALGORITHM MONOPULSE CRUISE RELATIVE TABLE BILINEAR NSMA EZNEC XFDTD'),
    ('PI_ANTALGO_', 0, 'NONE PEDESTAL GAUSS CSC_SQUARED SINXX OMNI'),
    ('PI_POLARITY_', 0, 'UNKNOWN HORIZONTAL VERTICAL CIRCULAR HORZVERT VERTHORZ LEFTCIRC RIGHTCIRC LINEAR'),
    ('FileLocatorInterface_', 0, 'MODEL GOG MEDIA TERRAIN PREFERENCE_RULE VIEW HOTKEY DISCN ANTENNAPATTERN RFPROP '
     'SCREENTEXT OTHER'),
    ('FileWriterInterface_', 0, 'ASI ZIP'),
    ('SnapShotInterface_FILE_', 0, 'JPG PNG'),
]

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


def constants():
    for prefix, values, names in CONSTANTS:
        names = names.split()
        values = values if isinstance(values, list) else range(values, values + len(names))
        yield [(prefix + name, value) for name, value in zip(names, values)]


class MethodTable(unittest.TestCase):

    def test_entries_are_in_order(self):
        functions = [k for k, v in vars(m).items() if isinstance(v, types.BuiltinFunctionType)]
        self.assertEqual(functions, list(method_names()))
        self.assertEqual(len(functions), 325)
        self.assertIsNone(m.__doc__)

    def test_docstrings(self):
        cases = [
            ('SwigPyIterator_value', 'SwigPyIterator_value(SwigPyIterator self) -> PyObject *'),
            ('new_SignalClient', 'new_SignalClient() -> SignalClient'),
            ('new_PIClientFuncAndData_t',
             '\nPIClientFuncAndData_t(PIPluginFunction_t * func=None, void * cData=None)\n\n'
             'Parameters\n----------\nfunc: PIPluginFunction_t *\ncData: void *\n\n'),
            ('__setDebugIgnore', '\n__setDebugIgnore(bool quiet=False)\n\nParameters\n----------\nquiet: bool\n\n'),
            ('new_StringVector',
             '\nStringVector()\nStringVector(StringVector other)\n\n'
             'Parameters\n----------\nother: std::vector< std::string > const &\n\n'
             'StringVector(std::vector< std::string >::size_type size)\n\n'
             'Parameters\n----------\nsize: std::vector< std::string >::size_type\n\n'
             'new_StringVector(std::vector< std::string >::size_type size, '
             'std::vector< std::string >::value_type const & value) -> StringVector\n\n'
             'Parameters\n----------\nsize: std::vector< std::string >::size_type\n'
             'value: std::vector< std::string >::value_type const &\n\n'),
            ('SignalClient_swigregister', None),
            ('disown_SignalCallback', None),
            ('SWIG_PyInstanceMethod_New', None),
        ]
        for name, doc in cases:
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

    def test_calling_conventions(self):
        cases = [
            (m.SignalClient_isValid, (), "SignalClient_isValid() takes exactly one argument (0 given)"),
            (m.new_SignalCallback, (None, None), "new_SignalCallback() takes exactly one argument (2 given)"),
            (m.new_SignalData, (1, 2), "new_SignalData() takes no arguments (2 given)"),
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

    def test_constants_and_cvar_are_registered_in_order_with_their_values(self):
        expected = []
        for family in constants():
            expected += family
            if family[0][0] == 'PI_APPEVENT_CRITEXIT':
                expected.append(('cvar', m.cvar))
        registered = [(k, v) for k, v in vars(m).items() if isinstance(v, int) or k == 'cvar']
        self.assertEqual(registered, expected)
        self.assertEqual(len(expected), 213)
        self.assertTrue(all(type(v) is int for k, v in registered if k != 'cvar'))

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
                with self.assertRaises(AttributeError) as raised:
                    setattr(cvar, name, 0)
                self.assertEqual(str(raised.exception), 'Variable %s is read-only.' % name)
                self.assertEqual(getattr(cvar, name), before)
        # A name without a UTF-8 form, or one that only starts like a variable.
        for name in ('NO_SUCH_NAME', '\udcff', 'PI_INVALID_DOUBLE\x00'):
            with self.subTest(name=name):
                for access in (lambda: getattr(cvar, name), lambda: setattr(cvar, name, 1)):
                    with self.assertRaises(AttributeError) as raised:
                        access()
                    self.assertEqual(str(raised.exception), "Unknown C global variable '%s'" % name)

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

    def test_import_is_quiet_and_calls_report_the_missing_host(self):
        result = support.run('''
            import _PluginInterfaces as m, PluginInterfaces as P
            print(sum(1 for k, v in vars(m).items() if isinstance(v, int)), m.cvar.SIGNAL_SERVICE_NAME)
            client = P.SignalClient()
            print(client.bind(P.cvar.SIGNAL_SERVICE_NAME), client.isValid(), client.getInterface())
        ''')
        self.assertEqual((result.returncode, result.stdout, result.stderr),
                         (0, '212 com.karven/PluginClient/SignalService/1.0\n1 False None\n',
                          support.NO_HOST_MESSAGE * 2))

    def test_debug_ignore_mode(self):
        announcement = ('Turning on debug/ignore mode.  Plug-in API effectively disabled.\n'
                        'This is typically done for testing Python scripts and should be avoided\n'
                        'in real applications.  When used for testing, any compile errors below\n'
                        'this line are likely a problem.\n' + '-' * 72 + '\n')
        for call, out in [('m.__setDebugIgnore()', announcement), ('m.__setDebugIgnore(True)', '')]:
            with self.subTest(call):
                result = support.run('''
                    import _PluginInterfaces as m, PluginInterfaces as P
                    %s
                    m.__setDebugIgnore()
                    c = P.SignalClient()
                    print(c.bind(P.cvar.SIGNAL_SERVICE_NAME), c.isValid())
                ''' % call)
                self.assertEqual((result.returncode, result.stdout, result.stderr), (0, out + '1 False\n', ''))


if __name__ == '__main__':
    unittest.main()
