// Chains of pointer objects.
//
// Included into the generated wrapper after SWIG's runtime; not a header of
// the client library.
//
// A pointer object may carry others behind it (`this.append(other)`), and
// converting an argument to a native type takes the first object of the
// chain whose type fits. Code of this module that keeps or inspects the
// pointer object behind an argument must use that same object, never simply
// the first of the chain, which may address something else entirely.
//
// A chain never loops and never merges into itself: `append` refuses an
// object already in the chain and one that carries a chain of its own, so
// every walk along a chain ends.
#pragma once

namespace pychain {

// The pointer object of `object`'s chain that a conversion to `type` uses:
// the first of that type, or of a type registered as convertible to it.
// Null when there is none; `object` is a proxy or a pointer object.
inline SwigPyObject* memberFor(PyObject* object, swig_type_info* type) {
    for (SwigPyObject* member = object ? SWIG_Python_GetSwigThis(object) : nullptr; member;
         member = reinterpret_cast<SwigPyObject*>(member->next)) {
        if (member->ty == type || SWIG_TypeCheck(member->ty->name, type)) {
            return member;
        }
    }
    return nullptr;
}

// The pointer object's `append`: the runtime's, with the two refusals that
// keep chains finite and their references counted.
inline PyObject* append(PyObject* self, PyObject* next) {
    if (!SwigPyObject_Check(next)) {
        PyErr_SetString(PyExc_TypeError, "Attempt to append a non SwigPyObject");
        return nullptr;
    }
    SwigPyObject* appended = reinterpret_cast<SwigPyObject*>(next);
    for (PyObject* member = self; member; member = reinterpret_cast<SwigPyObject*>(member)->next) {
        if (member == next) {
            PyErr_SetString(PyExc_ValueError,
                            "Attempt to append a 'this' object that is in the chain already");
            return nullptr;
        }
    }
    if (appended->next) {
        PyErr_SetString(PyExc_ValueError, "Attempt to append a 'this' object that has a chain of its own");
        return nullptr;
    }
    SwigPyObject* head = reinterpret_cast<SwigPyObject*>(self);
    appended->next = head->next;
    head->next = next;
    Py_INCREF(next);
    Py_RETURN_NONE;
}

// Puts `append` above in place of the runtime's on the pointer object type.
inline bool guardAppend(PyTypeObject* pointerType) {
    static PyMethodDef definition = {"append", append, METH_O, "appends another 'this' object"};
    PyObject* method = PyDescr_NewMethod(pointerType, &definition);
    const bool stored = method && PyDict_SetItemString(pointerType->tp_dict, "append", method) == 0;
    Py_XDECREF(method);
    PyType_Modified(pointerType);
    return stored;
}

}  // namespace pychain
