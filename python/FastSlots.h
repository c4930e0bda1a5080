// Slots of the sequence classes that the interpreter calls directly.
//
// A Python class whose `__getitem__` or `__next__` is a method object gets
// the interpreter's generic slot: every `vector[i]` and every step of a for
// loop looks the method up on the class and calls it with the instance,
// through the overload dispatch and the argument conversions of the flat
// function. For the proxy classes of this module, while their method is the
// module's own, the slots below answer the common case from the native
// object directly: an int index within the vector, an iterator with an item
// left. Every other case (a slice, an index out of range, a freed vector, an
// exhausted iterator, any other object) goes on to the generic slot, so the
// answers and errors are the method's own.
//
// The interpreter replaces a class's slot whenever the method is assigned
// to the class or deleted from it, and a subclass gets the generic slot of
// its own, so a replaced or overriding method is always the one called.
//
// Included into the generated wrapper after SWIG's runtime and
// python/Sequences.h; not a header of the client library.
#pragma once

#include <Python.h>

#include "python/InstanceMethod.h"

namespace pyslots {

// True when `klass` holds, under `name` in its own dictionary, the module's
// method object of the C function `own`.
inline bool holdsOwnMethod(PyTypeObject *klass, const char *name, PyCFunction own)
{
    PyObject *dict = klass->tp_dict;
    PyObject *method = dict ? PyDict_GetItemString(dict, name) : nullptr;
    if (!method || Py_TYPE(method) != PIPython::instanceMethodType())
        return false;
    PyObject *func = reinterpret_cast<PIPython::InstanceMethod *>(method)->func;
    return Py_TYPE(func) == &PyCFunction_Type && PyCFunction_GET_FUNCTION(func) == own;
}

// The pointer object of a proxy when it holds a native object of `type`
// itself (not through a chain of pointer objects); null otherwise.
inline SwigPyObject *nativeOf(PyObject *self, swig_type_info *type)
{
    SwigPyObject *sthis = reinterpret_cast<SwigPyObject *>(pi_proxyThis(self));
    return sthis && sthis->ty == type && sthis->ptr ? sthis : nullptr;
}

// vector[i] for an int i within the vector: the item, converted as
// `__getitem__` converts it.
template <class Vec>
struct Subscript {
    static swig_type_info *type;
    static binaryfunc generic;

    static PyObject *slot(PyObject *self, PyObject *key)
    {
        if (PyLong_CheckExact(key)) {
            if (SwigPyObject *sthis = nativeOf(self, type)) {
                const Vec &items = *static_cast<const Vec *>(sthis->ptr);
                const Py_ssize_t size = static_cast<Py_ssize_t>(items.size());
                Py_ssize_t i = PyLong_AsSsize_t(key);
                if (i == -1 && PyErr_Occurred()) {
                    PyErr_Clear();  // the method reports the overflow
                } else {
                    if (i < 0)
                        i += size;
                    if (i >= 0 && i < size)
                        return pyseq::Item<typename Vec::value_type>::from(items[static_cast<size_t>(i)]);
                }
            }
        }
        return generic(self, key);
    }

    // Installs the slot on `klass` when its `__getitem__` is `own`'s method
    // and its slot is still the interpreter's generic one.
    static void install(PyTypeObject *klass, swig_type_info *vectorType, PyCFunction own)
    {
        PyMappingMethods *mapping = klass->tp_as_mapping;
        if (!(klass->tp_flags & Py_TPFLAGS_HEAPTYPE) || !mapping || !mapping->mp_subscript ||
            mapping->mp_subscript == slot || (generic && mapping->mp_subscript != generic) ||
            !holdsOwnMethod(klass, "__getitem__", own))
            return;
        type = vectorType;
        generic = mapping->mp_subscript;
        mapping->mp_subscript = slot;
    }
};
template <class Vec>
swig_type_info *Subscript<Vec>::type = nullptr;
template <class Vec>
binaryfunc Subscript<Vec>::generic = nullptr;

// next(iterator) while an item is left: the item, the iterator moved on.
struct Next {
    static iternextfunc generic;

    static PyObject *slot(PyObject *self)
    {
        // Converting an item runs no Python code, so nothing can free the
        // iterator while it moves. At the end, the method ends the iteration.
        if (SwigPyObject *sthis = nativeOf(self, pyseq::iteratorType())) {
            if (PyObject *item = static_cast<swig::SwigPyIterator *>(sthis->ptr)->nextOrEnd())
                return item;
            if (PyErr_Occurred())
                return nullptr;
        }
        return generic(self);
    }

    static void install(PyTypeObject *klass, PyCFunction own)
    {
        if (!(klass->tp_flags & Py_TPFLAGS_HEAPTYPE) || !klass->tp_iternext || klass->tp_iternext == slot ||
            (generic && klass->tp_iternext != generic) || !holdsOwnMethod(klass, "__next__", own))
            return;
        generic = klass->tp_iternext;
        klass->tp_iternext = slot;
    }
};
inline iternextfunc Next::generic = nullptr;

}  // namespace pyslots
