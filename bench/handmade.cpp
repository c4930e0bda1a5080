// _handmade: the least a Python call into native code can cost, written by
// hand against the interpreter's C API, for comparison with the generated
// module. Each function does the work of its generated counterpart and no
// more: the same calling convention, the same argument checks and
// conversions, the same native call, the same result object.
//
//   rgb(red, green, blue)   as PIRGB: an argument tuple of three ints
//   isValid(client)         as SignalClient_isValid: the native client behind
//                           a proxy object, checked to be a SignalClient
//   expect(client)          records what a SignalClient's pointer object
//                           looks like, for isValid's type check

#include <Python.h>

#include <climits>

#include "bridge/PIColor.h"
#include "services/PIClients.h"
#include "services/PISignalInterface.h"

namespace {

using SignalClient = PICommon::BasicClient<PluginClient::Interfaces::SignalInterface>;

// The head of the binding's pointer objects: the native pointer and its
// type record follow the object header.
struct PointerObject {
    PyObject_HEAD void* ptr;
    const void* type;
};

PyTypeObject* g_pointerObjectType = nullptr;
const void* g_signalClientType = nullptr;
PyObject* g_this = nullptr;

bool toInt(PyObject* object, int* out) {
    if (!PyLong_Check(object)) {
        PyErr_SetString(PyExc_TypeError, "an int is expected");
        return false;
    }
    const long value = PyLong_AsLong(object);
    if (value == -1 && PyErr_Occurred()) {
        return false;
    }
    if (value < INT_MIN || value > INT_MAX) {
        PyErr_SetString(PyExc_OverflowError, "out of range for an int");
        return false;
    }
    *out = static_cast<int>(value);
    return true;
}

PyObject* rgb(PyObject*, PyObject* args) {
    if (PyTuple_GET_SIZE(args) != 3) {
        PyErr_SetString(PyExc_TypeError, "rgb takes 3 arguments");
        return nullptr;
    }
    int red;
    int green;
    int blue;
    if (!toInt(PyTuple_GET_ITEM(args, 0), &red) || !toInt(PyTuple_GET_ITEM(args, 1), &green) ||
        !toInt(PyTuple_GET_ITEM(args, 2), &blue)) {
        return nullptr;
    }
    return PyLong_FromUnsignedLong(PIRGB(red, green, blue));
}

// The pointer object of a proxy (found in its instance dictionary) or the
// pointer object itself. From Python 3.11 on, an instance's attributes may
// live outside any dictionary until one is asked for; the generic lookup
// reads them where they are.
PointerObject* pointerObjectOf(PyObject* object) {
    if (Py_TYPE(object) != g_pointerObjectType) {
#if PY_VERSION_HEX >= 0x030B0000
        object = PyObject_GenericGetAttr(object, g_this);
        if (!object) {
            PyErr_Clear();
            return nullptr;
        }
        Py_DECREF(object);  // the instance holds it
#else
        PyObject** dict = _PyObject_GetDictPtr(object);
        object = dict && *dict ? PyDict_GetItem(*dict, g_this) : nullptr;
#endif
        if (!object || Py_TYPE(object) != g_pointerObjectType) {
            return nullptr;
        }
    }
    return reinterpret_cast<PointerObject*>(object);
}

PyObject* expect(PyObject*, PyObject* client) {
    PyObject* pointer = PyObject_GetAttr(client, g_this);
    if (!pointer) {
        return nullptr;
    }
    g_pointerObjectType = Py_TYPE(pointer);
    g_signalClientType = reinterpret_cast<PointerObject*>(pointer)->type;
    Py_DECREF(pointer);
    Py_RETURN_NONE;
}

PyObject* isValid(PyObject*, PyObject* client) {
    PointerObject* pointer = pointerObjectOf(client);
    if (!pointer || pointer->type != g_signalClientType || !pointer->ptr) {
        PyErr_SetString(PyExc_TypeError, "a SignalClient is expected");
        return nullptr;
    }
    return PyBool_FromLong(static_cast<SignalClient*>(pointer->ptr)->isValid());
}

PyMethodDef g_methods[] = {
    {"rgb", rgb, METH_VARARGS, nullptr},
    {"isValid", isValid, METH_O, nullptr},
    {"expect", expect, METH_O, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef g_module = {
    PyModuleDef_HEAD_INIT, "_handmade", nullptr, -1, g_methods, nullptr, nullptr, nullptr, nullptr};

}  // namespace

PyMODINIT_FUNC PyInit__handmade() {
    g_this = PyUnicode_InternFromString("this");
    return g_this ? PyModule_Create(&g_module) : nullptr;
}
