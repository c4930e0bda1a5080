// Pointer objects that address memory inside a record: the extents arrays of
// PITerrainRasterSetRequestInfo and the parameter maps of PIFunctionParams_t.
//
// Included into the generated wrapper after SWIG's runtime; not a header of
// the client library.
//
// Such a pointer object is an ordinary pointer object for scripts and for
// the runtime (same type name, same methods, same conversions), with one
// addition: it holds a counted reference to the pointer object of its record,
// so the record lives at least as long as any pointer into it. A record freed
// explicitly (delete_PITerrainRasterSetRequestInfo(info)) is gone all the
// same; a pointer into it then converts as a null pointer and the setters
// refuse it, as they refuse None.
#pragma once

#include <cstring>

namespace pyrecord {

struct InteriorPointer {
    SwigPyObject base;
    // The pointer object of the record (counted).
    PyObject* owner;
};

inline void deallocInteriorPointer(PyObject* object) {
    Py_CLEAR(reinterpret_cast<InteriorPointer*>(object)->owner);
    SwigPyObject_type()->tp_dealloc(object);
}

// A subtype of the runtime's pointer type under the same name, which the
// runtime's checks go by.
inline PyTypeObject* interiorPointerType() {
    static PyTypeObject* const type = []() -> PyTypeObject* {
        static PyTypeObject definition = {PyVarObject_HEAD_INIT(nullptr, 0)};
        definition.tp_name = "SwigPyObject";
        definition.tp_basicsize = sizeof(InteriorPointer);
        definition.tp_dealloc = deallocInteriorPointer;
        definition.tp_flags = Py_TPFLAGS_DEFAULT;
        definition.tp_doc = "Swig object carries a C/C++ instance pointer";
        definition.tp_base = SwigPyObject_type();
        return PyType_Ready(&definition) == 0 ? &definition : nullptr;
    }();
    return type;
}

// A new, not owned pointer object for `address`, inside the record behind
// `record` (the record's proxy or pointer object, whose chain holds the
// record's pointer object under `recordType`).
inline PyObject* newInteriorPointer(void* address, swig_type_info* type, PyObject* record,
                                    swig_type_info* recordType) {
    PyTypeObject* pointerType = interiorPointerType();
    SwigPyObject* owner = pychain::memberFor(record, recordType);
    if (!pointerType || !owner) {
        PyErr_SetString(PyExc_RuntimeError, "cannot make a pointer into the record");
        return nullptr;
    }
    InteriorPointer* pointer = PyObject_New(InteriorPointer, pointerType);
    if (!pointer) {
        return nullptr;
    }
    pointer->base.ptr = address;
    pointer->base.ty = type;
    pointer->base.own = 0;
    pointer->base.next = nullptr;
    Py_INCREF(owner);
    pointer->owner = reinterpret_cast<PyObject*>(owner);
    return reinterpret_cast<PyObject*>(pointer);
}

// True when the pointer object that `object` converts to as `type` points
// into a record that was freed explicitly.
inline bool recordFreed(PyObject* object, swig_type_info* type) {
    SwigPyObject* pointer = object && object != Py_None ? pychain::memberFor(object, type) : nullptr;
    if (!pointer || Py_TYPE(pointer) != interiorPointerType()) {
        return false;
    }
    const PyObject* owner = reinterpret_cast<InteriorPointer*>(pointer)->owner;
    return reinterpret_cast<const SwigPyObject*>(owner)->ptr == nullptr;
}

}  // namespace pyrecord
