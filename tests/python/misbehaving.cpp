// _misbehaving: C functions that break the interpreter's calling convention
// (no result and no exception, or a result with an exception pending), and
// methods made of them as the proxy module makes its methods. The tests
// compare what the interpreter reports for such a method with what it
// reports for its own instance-method object around the same function.
#include <Python.h>

#include "python/InstanceMethod.h"

namespace {

PyObject *nullWithoutException(PyObject *, PyObject *)
{
    return nullptr;
}

PyObject *resultWithException(PyObject *, PyObject *)
{
    PyErr_SetString(PyExc_KeyError, "pending");
    Py_RETURN_NONE;
}

PyObject *rightResult(PyObject *, PyObject *)
{
    Py_RETURN_NONE;
}

// A method of `func` that may enter it directly, as the proxy module's are.
PyObject *ownMethod(PyObject *, PyObject *func)
{
    return PIPython::instanceMethod(func, true);
}

PyMethodDef functions[] = {
    {"null_without_exception", nullWithoutException, METH_O, nullptr},
    {"result_with_exception", resultWithException, METH_O, nullptr},
    {"right_result", rightResult, METH_O, nullptr},
    {"tuple_null_without_exception", nullWithoutException, METH_VARARGS, nullptr},
    {"tuple_result_with_exception", resultWithException, METH_VARARGS, nullptr},
    {"tuple_right_result", rightResult, METH_VARARGS, nullptr},
    {"own_method", ownMethod, METH_O, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef module = {PyModuleDef_HEAD_INIT, "_misbehaving", nullptr, -1, functions,
                      nullptr, nullptr, nullptr, nullptr};

}  // namespace

PyMODINIT_FUNC PyInit__misbehaving()
{
    return PyModule_Create(&module);
}
