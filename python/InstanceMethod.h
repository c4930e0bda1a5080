// The method objects the proxy classes are built from.
//
// The proxy module turns each flat function into a method with
// SWIG_PyInstanceMethod_New. The interpreter's own instance-method type binds
// on every call: `client.isValid()` first makes a bound method of the flat
// function and the client, then calls that. The type below behaves as the
// interpreter's `instancemethod` does in everything Python can ask of it
// (binding, calling, attributes, repr, comparison, construction), and also
// declares itself a method descriptor, so that a method call passes the
// instance as the first argument straight to the flat function, with no
// bound method in between; this covers the special methods too
// (`vector[i]`, `len(vector)`, `next(iterator)`).
#pragma once

#include <Python.h>
#include <structmember.h>

namespace PIPython {

struct InstanceMethod {
    PyObject_HEAD
    PyObject *func;
    vectorcallfunc vectorcall;
    PyCFunction direct;  // func's C function, when it may be entered directly
    PyObject *module;    // the first argument of `direct` (borrowed from func)
};

#if PY_VERSION_HEX >= 0x03090000
inline constexpr unsigned long kHaveVectorcall = Py_TPFLAGS_HAVE_VECTORCALL;
inline PyObject *vectorcall(PyObject *callable, PyObject *const *args, size_t nargsf, PyObject *kwnames)
{
    return PyObject_Vectorcall(callable, args, nargsf, kwnames);
}
#else
inline constexpr unsigned long kHaveVectorcall = _Py_TPFLAGS_HAVE_VECTORCALL;
inline PyObject *vectorcall(PyObject *callable, PyObject *const *args, size_t nargsf, PyObject *kwnames)
{
    return _PyObject_Vectorcall(callable, args, nargsf, kwnames);
}
#endif

inline PyTypeObject *instanceMethodType();

// What the interpreter checks after calling a C function: a result and a
// pending exception go together never, no result and no exception neither.
// The report names the function, in the interpreter's own words.
[[gnu::noinline]] inline PyObject *checkedResult(PyObject *func, PyObject *result)
{
#if PY_VERSION_HEX >= 0x030D0000
    if (!result == !PyErr_Occurred()) {
        Py_CLEAR(result);
        PyErr_Format(PyExc_SystemError, "%R returned %s", func,
                     PyErr_Occurred() ? "a result with an exception set" : "NULL without setting an exception");
    }
    return result;
#elif PY_VERSION_HEX >= 0x03090000
    return _Py_CheckFunctionResult(PyThreadState_Get(), func, result, nullptr);
#else
    return _Py_CheckFunctionResult(func, result, nullptr);
#endif
}

inline PyObject *callThroughInterpreter(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames)
{
    return vectorcall(reinterpret_cast<InstanceMethod *>(self)->func, args, nargsf, kwnames);
}

[[gnu::noinline]] inline PyObject *callWithInstanceChecked(InstanceMethod *method, PyObject *instance)
{
    return checkedResult(method->func, method->direct(method->module, instance));
}

// The module's own functions are entered directly when a method is called
// without keywords: a function of one argument with the instance alone (the
// commonest call: `client.isValid()`, `len(vector)`, `next(iterator)`), any
// other with the arguments packed into a tuple as the interpreter would.
// Every other call goes through the interpreter.
//
// A caller that offers the slot before the arguments
// (PY_VECTORCALL_ARGUMENTS_OFFSET) is, in the interpreter, a call through
// PyObject_Vectorcall, which checks the result itself (naming the method
// object); every other call has the result checked here (naming the
// function). The module's functions never break the calling convention:
// the checks only decide who reports a function that did.
inline PyObject *callWithInstance(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames)
{
    InstanceMethod *method = reinterpret_cast<InstanceMethod *>(self);
    if (PyVectorcall_NARGS(nargsf) != 1 || kwnames)
        return vectorcall(method->func, args, nargsf, kwnames);
    if (!(nargsf & PY_VECTORCALL_ARGUMENTS_OFFSET))
        return callWithInstanceChecked(method, args[0]);
    return method->direct(method->module, args[0]);
}

inline PyObject *callWithTuple(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames)
{
    InstanceMethod *method = reinterpret_cast<InstanceMethod *>(self);
    if (kwnames)
        return vectorcall(method->func, args, nargsf, kwnames);
    const Py_ssize_t count = PyVectorcall_NARGS(nargsf);
    PyObject *tuple = PyTuple_New(count);
    if (!tuple)
        return nullptr;
    for (Py_ssize_t i = 0; i < count; ++i) {
        Py_INCREF(args[i]);
        PyTuple_SET_ITEM(tuple, i, args[i]);
    }
    PyObject *result = method->direct(method->module, tuple);
    Py_DECREF(tuple);
    return checkedResult(method->func, result);
}

// A new method of `func`; `own` tells that `func` is one of the module's
// own functions.
inline PyObject *newInstanceMethod(PyObject *func, bool own)
{
    InstanceMethod *method = PyObject_GC_New(InstanceMethod, instanceMethodType());
    if (!method)
        return nullptr;
    Py_INCREF(func);
    method->func = func;
    const int flags = own && Py_TYPE(func) == &PyCFunction_Type ? PyCFunction_GetFlags(func) : 0;
    const bool direct = flags == METH_O || flags == METH_VARARGS;
    method->direct = direct ? PyCFunction_GetFunction(func) : nullptr;
    method->module = direct ? PyCFunction_GetSelf(func) : nullptr;
    method->vectorcall = !direct ? callThroughInterpreter : flags == METH_O ? callWithInstance : callWithTuple;
    PyObject_GC_Track(method);
    return reinterpret_cast<PyObject *>(method);
}

inline void instanceMethodDealloc(PyObject *self)
{
    PyObject_GC_UnTrack(self);
    Py_DECREF(reinterpret_cast<InstanceMethod *>(self)->func);
    PyObject_GC_Del(self);
}

inline int instanceMethodTraverse(PyObject *self, visitproc visit, void *arg)
{
    Py_VISIT(reinterpret_cast<InstanceMethod *>(self)->func);
    return 0;
}

// Looked up on the method: attributes of the type first, then the function's
// (`__name__`, `__qualname__`, `__text_signature__` ...).
inline PyObject *instanceMethodGetAttr(PyObject *self, PyObject *name)
{
    PyTypeObject *type = Py_TYPE(self);
    if (PyObject *descr = _PyType_Lookup(type, name)) {
        if (descrgetfunc get = Py_TYPE(descr)->tp_descr_get)
            return get(descr, self, reinterpret_cast<PyObject *>(type));
        Py_INCREF(descr);
        return descr;
    }
    return PyObject_GetAttr(reinterpret_cast<InstanceMethod *>(self)->func, name);
}

// Read from a class: the function itself; read from an instance: the
// function bound to it.
inline PyObject *instanceMethodGet(PyObject *self, PyObject *obj, PyObject *)
{
    PyObject *func = reinterpret_cast<InstanceMethod *>(self)->func;
    if (!obj) {
        Py_INCREF(func);
        return func;
    }
    return PyMethod_New(func, obj);
}

inline PyObject *instanceMethodDoc(PyObject *self, void *)
{
    return PyObject_GetAttrString(reinterpret_cast<InstanceMethod *>(self)->func, "__doc__");
}

inline PyObject *instanceMethodRepr(PyObject *self)
{
    PyObject *name = PyObject_GetAttrString(reinterpret_cast<InstanceMethod *>(self)->func, "__name__");
    if (!name) {
        if (!PyErr_ExceptionMatches(PyExc_AttributeError))
            return nullptr;
        PyErr_Clear();
    }
    PyObject *repr = name && PyUnicode_Check(name) ? PyUnicode_FromFormat("<instancemethod %U at %p>", name, self)
                                                   : PyUnicode_FromFormat("<instancemethod ? at %p>", self);
    Py_XDECREF(name);
    return repr;
}

// Two methods are equal when their functions are.
inline PyObject *instanceMethodCompare(PyObject *self, PyObject *other, int op)
{
    if ((op != Py_EQ && op != Py_NE) || Py_TYPE(self) != instanceMethodType() ||
        Py_TYPE(other) != instanceMethodType())
        Py_RETURN_NOTIMPLEMENTED;
    int equal = PyObject_RichCompareBool(reinterpret_cast<InstanceMethod *>(self)->func,
                                         reinterpret_cast<InstanceMethod *>(other)->func, Py_EQ);
    if (equal < 0)
        return nullptr;
    return PyBool_FromLong(op == Py_EQ ? equal : !equal);
}

inline PyObject *instanceMethodNew(PyTypeObject *, PyObject *args, PyObject *kwargs)
{
    PyObject *func;
    if (kwargs && PyDict_Size(kwargs) != 0) {
        PyErr_SetString(PyExc_TypeError, "instancemethod() takes no keyword arguments");
        return nullptr;
    }
    if (!PyArg_UnpackTuple(args, "instancemethod", 1, 1, &func))
        return nullptr;
    if (!PyCallable_Check(func)) {
        PyErr_SetString(PyExc_TypeError, "first argument must be callable");
        return nullptr;
    }
    return newInstanceMethod(func, false);
}

inline PyTypeObject *instanceMethodType()
{
    static PyMemberDef members[] = {
        {const_cast<char *>("__func__"), T_OBJECT, offsetof(InstanceMethod, func), READONLY,
         const_cast<char *>("the function (or other callable) underlying a method")},
        {nullptr, 0, 0, 0, nullptr},
    };
    static PyGetSetDef getset[] = {
        {const_cast<char *>("__doc__"), instanceMethodDoc, nullptr, nullptr, nullptr},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    static PyTypeObject type = [] {
        PyTypeObject t{};  // as PyVarObject_HEAD_INIT(nullptr, 0): one reference, no type yet
        t.ob_base.ob_base.ob_refcnt = 1;
        t.tp_name = "instancemethod";
        t.tp_basicsize = sizeof(InstanceMethod);
        t.tp_dealloc = instanceMethodDealloc;
        t.tp_vectorcall_offset = offsetof(InstanceMethod, vectorcall);
        t.tp_repr = instanceMethodRepr;
        t.tp_call = PyVectorcall_Call;
        t.tp_getattro = instanceMethodGetAttr;
        t.tp_setattro = PyObject_GenericSetAttr;
        t.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_METHOD_DESCRIPTOR | kHaveVectorcall;
#if PY_VERSION_HEX >= 0x030A0000
        t.tp_doc = "instancemethod(function, /)\n--\n\nBind a function to a class.";
#else
        t.tp_doc = "instancemethod(function)\n\nBind a function to a class.";
#endif
        t.tp_traverse = instanceMethodTraverse;
        t.tp_richcompare = instanceMethodCompare;
        t.tp_members = members;
        t.tp_getset = getset;
        t.tp_descr_get = instanceMethodGet;
        t.tp_new = instanceMethodNew;
        return t;
    }();
    return &type;
}

// The method of `func` the proxy module stores in its classes (`own` as
// above); null with a Python exception set when the type cannot be readied.
inline PyObject *instanceMethod(PyObject *func, bool own)
{
    if (!PyType_HasFeature(instanceMethodType(), Py_TPFLAGS_READY) && PyType_Ready(instanceMethodType()) < 0)
        return nullptr;
    return newInstanceMethod(func, own);
}

}  // namespace PIPython
