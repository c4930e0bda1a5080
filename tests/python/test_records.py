"""The plain records (terrain-raster, parameter maps, client functions) and
the colour functions."""

import math
import unittest

from support import argument_error as arg, assert_each_raises, overload_text

import _PluginInterfaces as m
import PluginInterfaces as P

EXTENTS = ('wwExtents', 'wExtents', 'eExtents', 'eeExtents', 'nExtents', 'sExtents')
INFO, NODE, TOKEN, CLIENT = (P.PITerrainRasterSetRequestInfo, P.PITerrainRasterNodeRequest,
                             P.PITerrainRasterSetParseToken, P.PIClientFuncAndData_t)


class Records(unittest.TestCase):
    # (record class, field, value set, value read back or (error, declared type))
    FIELDS = [
        (INFO, 'rasterSetName', None, ''), (INFO, 'source', None, 'none'), (INFO, 'deepestLevel', None, 18),
        (INFO, 'timeSpecified', None, False), (INFO, 'noDataValue', None, 0.0), (INFO, 'userData', None, None),
        (NODE, 'threadIndex', -32768, -32768), (INFO, 'activeRequestLimit', -2**31, -2**31),
        (INFO, 'timeValueYear', True, 1), (INFO, 'timeSpecified', True, True),
        (INFO, 'timeValueSecondsSinceRefYear', 3, 3.0), (INFO, 'noDataValue', float('inf'), float('inf')),
        (INFO, 'replacementValue', 3.4028234663852886e38, 3.4028234663852886e38),
        (INFO, 'source', 'dted \u00e9', 'dted \u00e9'), (TOKEN, 'tokenName', 'a\0b', 'a\0b'),
        (NODE, 'threadIndex', 32768, (OverflowError, 'int16_t')), (NODE, 'threadIndex', 1.0, (TypeError, 'int16_t')),
        (INFO, 'pixelLength', 2**31, (OverflowError, 'int')), (INFO, 'timeSpecified', 1, (TypeError, 'bool')),
        (INFO, 'noDataValue', 1e39, (OverflowError, 'float')), (INFO, 'source', 5, (TypeError, 'std::string const &')),
        (INFO, 'source', '\udc80', (TypeError, 'std::string const &')),
        (NODE, 'bufferSize', 5, (TypeError, 'uint32_t *')), (CLIENT, 'funcPointer', len, (TypeError, 'PIPluginFunction_t *')),
        (CLIENT, 'clientData', 5, (TypeError, 'void *')),
    ]

    def test_fields(self):
        for record_class, field, value, expected in self.FIELDS:
            with self.subTest((record_class.__name__, field, value)):
                record = record_class()
                before = getattr(record, field)
                if isinstance(expected, tuple):
                    assert_each_raises(self, [(lambda: setattr(record, field, value), expected[0],
                                               arg('%s_%s_set' % (record_class.__name__, field), 2, expected[1]))])
                    self.assertEqual(getattr(record, field), before)
                    continue
                if value is not None:
                    setattr(record, field, value)
                self.assertEqual((getattr(record, field), type(getattr(record, field))), (expected, type(expected)))
        info = INFO()
        info.noDataValue = float('nan')
        self.assertTrue(math.isnan(info.noDataValue))

    def test_pointer_fields(self):
        source, target = INFO(), INFO()
        for field in EXTENTS:
            self.assertEqual(("'uint64_t *'" in repr(getattr(source, field)), getattr(source, field).own()), (True, False))
        target.wExtents = source.eExtents  # four elements copied
        self.assertNotEqual(int(target.wExtents), int(source.eExtents))
        node = NODE()
        node.userData = source.this
        self.assertEqual((source.thisown, int(node.userData)), (False, int(source.this)), 'taken over')
        node.userData = None
        self.assertIsNone(node.userData)
        params, other = P.PIFunctionParams_t(), P.PIFunctionParams_t()
        params.clear()
        self.assertEqual(params.size(), 0)
        for field, kind in (('strMap', 'String'), ('intMap', 'Int'), ('dblMap', 'Double'), ('ptrMap', 'Pointer')):
            setattr(params, field, getattr(other, field))  # copied
            self.assertEqual((int(getattr(params, field)) == int(getattr(other, field)),
                              "'PIFunctionParams%sMap_t *'" % kind in repr(getattr(params, field))), (False, True))
        assert_each_raises(self, [
            (lambda: setattr(target, 'sExtents', None), ValueError,
             "invalid null reference in variable 'sExtents' of type 'uint64_t [4]'"),
            (lambda: m.PIFunctionParams_t_ptrMap_set(params, None), ValueError,
             arg('PIFunctionParams_t_ptrMap_set', 2, 'PIFunctionParamsPointerMap_t *', null=True)),
            (lambda: setattr(params, 'strMap', other.intMap), TypeError,
             arg('PIFunctionParams_t_strMap_set', 2, 'PIFunctionParamsStringMap_t *')),
        ])

    def test_none_as_the_record(self):
        # setters of scalar, string, pointer and map fields do nothing
        for function, value in [(m.PITerrainRasterSetRequestInfo_pixelLength_set, 5),
                                (m.PITerrainRasterSetRequestInfo_source_set, 'x'),
                                (m.PITerrainRasterSetRequestInfo_timeSpecified_set, True),
                                (m.PITerrainRasterNodeRequest_userData_set, None),
                                (m.PIFunctionParams_t_strMap_set, P.PIFunctionParams_t().strMap)]:
            self.assertIsNone(function(None, value), function.__name__)
        # getters and the extents setters are refused
        for function, arguments in [(m.PITerrainRasterSetRequestInfo_source_get, ()), (m.PIFunctionParams_t_size, ()),
                                    (m.PITerrainRasterSetRequestInfo_wExtents_get, ())] + [
                (getattr(m, 'PITerrainRasterSetRequestInfo_%s_set' % field), (INFO().wExtents,)) for field in EXTENTS]:
            with self.subTest(function.__name__):
                with self.assertRaisesRegex(TypeError, r"^in method '%s', argument 1 of type '\w+ (const )?\*'$"
                                            % function.__name__):
                    function(None, *arguments)

    def test_client_function_records(self):
        info = INFO()
        self.assertIsNone(CLIENT(None).funcPointer)
        record = CLIENT(None, info.this)
        self.assertEqual((int(record.clientData), record.thisown), (int(info.this), True))
        forms = overload_text('new_PIClientFuncAndData_t', *('PIClientFuncAndData_t::PIClientFuncAndData_t(%s)' % a
                                                             for a in ('PIPluginFunction_t *,void *',
                                                                       'PIPluginFunction_t *', '')))
        assert_each_raises(self, [
            (lambda: CLIENT(None, 12), TypeError, arg('new_PIClientFuncAndData_t', 2, 'void *')),
            (lambda: CLIENT(12, None), TypeError, forms),
            (lambda: m.new_PIClientFuncAndData_t(1, 2, 3), TypeError,
             'new_PIClientFuncAndData_t expected at most 2 arguments, got 3\nAdditional information:\n' + forms),
        ])

    def test_colours(self):
        for function, arguments, expected in [
                (m.PIRGB, (256, 256, 256), 0x000000FF),  # only the low 8 bits reach the result
                (m.PIRGB, (-1, -1, -1), 0xFFFFFFFF), (m.PIRGBA, (1, 2, 3, 0x104), 0x01020304),
                (m.PIGREENVAL, (0x01020304,), 2), (m.PIALPHAVAL, (0x01020304,), 4), (m.PIREDVAL, (2**32 - 1,), 255)]:
            self.assertEqual(function(*arguments), expected, function.__name__)
        assert_each_raises(self, [
            (lambda: m.PIREDVAL(-1), OverflowError, arg('PIREDVAL', 1, 'PIColor_t')),
            (lambda: m.PIRGBA(0, 0, 0, 1.5), TypeError, arg('PIRGBA', 4, 'int')),
        ])


if __name__ == '__main__':
    unittest.main()
