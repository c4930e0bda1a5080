"""The plain records (terrain-raster, parameter maps, client functions) and
the colour functions."""

import math
import unittest

import support

import _PluginInterfaces as m
import PluginInterfaces as P

EXTENTS = ('wwExtents', 'wExtents', 'eExtents', 'eeExtents', 'nExtents', 'sExtents')


class Colours(unittest.TestCase):

    def test_packing(self):
        cases = [
            (m.PIRGB, (255, 0, 0), 0xFF0000FF),
            (m.PIRGB, (256, 256, 256), 0x000000FF),  # only the low 8 bits reach the result
            (m.PIRGB, (-1, -1, -1), 0xFFFFFFFF),
            (m.PIRGB, (0x12345678, 0x1AB, 0x2CD), 0x78ABCDFF),
            (m.PIRGBA, (1, 2, 3, 4), 0x01020304),
            (m.PIRGBA, (0, 0, 0, 0x1FF), 0x000000FF),
            (m.PIGREENVAL, (0x01020304,), 2),
            (m.PIBLUEVAL, (0x01020304,), 3),
            (m.PIALPHAVAL, (0x01020304,), 4),
            (m.PIREDVAL, (0xFFFFFFFF,), 255),
        ]
        for function, arguments, expected in cases:
            with self.subTest((function.__name__, arguments)):
                self.assertEqual(function(*arguments), expected)

    def test_refusals(self):
        cases = [
            (lambda: m.PIREDVAL(-1), OverflowError, "in method 'PIREDVAL', argument 1 of type 'PIColor_t'"),
            (lambda: m.PIALPHAVAL(2**32), OverflowError, "in method 'PIALPHAVAL', argument 1 of type 'PIColor_t'"),
            (lambda: m.PIGREENVAL('x'), TypeError, "in method 'PIGREENVAL', argument 1 of type 'PIColor_t'"),
            (lambda: m.PIRGB(1, 2, 'x'), TypeError, "in method 'PIRGB', argument 3 of type 'int'"),
            (lambda: m.PIRGB(2**31, 0, 0), OverflowError, "in method 'PIRGB', argument 1 of type 'int'"),
            (lambda: m.PIRGBA(0, 0, 0, 1.5), TypeError, "in method 'PIRGBA', argument 4 of type 'int'"),
            (lambda: m.PIRGB(1, 2), TypeError, 'PIRGB expected 3 arguments, got 2'),
        ]
        support.assert_each_raises(self, cases)


class Defaults(unittest.TestCase):

    def test_new_records(self):
        info = P.PITerrainRasterSetRequestInfo()
        token = P.PITerrainRasterSetParseToken()
        node = P.PITerrainRasterNodeRequest()
        cases = [
            (info, dict(rasterSetName='', activeRequestLimit=3, pixelLength=256, shallowestLevel=0, deepestLevel=18,
                        rasterFormat=0, source='none', classification='none', description='none',
                        timeSpecified=False, timeValueYear=1990, timeValueSecondsSinceRefYear=0.0,
                        hasNoDataValue=False, noDataValue=0.0, hasIgnoreAboveValue=False, ignoreAboveValue=0.0,
                        hasIgnoreBelowValue=False, ignoreBelowValue=0.0, hasReplacementValue=False,
                        replacementValue=0.0, userData=None)),
            (token, dict(tokenName='', tokenValue='', userData=None)),
            (node, dict(buffer=None, bufferSize=None, currentRasterSize=None, nodeID=None, threadIndex=0,
                        userData=None)),
            (P.PIClientFuncAndData_t(), dict(funcPointer=None, clientData=None)),
        ]
        for record, fields in cases:
            for field, value in fields.items():
                with self.subTest((type(record).__name__, field)):
                    read = getattr(record, field)
                    self.assertEqual(read, value)
                    self.assertIs(type(read), type(value))

    def test_extents_address_the_record_arrays(self):
        info = P.PITerrainRasterSetRequestInfo()
        for field in EXTENTS:
            with self.subTest(field):
                pointer = getattr(info, field)
                self.assertIn("'uint64_t *'", repr(pointer))
                self.assertFalse(pointer.own())
        self.assertNotEqual(int(info.wExtents), int(info.eExtents))

    def test_new_parameter_maps_are_empty(self):
        params = P.PIFunctionParams_t()
        params.clear()
        self.assertEqual(params.size(), 0)
        self.assertIn("'PIFunctionParamsStringMap_t *'", repr(params.strMap))


class Fields(unittest.TestCase):
    # (record class, field, value set, value read back)
    ACCEPTED = [
        (P.PITerrainRasterNodeRequest, 'threadIndex', -32768, -32768),
        (P.PITerrainRasterSetRequestInfo, 'pixelLength', 512, 512),
        (P.PITerrainRasterSetRequestInfo, 'activeRequestLimit', -2**31, -2**31),
        (P.PITerrainRasterSetRequestInfo, 'timeValueYear', True, 1),
        (P.PITerrainRasterSetRequestInfo, 'timeSpecified', True, True),
        (P.PITerrainRasterSetRequestInfo, 'timeValueSecondsSinceRefYear', 3, 3.0),
        (P.PITerrainRasterSetRequestInfo, 'timeValueSecondsSinceRefYear', 1e300, 1e300),
        (P.PITerrainRasterSetRequestInfo, 'noDataValue', 0.5, 0.5),
        (P.PITerrainRasterSetRequestInfo, 'noDataValue', float('inf'), float('inf')),
        (P.PITerrainRasterSetRequestInfo, 'replacementValue', 3.4028234663852886e38, 3.4028234663852886e38),
        (P.PITerrainRasterSetRequestInfo, 'source', 'dted \u00e9', 'dted \u00e9'),
        (P.PITerrainRasterSetParseToken, 'tokenName', 'a\0b', 'a\0b'),
    ]
    # (record class, field, value, exception, argument type in the message)
    REFUSED = [
        (P.PITerrainRasterNodeRequest, 'threadIndex', 32768, OverflowError, 'int16_t'),
        (P.PITerrainRasterNodeRequest, 'threadIndex', 1.0, TypeError, 'int16_t'),
        (P.PITerrainRasterSetRequestInfo, 'pixelLength', 2**31, OverflowError, 'int'),
        (P.PITerrainRasterSetRequestInfo, 'timeSpecified', 1, TypeError, 'bool'),
        (P.PITerrainRasterSetRequestInfo, 'hasNoDataValue', None, TypeError, 'bool'),
        (P.PITerrainRasterSetRequestInfo, 'noDataValue', 1e39, OverflowError, 'float'),
        (P.PITerrainRasterSetRequestInfo, 'timeValueSecondsSinceRefYear', 'x', TypeError, 'double'),
        (P.PITerrainRasterSetRequestInfo, 'source', 5, TypeError, 'std::string const &'),
        (P.PITerrainRasterSetRequestInfo, 'source', '\udc80', TypeError, 'std::string const &'),
        (P.PITerrainRasterNodeRequest, 'bufferSize', 5, TypeError, 'uint32_t *'),
        (P.PIClientFuncAndData_t, 'funcPointer', lambda: 0, TypeError, 'PIPluginFunction_t *'),
        (P.PIClientFuncAndData_t, 'clientData', 5, TypeError, 'void *'),
    ]

    def test_accepted_values(self):
        for record_class, field, value, expected in self.ACCEPTED:
            with self.subTest((field, value)):
                record = record_class()
                setattr(record, field, value)
                self.assertEqual(getattr(record, field), expected)
                self.assertIs(type(getattr(record, field)), type(expected))

    def test_refused_values_leave_the_field_unchanged(self):
        for record_class, field, value, error, declared in self.REFUSED:
            with self.subTest((field, value)):
                record = record_class()
                before = getattr(record, field)
                with self.assertRaises(error) as raised:
                    setattr(record, field, value)
                flat = '%s_%s_set' % (record_class.__name__, field)
                self.assertEqual(str(raised.exception), "in method '%s', argument 2 of type '%s'" % (flat, declared))
                self.assertEqual(getattr(record, field), before)

    def test_a_nan_passes_through_a_float_field(self):
        info = P.PITerrainRasterSetRequestInfo()
        info.noDataValue = float('nan')
        self.assertTrue(math.isnan(info.noDataValue))

    def test_extents_copy_four_elements_from_a_pointer(self):
        source, target = P.PITerrainRasterSetRequestInfo(), P.PITerrainRasterSetRequestInfo()
        target.wExtents = source.eExtents
        self.assertNotEqual(int(target.wExtents), int(source.eExtents))
        with self.assertRaises(ValueError) as raised:
            target.sExtents = None
        self.assertEqual(str(raised.exception), "invalid null reference in variable 'sExtents' of type 'uint64_t [4]'")

    def test_a_void_pointer_field_takes_over_ownership(self):
        node, info = P.PITerrainRasterNodeRequest(), P.PITerrainRasterSetRequestInfo()
        node.userData = info.this
        self.assertFalse(info.thisown)
        self.assertEqual(int(node.userData), int(info.this))
        node.userData = None
        self.assertIsNone(node.userData)

    def test_parameter_maps_are_copied_by_their_setters(self):
        source, target = P.PIFunctionParams_t(), P.PIFunctionParams_t()
        for field in ('strMap', 'intMap', 'dblMap', 'ptrMap'):
            with self.subTest(field):
                setattr(target, field, getattr(source, field))
                self.assertNotEqual(int(getattr(target, field)), int(getattr(source, field)))
                flat = 'PIFunctionParams_t_%s_set' % field
                with self.assertRaises(ValueError) as raised:
                    getattr(m, flat)(target, None)
                self.assertRegex(str(raised.exception), r"^invalid null reference in method '%s', argument 2 of "
                                                        r"type 'PIFunctionParams\w+Map_t \*'$" % flat)
        with self.assertRaises(TypeError) as raised:
            target.strMap = source.intMap
        self.assertEqual(str(raised.exception),
                         "in method 'PIFunctionParams_t_strMap_set', argument 2 of type 'PIFunctionParamsStringMap_t *'")


class NullRecords(unittest.TestCase):
    """None as the record: setters of scalar, string, pointer and map fields do
    nothing; getters and the extents setters are refused."""

    def test_setters_skip_it_getters_and_extents_setters_refuse_it(self):
        params = P.PIFunctionParams_t()
        calls = [
            (m.PITerrainRasterSetRequestInfo_pixelLength_set, 5),
            (m.PITerrainRasterSetRequestInfo_source_set, 'x'),
            (m.PITerrainRasterSetRequestInfo_timeSpecified_set, True),
            (m.PITerrainRasterSetParseToken_tokenName_set, 'a'),
            (m.PITerrainRasterNodeRequest_userData_set, None),
            (m.PIFunctionParams_t_strMap_set, params.strMap),
            (m.PIClientFuncAndData_t_clientData_set, None),
        ]
        for function, value in calls:
            with self.subTest(function.__name__):
                self.assertIsNone(function(None, value))
        info = P.PITerrainRasterSetRequestInfo()
        calls = [
            (m.PITerrainRasterSetRequestInfo_pixelLength_get, ()),
            (m.PITerrainRasterSetRequestInfo_source_get, ()),
            (m.PITerrainRasterSetRequestInfo_wExtents_get, ()),
            (m.PIFunctionParams_t_strMap_get, ()),
            (m.PIFunctionParams_t_size, ()),
            (m.PIFunctionParams_t_clear, ()),
            (m.PITerrainRasterNodeRequest_threadIndex_get, ()),
        ] + [(getattr(m, 'PITerrainRasterSetRequestInfo_%s_set' % field), (info.wExtents,)) for field in EXTENTS]
        for function, arguments in calls:
            with self.subTest(function.__name__):
                with self.assertRaises(TypeError) as raised:
                    function(None, *arguments)
                self.assertRegex(str(raised.exception), r"^in method '%s', argument 1 of type '\w+ (const )?\*'$"
                                 % function.__name__)


class ClientFunctionRecords(unittest.TestCase):

    def test_constructor_forms_and_refusals(self):
        info = P.PITerrainRasterSetRequestInfo()
        self.assertIsNone(P.PIClientFuncAndData_t(None).funcPointer)
        record = P.PIClientFuncAndData_t(None, info.this)
        self.assertEqual((int(record.clientData), record.thisown), (int(info.this), True))
        forms = support.overload_text('new_PIClientFuncAndData_t', *('PIClientFuncAndData_t::PIClientFuncAndData_t(%s)'
                                                                     % a for a in ('PIPluginFunction_t *,void *',
                                                                                   'PIPluginFunction_t *', '')))
        new = m.new_PIClientFuncAndData_t
        support.assert_each_raises(self, [
            (lambda: new(None, 12), TypeError, support.argument_error('new_PIClientFuncAndData_t', 2, 'void *')),
            (lambda: new(12), TypeError, forms), (lambda: new(12, None), TypeError, forms),
            (lambda: new(1, 2, 3), TypeError,
             'new_PIClientFuncAndData_t expected at most 2 arguments, got 3\nAdditional information:\n' + forms),
        ])


if __name__ == '__main__':
    unittest.main()
