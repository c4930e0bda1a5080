"""The post-processing of the generated wrapper, on small samples of
SWIG's output."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'python'))
import shape_wrapper  # noqa: E402


def dispatcher(name, blocks, unpack_min=0, unpack_max=2):
    body = ''.join('  if (argc == %d) {\n%s\n  }\n' % (count, code) for count, code in blocks)
    return ('SWIGINTERN PyObject *_wrap_%s(PyObject *self, PyObject *args) {\n'
            '  Py_ssize_t argc;\n'
            '  if (!(argc = SWIG_Python_UnpackTuple(args, "%s", %d, %d, argv))) SWIG_fail;\n'
            '%s'
            'fail:\n' % (name, name, unpack_min, unpack_max, body))


def checked_call(overload):
    return ('    int _v = 0;\n    _v = check(argv[1]);\n    if (_v) {\n'
            '      return _wrap_f__SWIG_%d(self, argc, argv);\n    }' % overload)


class ShapeWrapper(unittest.TestCase):

    def test_the_static_method_entry_leaves_the_table(self):
        table = ('static PyMethodDef SwigMethods[] = {\n'
                 '\t { "SWIG_PyInstanceMethod_New", SWIG_PyInstanceMethod_New, METH_O, NULL},\n'
                 '\t { "SWIG_PyStaticMethod_New", SWIG_PyStaticMethod_New, METH_O, NULL},\n')
        shaped = shape_wrapper.drop_static_method_entry(table)
        self.assertNotIn('SWIG_PyStaticMethod_New', shaped)
        self.assertIn('SWIG_PyInstanceMethod_New', shaped)
        with self.assertRaises(ValueError):
            shape_wrapper.drop_static_method_entry(shaped)

    def test_the_proxy_uses_the_builtin_staticmethod(self):
        proxy = ('_swig_new_static_method = _m.SWIG_PyStaticMethod_New\n'
                 'dynamic_cast = _swig_new_static_method(_m.X_dynamic_cast)\n')
        self.assertEqual(shape_wrapper.use_builtin_staticmethod(proxy), 'dynamic_cast = staticmethod(_m.X_dynamic_cast)\n')

    def test_a_count_with_one_overload_calls_it_directly(self):
        wrapper = dispatcher('f', [(1, checked_call(0)), (2, checked_call(1)), (2, checked_call(2))])
        shaped = shape_wrapper.dispatch_by_count(wrapper)
        self.assertIn('  if (argc == 1) {\n    return _wrap_f__SWIG_0(self, argc, argv);\n  }\n', shaped)
        self.assertEqual(shaped.count('_v = check(argv[1]);'), 2, 'the shared count keeps its checks')

    def test_unpacking_starts_at_the_fewest_arguments(self):
        cases = [
            ([1, 2], 1),
            ([2, 3, 3], 2),
            ([0, 1], 0),
        ]
        for counts, fewest in cases:
            with self.subTest(counts):
                wrapper = dispatcher('f', [(count, checked_call(i)) for i, count in enumerate(counts)],
                                     unpack_max=max(counts))
                shaped = shape_wrapper.count_range_checks(wrapper)
                self.assertIn('SWIG_Python_UnpackTuple(args, "f", %d, %d, argv)' % (fewest, max(counts)), shaped)

    def test_registration_asks_first_and_initialisation_attaches_once(self):
        register = ('SWIGINTERN PyObject *X_swigregister(PyObject *SWIGUNUSEDPARM(self), PyObject *args) {\n'
                    '  PyObject *obj;\n'
                    '  if (!SWIG_Python_UnpackTuple(args, "swigregister", 1, 1, &obj)) return NULL;\n'
                    '  SWIG_TypeNewClientData(SWIGTYPE_p_X, SWIG_NewClientData(obj));\n')
        shaped = shape_wrapper.guard_registration(register + shape_wrapper.INITIALISE)
        self.assertIn('return NULL;\n  if (!pi_acceptsProxyClass(SWIGTYPE_p_X, obj, "X")) return NULL;\n'
                      '  SWIG_TypeNewClientData(SWIGTYPE_p_X, SWIG_NewClientData(obj));\n'
                      '  pi_proxyClassRegistered(SWIGTYPE_p_X, obj);\n', shaped)
        self.assertIn('"the object is initialised already"', shaped)
        self.assertNotIn('SwigPyObject_append', shaped)
        with self.assertRaises(ValueError):
            shape_wrapper.guard_registration('nothing to guard')

    def test_the_proxy_dictionary_is_read_before_the_runtime_lookup(self):
        runtime = 'SWIGRUNTIME SwigPyObject *\n' + shape_wrapper.GET_SWIG_THIS + '  obj = 0;\n'
        shaped = shape_wrapper.read_proxy_this_directly(runtime)
        self.assertEqual(shaped.count('SWIG_Python_GetSwigThis(PyObject *pyobj)'), 1)
        fast = shaped.index('(obj = pi_proxyThis(pyobj))')
        self.assertLess(shaped.index('pi_proxyThis(PyObject *pyobj)\n{'), fast, 'the helper comes first')
        self.assertLess(fast, shaped.index('if (SwigPyObject_Check(pyobj))'), 'the runtime path follows')
        self.assertTrue(shaped.endswith('  obj = 0;\n'))
        with self.assertRaises(ValueError):
            shape_wrapper.read_proxy_this_directly('nothing to shape')

    def test_the_name_this_is_interned(self):
        runtime = '  if (Swig_This_global == NULL)\n    ' + shape_wrapper.THIS_NAME + '\n'
        shaped = shape_wrapper.intern_this_name(runtime)
        self.assertIn('Swig_This_global = PyUnicode_InternFromString("this");', shaped)
        self.assertNotIn('SWIG_Python_str_FromChar', shaped)
        with self.assertRaises(ValueError):
            shape_wrapper.intern_this_name('nothing to shape')

    def test_instance_methods_are_the_modules_own(self):
        swig_function = (
            '  SWIGINTERN PyObject *SWIG_PyInstanceMethod_New(PyObject *SWIGUNUSEDPARM(self), PyObject *func) {\n'
            '    if (PyCFunction_Check(func)) {\n'
            '      func = PyCFunction_NewEx(ml, funcobj->m_self, funcobj->m_module);\n'
            '    }\n'
            '    return PyInstanceMethod_New(func);\n'
            '  }\n')
        following = '  SWIGINTERN PyObject *SWIG_PyStaticMethod_New(PyObject *self, PyObject *func) {\n  }\n'
        shaped = shape_wrapper.make_own_instance_methods(swig_function + following)
        self.assertNotIn('PyInstanceMethod_New(func)', shaped)
        self.assertIn('return PIPython::instanceMethod(func, false);', shaped)
        self.assertIn('method = PIPython::instanceMethod(func, true);\n    Py_DECREF(func);', shaped)
        self.assertTrue(shaped.endswith(following), 'the next function is left as it was')
        self.assertLess(shaped.index('SWIGINTERN PyMethodDef *pi_proxyDocOf(PyMethodDef *ml)'),
                        shaped.index('pi_proxyDocOf(funcobj->m_ml)'), 'defined before its use')
        with self.assertRaises(ValueError):
            shape_wrapper.make_own_instance_methods(shaped)

    def test_a_first_argument_tested_for_several_overloads_is_converted_once(self):
        def first_check(type_name, overload):
            return ('    int res = SWIG_ConvertPtr(argv[0], &vptr, %s, 0);\n'
                    '    _v = SWIG_CheckState(res);\n'
                    '    if (_v) {\n      return _wrap_f__SWIG_%d(self, argc, argv);\n    }' % (type_name, overload))

        same = dispatcher('f', [(2, first_check('SWIGTYPE_p_V', 0)), (2, first_check('SWIGTYPE_p_V', 1))])
        mixed = dispatcher('g', [(2, first_check('SWIGTYPE_p_V', 0)), (2, first_check('SWIGTYPE_p_W', 1))])
        single = dispatcher('h', [(2, first_check('SWIGTYPE_p_V', 0))])
        shaped = shape_wrapper.convert_first_argument_once(same + mixed + single)
        reuse = ('int res = pi_res0Known ? pi_res0 : '
                 '(pi_res0Known = true, pi_res0 = SWIG_ConvertPtr(argv[0], &vptr, SWIGTYPE_p_V, 0));')
        self.assertEqual(shaped.count(reuse), 2, 'both tests of f share one conversion')
        self.assertEqual(shaped.count('  bool pi_res0Known = false;\n'), 1, 'declared in f only')
        self.assertIn(mixed, shaped, 'tests against different types are left alone')
        self.assertIn(single, shaped, 'a single test is left alone')
        with self.assertRaises(ValueError):
            shape_wrapper.convert_first_argument_once(mixed + single)

    def test_a_str_is_taken_from_its_utf8_form_before_the_runtime_path(self):
        runtime = 'SWIGINTERN int\n' + shape_wrapper.AS_STD_STRING + '  char* buf = 0 ;\n}\n'
        shaped = shape_wrapper.strings_from_utf8(runtime)
        fast = shaped.index('PyUnicode_AsUTF8AndSize(obj, &size)')
        self.assertLess(fast, shaped.index('char* buf = 0'), 'the runtime path follows')
        self.assertIn('PyErr_Clear();\n  }\n  char* buf', shaped, 'a str without UTF-8 falls through')
        with self.assertRaises(ValueError):
            shape_wrapper.strings_from_utf8('nothing to shape')

    def test_a_proxy_for_a_native_object_is_made_like_an_initialised_one(self):
        runtime = (shape_wrapper.NEW_SHADOW + '{\n    PyObject *empty_args = PyTuple_New(0);\n    if (empty_args) {\n'
                   + shape_wrapper.NO_KEYWORDS + '        if (inst) {\n' + shape_wrapper.SHADOW_THIS
                   + '        }\n      }\n      Py_DECREF(empty_args);\n    }\n}\n')
        shaped = shape_wrapper.proxies_made_without_keywords(shape_wrapper.shadow_proxies_as_initialised(runtime))
        self.assertNotIn('PyType_Modified', shaped)
        self.assertNotIn('PyDict_New', shaped)
        self.assertIn('tp_new((PyTypeObject *)data->newargs, empty_args, NULL);\n        if (inst) {\n'
                      '          if (SWIG_Python_SetSwigThis(inst, swig_this) == -1) {', shaped)
        self.assertEqual(shaped.count('{'), shaped.count('}'))
        for shape in (shape_wrapper.shadow_proxies_as_initialised, shape_wrapper.proxies_made_without_keywords):
            with self.assertRaises(ValueError):
                shape('nothing to shape')

if __name__ == '__main__':
    unittest.main()
