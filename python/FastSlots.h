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
    if (!sthis) {
        PyErr_Clear();  // a key that failed to compare: the method looks again
        return nullptr;
    }
    return sthis->ty == type && sthis->ptr ? sthis : nullptr;
}

// nativeOf for an iterator, which a for loop asks for its next item many
// times in a row.
//
// The pointer object is read from the iterator's dictionary. From Python
// 3.11 on, a proxy's attributes stay values in the instance until something
// asks for its dictionary, and reading "this" from them costs twice as much;
// an iterator gets its dictionary on its first step (the same attributes,
// stored as before 3.11).
//
// The answer for the last iterator is kept with the versions of its class
// and its dictionary. The interpreter gives a class a new version whenever
// an attribute of it or of a base changes, and a dictionary a new one with
// every change to it; no two classes or dictionaries ever share a version.
// While both are unchanged, the class still reads "this" from the
// dictionary, and the dictionary still holds the same pointer object.
class IteratorThis {
public:
    static SwigPyObject *of(PyObject *self)
    {
        PyTypeObject *type = Py_TYPE(self);
        PyObject **dictptr = _PyObject_GetDictPtr(self);  // may make the dictionary
        PyObject *dict = dictptr ? *dictptr : nullptr;
        if (!dict || !PyDict_CheckExact(dict))
            return nativeOf(self, pyseq::iteratorType());
#if PY_VERSION_HEX < 0x030C0000
        const uint64_t dictVersion = reinterpret_cast<PyDictObject *>(dict)->ma_version_tag;
        if (dict == last_.dict && dictVersion == last_.dictVersion && type == last_.type && validVersion(type) &&
            type->tp_version_tag == last_.typeVersion)
            return usable(last_.sthis);
#endif
        if (type->tp_getattro != PyObject_GenericGetAttr || _PyType_Lookup(type, SWIG_This()))
            return nativeOf(self, pyseq::iteratorType());
        PyObject *obj = PyDict_GetItemWithError(dict, SWIG_This());
        if (!obj || Py_TYPE(obj) != SwigPyObject_type()) {
            PyErr_Clear();  // a key that failed to compare: the method looks again
            return nullptr;
        }
        SwigPyObject *sthis = reinterpret_cast<SwigPyObject *>(obj);
#if PY_VERSION_HEX < 0x030C0000
        if (validVersion(type))  // the lookup above gave the class a version
            last_ = {type, type->tp_version_tag, dict, dictVersion, sthis};
#endif
        return usable(sthis);
    }

private:
    static bool validVersion(PyTypeObject *type) { return PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG); }
    static SwigPyObject *usable(SwigPyObject *sthis)
    {
        return sthis->ty == pyseq::iteratorType() && sthis->ptr && sthis->own ? sthis : nullptr;
    }

    struct Last {
        PyTypeObject *type;
        unsigned int typeVersion;
        PyObject *dict;
        uint64_t dictVersion;
        SwigPyObject *sthis;
    };
    static inline Last last_ = {nullptr, 0, nullptr, 0, nullptr};
};

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
        if (SwigPyObject *sthis = IteratorThis::of(self)) {
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
