// What the director does for every signal: the name as a str, the data as a
// borrowed SignalData proxy, the call of the Python method `callback`, and
// the release of both.
//
// Included into the generated wrapper after SWIG's runtime and its string
// conversions; not a header of the client library.
//
// Two things are kept from one signal to the next, each only where Python
// cannot tell it from a new one:
//
// - A name's str. Strings are immutable and equal names give equal strs, so
//   the most recent names (a fixed number of slots, short names only) keep
//   their text and the str made for it. The same slots give the native
//   string of a signal name passed in from Python: the host is handed the
//   kept text itself, which stays as it is until the call returned, instead
//   of a copy made for the call.
// - The data proxy. Once `callback` returned, a proxy that nothing but the
//   director holds any more and that is as it was made (no other reference,
//   no weak reference, its class unchanged and without a finalizer, its
//   dictionary unchanged, holding its pointer object alone, that pointer
//   object held by nothing else, not owning and not chained) is kept, out of
//   the garbage collector's sight, and handed to the next signal with the
//   new address. Python cannot tell it from a
//   fresh proxy that the allocator placed at the same address, as the
//   interpreter's own free lists do. A proxy that the callback kept or
//   changed is released as before, and the next signal gets a new one.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "services/PISignalInterface.h"

#if PY_VERSION_HEX < 0x03090000
// The method lookup of the interpreter's own method calls, as 3.8 exports it
// (declared by the headers from 3.9 on): the function found on the class
// without binding it (true), or the attribute as an ordinary lookup gives it
// (false); null with the error of that lookup.
extern "C" int _PyObject_GetMethod(PyObject* object, PyObject* name, PyObject** method);
#endif

namespace pysignals {

// ------------------------------------------------------------------ names

struct KeptName {
    std::string text;
    PyObject* str = nullptr;  // counted; null until a director needed it
    int pinned = 0;           // calls running with `text` as their name: it stays
    bool used = false;
};

inline constexpr std::size_t kNameSlots = 64;  // a power of two
inline constexpr std::size_t kLongestKeptName = 256;

// The slot of a name: from its length, its first and its last eight bytes
// (names often share a long common prefix).
inline KeptName* nameSlots() {
    static KeptName* const slots = new KeptName[kNameSlots];  // never destroyed
    return slots;
}

inline KeptName& nameSlot(const char* text, std::size_t size) {
    std::uint64_t head = size;
    std::uint64_t tail = 0;
    if (size >= 8) {
        std::memcpy(&head, text, 8);
        std::memcpy(&tail, text + size - 8, 8);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            tail = tail << 8 | static_cast<unsigned char>(text[i]);
        }
    }
    const std::uint64_t mixed = ((head ^ size) * 0x9E3779B97F4A7C15ull) ^ (tail * 0xC2B2AE3D27D4EB4Full);
    return nameSlots()[(mixed >> 40) & (kNameSlots - 1)];
}

// Whether the slot keeps the name of `size` bytes at `text` (a string that
// shares the kept text has the very same bytes).
inline bool holds(const KeptName& slot, const char* text, std::size_t size) {
    return slot.used && slot.text.size() == size &&
           (slot.text.data() == text || std::memcmp(slot.text.data(), text, size) == 0);
}

// The native string of a signal name given by Python as `size` bytes of
// UTF-8: the kept text itself, pinned for the call (`pin` is set: the caller
// unpins it when the call returned), or `local` made from the bytes when the
// slot is pinned by a call still running with another name.
inline const std::string* signalName(std::string& local, KeptName*& pin, const char* utf8, std::size_t size) {
    if (size <= kLongestKeptName) {
        KeptName& slot = nameSlot(utf8, size);
        const bool known = holds(slot, utf8, size);
        if (known || !slot.pinned) {
            if (!known) {
                slot.text.assign(utf8, size);
                slot.used = true;
                Py_CLEAR(slot.str);
            }
            ++slot.pinned;
            pin = &slot;
            return &slot.text;
        }
    }
    local.assign(utf8, size);
    return &local;
}

// A new reference to what Python receives for a signal name: its str
// (decoded as the runtime decodes it, with "surrogateescape"), or what the
// runtime makes of a name too long for a str; null with a Python error.
inline PyObject* nameObject(const std::string& name) {
    if (name.size() > kLongestKeptName) {
        return SWIG_From_std_string(name);
    }
    KeptName& slot = nameSlot(name.data(), name.size());
    const bool known = holds(slot, name.data(), name.size());
    if (known && slot.str) {
        Py_INCREF(slot.str);
        return slot.str;
    }
    PyObject* str = SWIG_From_std_string(name);
    if (str && PyUnicode_CheckExact(str) && (known || !slot.pinned)) {
        if (!known) {
            slot.text = name;
            slot.used = true;
        }
        Py_INCREF(str);
        Py_XSETREF(slot.str, str);
    }
    return str;
}

// ------------------------------------------------------------- data proxy

// A proxy of the director's making, with what tells whether it is still as
// it was made.
struct LentProxy {
    PyObject* proxy = nullptr;           // counted
    SwigPyObject* pointer = nullptr;     // its pointer object, which its dictionary holds
    PyObject** dictSlot = nullptr;       // where the proxy keeps its dictionary
    PyObject* dict = nullptr;            // the dictionary it was made with
    std::uint64_t dictVersion = 0;       // that dictionary's version, which every change moves on
    SwigPyClientData* client = nullptr;  // the registration it was made under
};

// The proxy waiting for the next signal: nothing refers to it, the garbage
// collector does not track it.
inline LentProxy& spare() {
    static LentProxy kept;
    return kept;
}

inline bool weaklyReferenced(PyObject* object) {
    const Py_ssize_t offset = Py_TYPE(object)->tp_weaklistoffset;
    if (offset <= 0) {
        return offset != 0;  // a layout this code does not read: taken as referenced
    }
    return *reinterpret_cast<PyObject**>(reinterpret_cast<char*>(object) + offset) != nullptr;
}

// Whether, after the call, the director holds the proxy alone and the proxy
// is as it was made: its class, no finalizer and no weak reference, its
// dictionary the same and unchanged (so holding its pointer object alone),
// held by nothing else, and that pointer object neither held elsewhere nor
// owning nor chained. The interpreter keeps a dictionary's version for
// extensions up to 3.11; later ones get a new proxy for every signal.
inline bool untouched(const LentProxy& lent) {
#if PY_VERSION_HEX < 0x030C0000
    PyObject* proxy = lent.proxy;
    PyTypeObject* cls = Py_TYPE(proxy);
    PyObject* dict = *lent.dictSlot;
    return Py_REFCNT(proxy) == 1 && cls == reinterpret_cast<PyTypeObject*>(lent.client->newargs) &&
           !cls->tp_finalize && !cls->tp_del && !weaklyReferenced(proxy) && dict == lent.dict &&
           Py_REFCNT(dict) == 1 &&
           reinterpret_cast<PyDictObject*>(dict)->ma_version_tag == lent.dictVersion &&
           Py_REFCNT(lent.pointer) == 1 && !lent.pointer->own && !lent.pointer->next;
#else
    (void)lent;
    return false;
#endif
}

// A new borrowed proxy of `data` made as the runtime makes it, with its
// dictionary made now (from Python 3.11 on, an instance keeps its attributes
// in itself until something asks for its dictionary); `lent.proxy` is null
// with a Python error if it could not be made.
inline void makeProxy(LentProxy& lent, PluginClient::Interfaces::SignalData* data, swig_type_info* type,
                      SwigPyClientData* client) {
    PyObject* pointer = SwigPyObject_New(data, type, 0);
    PyObject* proxy = pointer ? SWIG_Python_NewShadowInstance(client, pointer) : nullptr;
    Py_XDECREF(pointer);
    lent.proxy = proxy;
    PyObject** slot = proxy && !client->newraw ? _PyObject_GetDictPtr(proxy) : nullptr;
    if (!slot || !*slot || !PyDict_CheckExact(*slot)) {
        return;  // not one to keep
    }
    lent.pointer = reinterpret_cast<SwigPyObject*>(pointer);
    lent.dictSlot = slot;
    lent.dict = *slot;
#if PY_VERSION_HEX < 0x030C0000
    lent.dictVersion = reinterpret_cast<PyDictObject*>(*slot)->ma_version_tag;
#endif
    lent.client = client;
}

// Forgets what is kept without releasing it: registered with Py_AtExit, it
// runs once the interpreter is gone, so that an interpreter started later in
// the same process never receives an object of the one before.
inline void forgetKept() {
    spare() = LentProxy();
    for (std::size_t i = 0; i < kNameSlots; ++i) {
        nameSlots()[i].str = nullptr;
    }
}

// One signal delivered to one director: the arguments live as long as it.
class Dispatch {
public:
    Dispatch(const std::string& name, PluginClient::Interfaces::SignalData* data, swig_type_info* dataType)
        : name_(nameObject(name)) {
        if (!data) {
            data_ = SWIG_Py_Void();
            return;
        }
        SwigPyClientData* client = static_cast<SwigPyClientData*>(dataType->clientdata);
        LentProxy& kept = spare();
        if (kept.proxy) {
            lent_ = kept;
            kept.proxy = nullptr;
            PyObject_GC_Track(lent_.proxy);
            if (lent_.client == client) {
                lent_.pointer->ptr = data;
                data_ = lent_.proxy;
                return;
            }
            Py_CLEAR(lent_.proxy);
            lent_ = LentProxy();
        }
        if (client && !client->pytype) {
            makeProxy(lent_, data, dataType, client);
            data_ = lent_.proxy;
        } else {
            data_ = SWIG_NewPointerObj(data, dataType, 0);
        }
    }

    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    // Looks `callback` up on `self` (an ordinary attribute lookup, by the
    // interned name: the interpreter's method cache keeps the name of each
    // lookup) and calls it with the name and the data; the result is
    // dropped. False with the Python error when the call (or making its
    // arguments) failed.
    bool call(PyObject* self) {
        static PyObject* const method = PyUnicode_InternFromString("callback");
        if (!name_ || !data_ || !method) {
            return false;
        }
#if PY_VERSION_HEX >= 0x03090000
        PyObject* arguments[] = {nullptr, self, name_, data_};
        PyObject* result =
            PyObject_VectorcallMethod(method, arguments + 1, 3 | PY_VECTORCALL_ARGUMENTS_OFFSET, nullptr);
#else
        PyObject* callable = nullptr;
        const bool unbound = _PyObject_GetMethod(self, method, &callable);
        if (!callable) {
            return false;
        }
        PyObject* arguments[] = {self, name_, data_};
        PyObject* result = unbound ? _PyObject_Vectorcall(callable, arguments, 3, nullptr)
                                   : _PyObject_Vectorcall(callable, arguments + 1,
                                                          2 | PY_VECTORCALL_ARGUMENTS_OFFSET, nullptr);
        Py_DECREF(callable);
#endif
        Py_XDECREF(result);
        return result != nullptr;
    }

    // A proxy of the director's making is kept for the next signal if
    // nothing else holds it and it is as it was made (and none is kept
    // already: a callback fired a signal itself), and released otherwise.
    ~Dispatch() {
        if (lent_.dictSlot && !spare().proxy && untouched(lent_)) {
            PyObject_GC_UnTrack(lent_.proxy);
            spare() = lent_;
        } else {
            Py_XDECREF(data_);
        }
        Py_XDECREF(name_);
    }

private:
    PyObject* name_;
    PyObject* data_ = nullptr;
    LentProxy lent_;  // dictSlot set: a proxy that may be kept
};

}  // namespace pysignals
