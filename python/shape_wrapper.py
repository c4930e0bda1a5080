#!/usr/bin/env python3
"""Shapes SWIG's generated module where its defaults differ from the
module's documented behaviour. Each step is a small, separately tested
function; `main` applies them to the generated C++ wrapper and proxy module.

1. The method table holds SWIG_PyInstanceMethod_New but not
   SWIG_PyStaticMethod_New: the proxy module wraps its static methods with the
   builtin `staticmethod` instead.
2. Overload dispatch: when the number of arguments leaves a single overload,
   that overload is called directly, so a bad argument is reported with its
   own argument error ("in method '__setDebugIgnore', argument 1 of type
   'bool'") rather than with the generic overload text. A function pointer
   is the exception: an overload that takes one first is chosen only by a
   first argument that is one (or None), so the record constructor given
   something else first reports the overload text.
3. Argument counts: a dispatcher accepts from the fewest to the most
   arguments of its overloads, so too few arguments are reported as
   "expected at least N" (or "expected N" when all overloads take N), before
   the overload text.
4. Proxy registration and initialisation refuse what would break the module:
   a registration entry takes only the proxy class, known by its entry's
   name and the module's own destructor (anything else would become the
   factory of every later object of that type; a registered class is then
   handed to the module, which may give it faster slots), and an
   initialisation entry
   given a second object that is not a pointer object raises its TypeError
   instead of releasing a null reference.
5. Finding the pointer object of a proxy: when the generic attribute lookup
   can only answer from the instance's dictionary (no `this` on the class, no
   attribute hook of its own), the runtime reads the dictionary directly
   instead of going through the lookup; every other object takes the
   runtime's own path. Same answers, about half the cost of a method call's
   argument conversion.
6. The director's callback takes its steps from python/SignalDispatch.h:
   the name's str and the data proxy kept where Python cannot tell them from
   new ones, and the method looked up by its interned name and called without
   an argument tuple; the checks and the director exceptions stay SWIG's.
7. The runtime's name "this" is the interpreter's interned string, the one
   that attribute assignment stores as the instance dictionary's key, so
   that looking it up there compares pointers instead of characters.
8. SWIG_PyInstanceMethod_New makes the module's own instance-method objects
   (python/InstanceMethod.h), which a method call does not bind, instead of
   the interpreter's; it no longer leaks a reference to the docstring copy
   of the function it wraps, and finds that copy by its position in the
   method table instead of comparing its name with every entry.
9. An overload dispatcher that tests its first argument against the same
   type for several overloads converts it once and reuses the answer.
10. Finding "this" in an instance dictionary uses the lookup that does not
   save and restore the interpreter's error state.
11. A str argument for a std::string is copied from its UTF-8 form directly;
   before, the runtime encoded it into a new bytes object and copied that
   twice. A str without a UTF-8 form (lone surrogates) still goes the
   runtime's way, which reports it.
12. A proxy made for a native object returned or passed to Python (the
   SignalData of every signal) gets its "this" the way an initialised proxy
   does, and no longer marks its class as modified: that emptied the
   interpreter's attribute cache for the class on every such proxy, so that
   every later lookup on it searched the class hierarchy again.
13. Such a proxy is created by the class's __new__ slot without keyword
   arguments (null) instead of with a new empty dictionary of them: the
   same call for the slot, one dictionary less per proxy.
14. An object counts as a pointer object of another module of the same
   runtime by its type's name only when that type is static: a class
   written in Python under the name SwigPyObject is refused, not read as a
   pointer object.
15. disown_SignalCallback ends the binding's watch over the director's
   Python object, which from then on the director keeps alive.
"""

import re
import sys

STATIC_METHOD_ENTRY = re.compile(r'^\s*\{ "SWIG_PyStaticMethod_New", SWIG_PyStaticMethod_New, METH_O, NULL\},\n',
                                 re.MULTILINE)


def drop_static_method_entry(wrapper):
    shaped, count = STATIC_METHOD_ENTRY.subn('', wrapper)
    if count == 0:
        raise ValueError('no SWIG_PyStaticMethod_New entry in the method table')
    return shaped


def use_builtin_staticmethod(proxy):
    shaped = re.sub(r'^_swig_new_static_method = _\w+\.SWIG_PyStaticMethod_New\n', '', proxy, flags=re.MULTILINE)
    return shaped.replace('_swig_new_static_method(', 'staticmethod(')


DISPATCHER = re.compile(
    r'(SWIGINTERN PyObject \*_wrap_(\w+)\(PyObject \*self, PyObject \*args\) \{\n'
    r'  Py_ssize_t argc;\n.*?\nfail:\n)', re.DOTALL)
COUNT_BLOCK = re.compile(r'  if \(argc == (\d+)\) \{\n(.*?)\n  \}\n', re.DOTALL)
CALL = re.compile(r'return (_wrap_\w+__SWIG_\d+)\(self, argc, argv\);')
FUNCTION_POINTER_FIRST = re.compile(r'    int res = SWIG_ConvertFunctionPtr\(argv\[0\], &ptr, (\w+)\);\n')


def dispatch_by_count(wrapper):
    """Within every overload dispatcher, a count that selects exactly one
    overload calls it without testing the arguments' types first, except a
    first argument for a function pointer: only None or a function-pointer
    object selects such an overload, anything else gets the overload text."""

    def shape_dispatcher(match):
        body = match.group(1)
        blocks = COUNT_BLOCK.findall(body)
        counts = [count for count, _ in blocks]
        for count, block in blocks:
            calls = CALL.findall(block)
            if counts.count(count) == 1 and len(calls) == 1:
                function_pointer = FUNCTION_POINTER_FIRST.search(block)
                if function_pointer:
                    direct = ('  if (argc == %s) {\n    void *ptr = 0;\n'
                              '    if (SWIG_CheckState(SWIG_ConvertFunctionPtr(argv[0], &ptr, %s))) {\n'
                              '      return %s(self, argc, argv);\n    }\n  }\n'
                              % (count, function_pointer.group(1), calls[0]))
                else:
                    direct = '  if (argc == %s) {\n    return %s(self, argc, argv);\n  }\n' % (count, calls[0])
                body = body.replace('  if (argc == %s) {\n%s\n  }\n' % (count, block), direct, 1)
        return body

    return DISPATCHER.sub(shape_dispatcher, wrapper)


UNPACK = re.compile(r'SWIG_Python_UnpackTuple\(args, "(\w+)", 0, (\d+), argv\)')


def count_range_checks(wrapper):
    """Within every overload dispatcher, the unpacking accepts from the
    smallest to the largest argument count of its overloads."""

    def shape_dispatcher(match):
        body = match.group(1)
        counts = [int(count) for count, _ in COUNT_BLOCK.findall(body)]
        if not counts:
            return body
        return UNPACK.sub(lambda m: 'SWIG_Python_UnpackTuple(args, "%s", %d, %s, argv)' % (
            m.group(1), min(counts), m.group(2)), body, count=1)

    return DISPATCHER.sub(shape_dispatcher, wrapper)


REGISTER = re.compile(r'(SWIGINTERN PyObject \*(\w+)_swigregister\(PyObject \*SWIGUNUSEDPARM\(self\), PyObject \*args\) \{\n'
                      r'  PyObject \*obj;\n'
                      r'  if \(!SWIG_Python_UnpackTuple\(args, "swigregister", 1, 1, &obj\)\) return NULL;\n)'
                      r'(  SWIG_TypeNewClientData\((\w+), SWIG_NewClientData\(obj\)\);\n)')
INITIALISE = ('    SwigPyObject *sthis = SWIG_Python_GetSwigThis(obj[0]);\n'
              '    if (sthis) {\n'
              '      Py_DECREF(SwigPyObject_append((PyObject*) sthis, obj[1]));\n'
              '    } else {\n')
INITIALISE_ONCE = ('    SwigPyObject *sthis = SWIG_Python_GetSwigThis(obj[0]);\n'
                   '    if (!SwigPyObject_Check(obj[1])) {\n'
                   '      PyErr_SetString(PyExc_TypeError, "a pointer object is expected");\n'
                   '      return NULL;\n'
                   '    }\n'
                   '    if (sthis) {\n'
                   '      PyErr_SetString(PyExc_TypeError, "the object is initialised already");\n'
                   '      return NULL;\n'
                   '    } else {\n')


def guard_registration(wrapper):
    """Registration entries ask pi_acceptsProxyClass (defined by the
    interface file) first and tell pi_proxyClassRegistered afterwards;
    initialisation attaches one pointer object to an object that has none."""
    if not REGISTER.search(wrapper) or INITIALISE not in wrapper:
        raise ValueError('no registration or initialisation code to guard')
    wrapper = REGISTER.sub(r'\1  if (!pi_acceptsProxyClass(\4, obj, "\2")) return NULL;\n\3  pi_proxyClassRegistered(\4, obj);\n',
                           wrapper)
    return wrapper.replace(INITIALISE, INITIALISE_ONCE)


GET_SWIG_THIS = ('SWIG_Python_GetSwigThis(PyObject *pyobj) \n'
                 '{\n'
                 '  PyObject *obj;\n'
                 '\n'
                 '  if (SwigPyObject_Check(pyobj))\n'
                 '    return (SwigPyObject *) pyobj;\n')
PROXY_THIS = (
    '/* Classes that were found to have no attribute "this" of their own, each\n'
    '   with its version then: the interpreter gives a class a new version\n'
    '   whenever an attribute of it or of a base changes, and never gives the\n'
    '   same version twice. */\n'
    'static struct { PyTypeObject *type; unsigned int version; } pi_withoutThis[8];\n'
    '\n'
    'SWIGRUNTIME int\n'
    'pi_classHasThis(PyTypeObject *type)\n'
    '{\n'
    '  const size_t slot = ((size_t)type >> 6) & 7;\n'
    '  const int versioned = PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG);\n'
    '  if (versioned && pi_withoutThis[slot].type == type && pi_withoutThis[slot].version == type->tp_version_tag)\n'
    '    return 0;\n'
    '  if (_PyType_Lookup(type, SWIG_This()))\n'
    '    return 1;\n'
    '  if (PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG)) { /* the lookup may have given it one */\n'
    '    pi_withoutThis[slot].type = type;\n'
    '    pi_withoutThis[slot].version = type->tp_version_tag;\n'
    '  }\n'
    '  return 0;\n'
    '}\n'
    '\n'
    '/* The pointer object in a proxy\'s own dictionary, when that is what the\n'
    '   generic attribute lookup of "this" would return; null when it would\n'
    '   not, or might not. An instance that keeps its attributes in itself\n'
    '   (Python 3.11 and later) gets its dictionary here, as it does when\n'
    '   anything asks for it; from then on "this" is a dictionary lookup. */\n'
    'SWIGRUNTIME PyObject *\n'
    'pi_proxyThis(PyObject *pyobj)\n'
    '{\n'
    '  PyTypeObject *type = Py_TYPE(pyobj);\n'
    '  PyObject **dictptr;\n'
    '  PyObject *obj;\n'
    '  if (type->tp_getattro != PyObject_GenericGetAttr || pi_classHasThis(type))\n'
    '    return 0;\n'
    '  dictptr = _PyObject_GetDictPtr(pyobj);\n'
    '  obj = dictptr && *dictptr ? PyDict_GetItemWithError(*dictptr, SWIG_This()) : 0;\n'
    '  /* a miss sets no error; a key that fails to compare leaves its error\n'
    '     to the runtime\'s path, which looks again and clears it */\n'
    '  return obj && Py_TYPE(obj) == SwigPyObject_type() ? obj : 0;\n'
    '}\n'
    '\n'
    'SWIGRUNTIME SwigPyObject *\n'
    'SWIG_Python_GetSwigThis(PyObject *pyobj) \n'
    '{\n'
    '  PyObject *obj;\n'
    '\n'
    '  if (Py_TYPE(pyobj) != SwigPyObject_type() && (obj = pi_proxyThis(pyobj)))\n'
    '    return (SwigPyObject *) obj;\n'
    '  if (SwigPyObject_Check(pyobj))\n'
    '    return (SwigPyObject *) pyobj;\n')


def read_proxy_this_directly(wrapper):
    """The runtime's lookup of a proxy's pointer object first tries the
    instance dictionary, where the generic lookup would find it anyway."""
    declaration = 'SWIGRUNTIME SwigPyObject *\n' + GET_SWIG_THIS
    if wrapper.count(declaration) != 1:
        raise ValueError('no SWIG_Python_GetSwigThis to shape')
    return wrapper.replace(declaration, PROXY_THIS, 1)


SIGNAL_DIRECTOR = re.compile(
    r'(void SwigDirector_SignalCallback::callback\(std::string const &name,'
    r'PluginClient::Interfaces::SignalData \*data\) \{\n).*?\n\}\n', re.DOTALL)
SIGNAL_DISPATCH = (
    '  pysignals::Dispatch dispatch(name, data, SWIGTYPE_p_PluginClient__Interfaces__SignalData);\n'
    '  if (!swig_get_self()) {\n'
    '    Swig::DirectorException::raise("\'self\' uninitialized, maybe you forgot to call SignalCallback.__init__.");\n'
    '  }\n'
    '  if (!dispatch.call(swig_get_self()) && PyErr_Occurred()) {\n'
    '    Swig::DirectorMethodException::raise("Error detected when calling \'SignalCallback.callback\'");\n'
    '  }\n'
    '}\n')


def dispatch_signals(wrapper):
    """The director's callback is the steps of pysignals::Dispatch."""
    shaped, count = SIGNAL_DIRECTOR.subn(lambda m: m.group(1) + SIGNAL_DISPATCH, wrapper)
    if count != 1:
        raise ValueError('no signal director to shape')
    return shaped


THIS_NAME = 'Swig_This_global = SWIG_Python_str_FromChar("this");'


def intern_this_name(wrapper):
    if wrapper.count(THIS_NAME) != 1:
        raise ValueError('no name "this" to intern')
    return wrapper.replace(THIS_NAME, 'Swig_This_global = PyUnicode_InternFromString("this");')


INSTANCE_METHOD = re.compile(r'(  SWIGINTERN PyObject \*SWIG_PyInstanceMethod_New\(PyObject \*SWIGUNUSEDPARM\(self\), '
                             r'PyObject \*func\) \{\n).*?\n  \}\n', re.DOTALL)
OWN_INSTANCE_METHOD = (
    '    /* The module\'s own functions are wrapped in their copies that carry\n'
    '       the proxy docstrings. */\n'
    '    PyCFunctionObject *funcobj = PyCFunction_Check(func) ? (PyCFunctionObject *)func : 0;\n'
    '    PyMethodDef *ml = funcobj ? pi_proxyDocOf(funcobj->m_ml) : 0;\n'
    '    PyObject *method;\n'
    '    if (!ml)\n'
    '      return PIPython::instanceMethod(func, false);\n'
    '    func = PyCFunction_NewEx(ml, funcobj->m_self, funcobj->m_module);\n'
    '    if (!func)\n'
    '      return NULL;\n'
    '    method = PIPython::instanceMethod(func, true);\n'
    '    Py_DECREF(func);\n'
    '    return method;\n'
    '  }\n')


PROXY_DOC_OF = (
    '  /* The copy of a method table entry that carries the proxy docstring:\n'
    '     the entry at the same position of the copied table when it has the\n'
    '     same name, else the one found by name. */\n'
    '  SWIGINTERN PyMethodDef *pi_proxyDocOf(PyMethodDef *ml) {\n'
    '    const size_t count = sizeof(SwigMethods) / sizeof(SwigMethods[0]);\n'
    '    const size_t copies = sizeof(SwigMethods_proxydocs) / sizeof(SwigMethods_proxydocs[0]);\n'
    '    if (ml >= SwigMethods && ml < SwigMethods + count) {\n'
    '      const size_t i = (size_t)(ml - SwigMethods);\n'
    '      if (i < copies && SwigMethods_proxydocs[i].ml_name && strcmp(SwigMethods_proxydocs[i].ml_name, ml->ml_name) == 0)\n'
    '        return &SwigMethods_proxydocs[i];\n'
    '    }\n'
    '    return SWIG_PythonGetProxyDoc(ml->ml_name);\n'
    '  }\n'
    '\n')


def make_own_instance_methods(wrapper):
    """SWIG_PyInstanceMethod_New makes the module's own method objects, and
    keeps no extra reference to the docstring copy it makes."""
    matches = [m for m in INSTANCE_METHOD.finditer(wrapper) if 'return PyInstanceMethod_New(func);' in m.group(0)]
    if len(matches) != 1:
        raise ValueError('no SWIG_PyInstanceMethod_New to shape')
    shaped, count = INSTANCE_METHOD.subn(lambda m: PROXY_DOC_OF + m.group(1) + OWN_INSTANCE_METHOD, wrapper)
    if count != 1:
        raise ValueError('no SWIG_PyInstanceMethod_New to shape')
    return shaped


FIRST_ARGUMENT_CHECK = re.compile(r'int res = SWIG_ConvertPtr\(argv\[0\], &vptr, (\w+), 0\);')


def convert_first_argument_once(wrapper):
    """Within every dispatcher whose overloads all test argv[0] against one
    type, the first test converts and the others reuse its result."""
    shaped = 0

    def shape_dispatcher(match):
        nonlocal shaped
        body = match.group(1)
        types = FIRST_ARGUMENT_CHECK.findall(body)
        if len(types) < 2 or len(set(types)) != 1:
            return body
        shaped += 1
        body = body.replace('  Py_ssize_t argc;\n', '  Py_ssize_t argc;\n  int pi_res0 = 0;\n  bool pi_res0Known = false;\n', 1)
        return FIRST_ARGUMENT_CHECK.sub(
            r'int res = pi_res0Known ? pi_res0 : (pi_res0Known = true, pi_res0 = SWIG_ConvertPtr(argv[0], &vptr, \1, 0));',
            body)

    wrapper = DISPATCHER.sub(shape_dispatcher, wrapper)
    if shaped == 0:
        raise ValueError('no dispatcher tests its first argument more than once')
    return wrapper


AS_STD_STRING = ('SWIG_AsPtr_std_string (PyObject * obj, std::string **val) \n'
                 '{\n')
AS_STD_STRING_FROM_UTF8 = (
    '  if (PyUnicode_Check(obj)) {\n'
    '    Py_ssize_t size = 0;\n'
    '    const char *utf8 = PyUnicode_AsUTF8AndSize(obj, &size);\n'
    '    if (utf8) {\n'
    '      if (val) *val = new std::string(utf8, (size_t)size);\n'
    '      return SWIG_NEWOBJ;\n'
    '    }\n'
    '    PyErr_Clear();\n'
    '  }\n')


def strings_from_utf8(wrapper):
    if wrapper.count(AS_STD_STRING) != 1:
        raise ValueError('no SWIG_AsPtr_std_string to shape')
    return wrapper.replace(AS_STD_STRING, AS_STD_STRING + AS_STD_STRING_FROM_UTF8)


SHADOW_THIS = ('          if (PyObject_SetAttr(inst, SWIG_This(), swig_this) == -1) {\n'
               '            Py_DECREF(inst);\n'
               '            inst = 0;\n'
               '          } else {\n'
               '            PyType_Modified(Py_TYPE(inst));\n'
               '          }\n')
SHADOW_THIS_AS_INITIALISED = ('          if (SWIG_Python_SetSwigThis(inst, swig_this) == -1) {\n'
                              '            Py_DECREF(inst);\n'
                              '            inst = 0;\n'
                              '          }\n')
NEW_SHADOW = 'SWIGRUNTIME PyObject* \nSWIG_Python_NewShadowInstance(SwigPyClientData *data, PyObject *swig_this)\n'
SET_THIS_DECLARATION = 'SWIGRUNTIME int SWIG_Python_SetSwigThis(PyObject *inst, PyObject *swig_this);\n\n'


def shadow_proxies_as_initialised(wrapper):
    if wrapper.count(SHADOW_THIS) != 1 or wrapper.count(NEW_SHADOW) != 1:
        raise ValueError('no shadow instance to shape')
    wrapper = wrapper.replace(NEW_SHADOW, SET_THIS_DECLARATION + NEW_SHADOW)
    return wrapper.replace(SHADOW_THIS, SHADOW_THIS_AS_INITIALISED)


NO_KEYWORDS = ('      PyObject *empty_kwargs = PyDict_New();\n'
               '      if (empty_kwargs) {\n'
               '        inst = ((PyTypeObject *)data->newargs)->tp_new((PyTypeObject *)data->newargs, empty_args, empty_kwargs);\n'
               '        Py_DECREF(empty_kwargs);\n')
NO_KEYWORDS_AS_NULL = ('      {\n'
                       '        inst = ((PyTypeObject *)data->newargs)->tp_new((PyTypeObject *)data->newargs, empty_args, NULL);\n')


def proxies_made_without_keywords(wrapper):
    if wrapper.count(NO_KEYWORDS) != 1:
        raise ValueError('no shadow instance to shape')
    return wrapper.replace(NO_KEYWORDS, NO_KEYWORDS_AS_NULL)


NAMED_TYPE_CHECKS = [
    '    || (strcmp(Py_TYPE(op)->tp_name,"SwigPyObject") == 0);\n',
    '    || (strcmp((op)->ob_type->tp_name,"SwigPyPacked") == 0);\n',
]
STATIC_TYPE = '    || (!(Py_TYPE(op)->tp_flags & Py_TPFLAGS_HEAPTYPE) && '


def named_types_only_static(wrapper):
    """The runtime takes any object whose type is named SwigPyObject (or
    SwigPyPacked) as one of its own, so that pointer objects of other modules
    made by the same runtime are accepted. A class of that name written in
    Python is no such object (reading it as one crashes): the name counts
    only for a static type, which a Python class never is."""
    for check in NAMED_TYPE_CHECKS:
        if wrapper.count(check) != 1:
            raise ValueError('no named type check to shape')
        wrapper = wrapper.replace(check, check.replace('    || (', STATIC_TYPE, 1))
    return wrapper


DISOWN = '    if (director) director->swig_disown();\n'
DISOWN_AND_UNWATCH = ('    if (director) {\n'
                      '      director->swig_disown();\n'
                      '      pysignals::unwatch(arg1);\n'
                      '    }\n')


def disown_ends_the_watch(wrapper):
    """Once a director is disowned it keeps its Python object alive and
    native code owns it: the binding stops watching for the Python object's
    collection (python/SignalCallbacks.h)."""
    if wrapper.count(DISOWN) != 1:
        raise ValueError('no director disown to shape')
    return wrapper.replace(DISOWN, DISOWN_AND_UNWATCH)


def main(wrapper_path, proxy_path):
    with open(wrapper_path) as f:
        wrapper = f.read()
    wrapper = guard_registration(count_range_checks(dispatch_by_count(drop_static_method_entry(wrapper))))
    wrapper = intern_this_name(dispatch_signals(read_proxy_this_directly(wrapper)))
    wrapper = strings_from_utf8(convert_first_argument_once(make_own_instance_methods(wrapper)))
    wrapper = proxies_made_without_keywords(shadow_proxies_as_initialised(wrapper))
    wrapper = disown_ends_the_watch(named_types_only_static(wrapper))
    with open(wrapper_path, 'w') as f:
        f.write(wrapper)
    with open(proxy_path) as f:
        proxy = f.read()
    with open(proxy_path, 'w') as f:
        f.write(use_builtin_staticmethod(proxy))


if __name__ == '__main__':
    main(*sys.argv[1:])
