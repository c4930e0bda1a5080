// The Python binding of the plug-in interface library: the extension module
// _PluginInterfaces and its proxy module PluginInterfaces.
//
// The declarations below are the Python-facing view of the C++ API, written
// in the order of the module's method table (each section is headed by the
// class it binds). Every place where the binding differs from SWIG's defaults
// is a named directive with a comment saying why.

%module(directors="1") PluginInterfaces

%{
#include "bridge/PIColor.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIPluginConstants.h"
#include "bridge/PIPluginTypes.h"
#include "bridge/PITerrainRaster.h"
#include "python/ClientBindings.h"
#include "python/InstanceMethod.h"
#include "python/PointerChains.h"
#include "python/InteriorPointers.h"
#include "python/HeldInterfaces.h"
#include "python/SignalCallbacks.h"
#include "services/PIClients.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceNames.h"
%}

// Once the module and its types exist, and before its constants are
// registered, find the host's function map (the import succeeds without one).
%init %{
  pi_moduleDictionary = d;
  pyheld::endedHook() = pysignals::connectionEnded;
  _initializePluginFunctionMap();
%}

// cvar looks its attributes up by the name as given: a name without a UTF-8
// form (lone surrogates) or with an embedded NUL is simply not a variable,
// so reading or writing it raises the unknown-variable AttributeError like
// any other unknown name.
%{
static const char* pi_variableName(PyObject* name) {
  Py_ssize_t size = 0;
  const char* text = PyUnicode_AsUTF8AndSize(name, &size);
  if (!text || strlen(text) != static_cast<size_t>(size)) {
    PyErr_Clear();
    PyErr_Format(PyExc_AttributeError, "Unknown C global variable '%U'", name);
    return 0;
  }
  return text;
}
static PyObject* pi_variableGet(PyObject* self, PyObject* name) {
  const char* text = pi_variableName(name);
  return text ? swig_varlink_getattr(self, const_cast<char*>(text)) : 0;
}
static int pi_variableSet(PyObject* self, PyObject* name, PyObject* value) {
  const char* text = pi_variableName(name);
  return text ? swig_varlink_setattr(self, const_cast<char*>(text), value) : -1;
}
%}
// Chains of pointer objects stay finite (python/PointerChains.h).
%init %{
  if (!pychain::guardAppend(SwigPyObject_type())) {
    return NULL;
  }
%}
%init %{
  swig_varlink_type()->tp_getattro = pi_variableGet;
  swig_varlink_type()->tp_setattro = pi_variableSet;
%}

// Every documented entry carries its signature, with a "Parameters" block for
// the parameters beyond the object.
%feature("autodoc", "3");

// What help() says of each proxy class (in place of "Proxy of C++ ..."); the
// flat functions keep their generated docstrings.
%feature("docstring") swig::SwigPyIterator %{An iterator over a StringVector or UniqueIDVector.

iter(vector) and vector.iterator() give one bounded to the vector (moving
past either end raises StopIteration); begin(), end(), rbegin() and rend()
give open ones for erase() and insert(). An iterator keeps its vector alive.%}
%feature("docstring") std::vector< std::string > %{A native vector of str, used as a Python list: indexing, slicing, len(),
iteration and the vector's own operations. Any sequence of str is accepted
where a StringVector is expected.%}
%feature("docstring") std::vector< PIData::UniqueID_t > %{A native vector of entity ids (unsigned 64-bit ints), used as a Python
list. Any sequence of such ints is accepted where a UniqueIDVector is
expected.%}
%feature("docstring") PICommon::BindableInterface %{The base of every service interface the host hands out.%}
%feature("docstring") PICommon::ServiceClient %{The base of the service clients: bind() to a service by name (the host
then connects the client), unbind() before the client goes away.%}
%feature("docstring") PICommon::BasicClient< PluginClient::Interfaces::EntityGuiInterface > %{A client of the entity GUI service (DATABROWSER_SERVICE_NAME). Once the
host connected it, getInterface() returns the EntityGuiInterface.%}
%feature("docstring") PICommon::BasicClient< PluginClient::Interfaces::FileLocatorInterface > %{A client of the file locator service (FILE_LOCATOR_SERVICE_NAME). Once
the host connected it, getInterface() returns the FileLocatorInterface.%}
%feature("docstring") PICommon::BasicClient< PluginClient::Interfaces::FileWriterInterface > %{A client of the file writer service (FILE_WRITER_SERVICE_NAME). Once the
host connected it, getInterface() returns the FileWriterInterface.%}
%feature("docstring") PICommon::BasicClient< PluginClient::Interfaces::SignalInterface > %{A client of the signal service (SIGNAL_SERVICE_NAME). Once the host
connected it, getInterface() returns the SignalInterface.%}
%feature("docstring") PICommon::BasicClient< PluginClient::Interfaces::SnapShotInterface > %{A client of the snapshot service (SNAPSHOT_SERVICE). Once the host
connected it, getInterface() returns the SnapShotInterface.%}
%feature("docstring") PluginClient::Interfaces::FileLocatorService %{A file locator client bound to FILE_LOCATOR_SERVICE_NAME for as long as
it lives.%}
%feature("docstring") PluginClient::Interfaces::EntityGuiInterface %{The host's entity GUI: shows entities and selects them by id. Borrowed
from a client; valid while the client is connected.%}
%feature("docstring") PluginClient::Interfaces::FileLocatorInterface %{The host's file locator: finds files of a kind (the class constants
MODEL ... OTHER) and a model's textures. Borrowed from a client; valid while
the client is connected.%}
%feature("docstring") PluginClient::Interfaces::FileWriterInterface %{The host's scenario writer: its settings, and write() in the formats ASI
or ZIP. Borrowed from a client; valid while the client is connected.%}
%feature("docstring") PluginClient::Interfaces::SignalData %{The data fired with a signal (no fields of its own).%}
%feature("docstring") PluginClient::Interfaces::SignalCallback %{Subclass it and override callback(name, data) to receive signals, then
register an instance with SignalInterface.addCallback (one signal) or
addGlobalCallback (all). Keep the instance alive while it is registered.
An exception raised in callback comes out of fireCallbacks.%}
%feature("docstring") PluginClient::Interfaces::SignalInterface %{The host's signal service: registers SignalCallback objects by signal name
and fires signals. Borrowed from a client; valid while the client is
connected.%}
%feature("docstring") PluginClient::Interfaces::SnapShotInterface %{The host's snapshot service: where and how snapshots are saved, single
shots and a timer, plot tabs. Borrowed from a client; valid while the client
is connected.%}

%include <stdint.i>
%include <std_string.i>

// ------------------------------------------------------- argument conversion

// A str for a `const std::string &` is copied from its UTF-8 form into a
// string that lives in the wrapper, not into one allocated for the call.
// Anything else, and a str without a UTF-8 form (lone surrogates), takes the
// runtime's conversion, with its answers and argument errors.
%define PI_STRING_IN(SET_FROM_UTF8)
  {
    Py_ssize_t size = 0;
    const char *utf8 = 0;
    if (PyUnicode_Check($input) && !(utf8 = PyUnicode_AsUTF8AndSize($input, &size)))
      PyErr_Clear();
    if (utf8) {
      SET_FROM_UTF8;
    } else {
      std::string *ptr = (std::string *)0;
      res = SWIG_AsPtr_std_string($input, &ptr);
      if (!SWIG_IsOK(res)) {
        %argument_fail(res, "$type", $symname, $argnum);
      }
      if (!ptr) {
        %argument_nullref("$type", $symname, $argnum);
      }
      $1 = ptr;
    }
  }
%enddef
%typemap(in, noblock=1, fragment=SWIG_AsPtr_frag(std::string)) const std::string & (int res = SWIG_OLDOBJ, std::string text) {
  PI_STRING_IN(text.assign(utf8, (size_t)size); $1 = &text)
}
%typemap(freearg, noblock=1) const std::string & {
  if (SWIG_IsNewObj(res$argnum)) delete $1;
}
// The name a director hands to Python is made from the caller's string
// itself, not from a copy of it.
%typemap(directorin, noblock=1, fragment=SWIG_From_frag(std::string)) const std::string & {
  $input = SWIG_From_std_string($1);
}

%{
// Record field setters skip a null record themselves, so they take None as
// the record and do nothing. The extents setters copy into the record
// unconditionally, and refuse it like every other method. disown_SignalCallback
// given None finds no director and does nothing either.
static constexpr bool pi_endsWith(const char* text, const char* suffix, unsigned long textLength = 0,
                                  unsigned long suffixLength = 0) {
  return text[textLength] ? pi_endsWith(text, suffix, textLength + 1, suffixLength)
         : suffix[suffixLength] ? pi_endsWith(text, suffix, textLength, suffixLength + 1)
         : suffixLength <= textLength &&
               std::char_traits<char>::compare(text + textLength - suffixLength, suffix, suffixLength) == 0;
}
static constexpr bool pi_equal(const char* text, const char* other) {
  return *text == *other && (*text == 0 || pi_equal(text + 1, other + 1));
}
static constexpr bool pi_takesNullObject(const char* flatName) {
  return (pi_endsWith(flatName, "_set") && !pi_endsWith(flatName, "Extents_set")) ||
         pi_equal(flatName, "disown_SignalCallback");
}
%}

// The object of a method. None would reach native code as a null object, and
// so would an object already freed: both are refused with the argument error
// for argument 1. A function that consumes its object (a destructor, an
// in-place operator) also clears it, so that a stale reference to a freed
// object is refused instead of used; it cannot consume an object it does not
// own.
%typemap(in, noblock=1) SWIGTYPE *self (void *argp = 0, int res = 0) {
  if ($input == Py_None && pi_takesNullObject("$symname")) {
    $1 = 0;
  } else {
    if ($input == Py_None) {
      %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
    }
    res = SWIG_ConvertPtr($input, &argp, $descriptor, $disown | ($disown ? SWIG_POINTER_CLEAR : 0) | %convertptr_flags);
    if (res == SWIG_ERROR_RELEASE_NOT_OWNED) {
      %releasenotowned_fail(res, "$type", $symname, $argnum);
    }
    if (!SWIG_IsOK(res) || !argp) {
      %argument_fail(SWIG_IsOK(res) ? SWIG_TypeError : res, "$type", $symname, $argnum);
    }
    $1 = %reinterpret_cast(argp, $ltype);
  }
}

// The registration entries take only the proxy class of their type (also
// when the proxy module is loaded again): a class of the entry's name that
// destroys its objects with the module's own destructor. Anything else
// would become the factory of every later object of that type, and its
// objects would never be freed.
%{
static PyObject* pi_moduleDictionary = 0;

static int pi_acceptsProxyClass(swig_type_info*, PyObject* klass, const char* className) {
  if (!PyType_Check(klass)) {
    PyErr_SetString(PyExc_TypeError, "a proxy class is expected");
    return 0;
  }
  // The proxy class has the entry's name and destroys its objects with the
  // module's own destructor, when the class has one.
  const std::string destructorName = std::string("delete_") + className;
  PyObject* destructor = pi_moduleDictionary ? PyDict_GetItemString(pi_moduleDictionary, destructorName.c_str()) : 0;
  PyObject* given = PyObject_GetAttrString(klass, "__swig_destroy__");
  if (!given) {
    PyErr_Clear();
  }
  Py_XDECREF(given);
  if (strcmp(reinterpret_cast<PyTypeObject*>(klass)->tp_name, className) != 0 || (destructor && given != destructor)) {
    PyErr_Format(PyExc_TypeError, "%s is not the proxy class of %s", reinterpret_cast<PyTypeObject*>(klass)->tp_name,
                 className);
    return 0;
  }
  return 1;
}
%}

// Native failures become Python exceptions; none leaves a flat function as a
// C++ exception. A director exception (a Python callback raised while native
// code called it) and a sequence operation that set a Python error already
// carry their error.
%exception {
  try {
    $action
  } catch (Swig::DirectorException &) {
    SWIG_fail;
  } catch (pyseq::python_error &) {
    SWIG_fail;
  } catch (swig::stop_iteration &) {
    SWIG_SetErrorObj(PyExc_StopIteration, SWIG_Py_Void());
    SWIG_fail;
  } catch (std::out_of_range &e) {
    SWIG_exception_fail(SWIG_IndexError, e.what());
  } catch (std::invalid_argument &e) {
    SWIG_exception_fail(SWIG_ValueError, e.what());
  } catch (std::length_error &e) {
    SWIG_exception_fail(SWIG_MemoryError, e.what());
  } catch (std::bad_alloc &) {
    PyErr_NoMemory();
    SWIG_fail;
  }
}

// Values the runtime owns but no class describes (a time format, an
// allocator, an exception value) still need a destructor when their pointer
// object is collected; otherwise the runtime reports a leak on standard
// output.
%{
template <class T>
static PyObject* pi_deleteOwned(PyObject*, PyObject* object) {
  delete static_cast<T*>(reinterpret_cast<SwigPyObject*>(object)->ptr);
  Py_RETURN_NONE;
}
template <class T>
static void pi_giveDestructor(swig_type_info* type, const char* name) {
  if (!type->clientdata) {
    static PyMethodDef definition = {name, pi_deleteOwned<T>, METH_O, NULL};
    static SwigPyClientData data = {0, 0, 0, 0, 0, 0, 0};
    data.destroy = PyCFunction_New(&definition, NULL);
    type->clientdata = &data;
  }
}
%}

// ------------------------------------------------------------- SwigPyIterator

// Sequences are bound by this module itself (python/Sequences.h), not by the
// generic container support: every index, slice and iterator move is checked.
%fragment("PISequences", "header",
          fragment=SWIG_AsPtr_frag(std::string), fragment=SWIG_From_frag(std::string),
          fragment=SWIG_AsVal_frag(unsigned long), fragment=SWIG_From_frag(unsigned long)) %{
#include <vector>
#include "python/Sequences.h"
%}
%fragment("PISequences");

// "bad iterator type" travels as a RuntimeError whose value is an owned
// pointer object holding the native exception.
%typemap(throws, noblock=1) std::invalid_argument {
  SWIG_Python_Raise(SWIG_NewPointerObj(new std::invalid_argument($1), $descriptor(std::invalid_argument *),
                                       SWIG_POINTER_OWN | SWIG_POINTER_NOSHADOW),
                    "std::invalid_argument", $descriptor(std::invalid_argument *));
  SWIG_fail;
}
%init %{
  pi_giveDestructor<std::invalid_argument>(SWIGTYPE_p_std__invalid_argument, "delete_invalid_argument");
%}

namespace swig {
%ignore stop_iteration;
struct stop_iteration {};
%typemap(throws, noblock=1) stop_iteration {
  (void)$1;
  SWIG_SetErrorObj(PyExc_StopIteration, SWIG_Py_Void());
  SWIG_fail;
}

%newobject SwigPyIterator::copy;
%newobject SwigPyIterator::operator + (ptrdiff_t n) const;
%newobject SwigPyIterator::operator - (ptrdiff_t n) const;

// An iterator object that does not own its iterator is used only while the
// owner behind it still has it (python/Sequences.h); as the object of a
// method and as an argument.
%typemap(in, noblock=1) SwigPyIterator *self (void *argp = 0, int res = 0) {
  if ($input == Py_None) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  res = SWIG_ConvertPtr($input, &argp, $descriptor, $disown | ($disown ? SWIG_POINTER_CLEAR : 0) | %convertptr_flags);
  if (res == SWIG_ERROR_RELEASE_NOT_OWNED) {
    %releasenotowned_fail(res, "$type", $symname, $argnum);
  }
  if (!SWIG_IsOK(res) || !argp || (!$disown && !pyseq::usableIterator(pychain::memberFor($input, $descriptor)))) {
    %argument_fail(SWIG_IsOK(res) ? SWIG_TypeError : res, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%typemap(in, noblock=1) const SwigPyIterator & (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  if (!argp) {
    %argument_nullref("$type", $symname, $argnum);
  }
  if (!pyseq::usableIterator(pychain::memberFor($input, $descriptor))) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}

// incr, decr and advance move the iterator and return it as a new object
// that does not own it; that object keeps the one it came from alive, and
// so the iterator's owner (python/Sequences.h).
%typemap(out, noblock=1) SwigPyIterator *incr, SwigPyIterator *decr, SwigPyIterator *advance {
  $result = pyseq::aliasOf(swig_obj[0], $1);
  if (!$result) SWIG_fail;
}

// += and -= move the iterator and return it as a new object, which takes
// over the ownership of the one they were applied to; that one keeps the
// new object alive, so every earlier reference still reaches the iterator.
// Nothing changes hands when the move is refused.
%feature("del", "0") SwigPyIterator::operator +=;
%feature("del", "0") SwigPyIterator::operator -=;
%feature("new", "0") SwigPyIterator::operator +=;
%feature("new", "0") SwigPyIterator::operator -=;
%typemap(out, noblock=1) SwigPyIterator & {
  $result = pyseq::handOwnershipOn(swig_obj[0], $1);
  if (!$result) SWIG_fail;
}

// Moving outside the vector ends the iteration; measuring between iterators
// of different kinds reports "bad iterator type" as a RuntimeError carrying
// the native exception.
%catches(swig::stop_iteration) SwigPyIterator::value() const;
%catches(swig::stop_iteration) SwigPyIterator::incr(size_t n = 1);
%catches(swig::stop_iteration) SwigPyIterator::decr(size_t n = 1);
%catches(std::invalid_argument) SwigPyIterator::distance(const SwigPyIterator &x) const;
%catches(std::invalid_argument) SwigPyIterator::equal (const SwigPyIterator &x) const;
%catches(swig::stop_iteration) SwigPyIterator::__next__();
%catches(swig::stop_iteration) SwigPyIterator::next();
%catches(swig::stop_iteration) SwigPyIterator::previous();
%catches(swig::stop_iteration) SwigPyIterator::advance(ptrdiff_t n);
%catches(swig::stop_iteration) SwigPyIterator::operator += (ptrdiff_t n);
%catches(swig::stop_iteration) SwigPyIterator::operator -= (ptrdiff_t n);
%catches(swig::stop_iteration) SwigPyIterator::operator + (ptrdiff_t n) const;
%catches(swig::stop_iteration) SwigPyIterator::operator - (ptrdiff_t n) const;
%catches(std::invalid_argument) SwigPyIterator::operator - (const SwigPyIterator &x) const;

// Only == and != give way to the interpreter's default comparison when the
// other object is not an iterator; + and - report their own errors.
%feature("python:maybecall", "0") SwigPyIterator::operator +;
%feature("python:maybecall", "0") SwigPyIterator::operator -;

%extend SwigPyIterator {
%pythoncode %{def __iter__(self):
    return self%}
}

struct SwigPyIterator {
protected:
  SwigPyIterator(PyObject *seq);

public:
  virtual ~SwigPyIterator();
  virtual PyObject *value() const = 0;
  virtual SwigPyIterator *incr(size_t n = 1) = 0;
  virtual SwigPyIterator *decr(size_t n = 1);
  virtual ptrdiff_t distance(const SwigPyIterator &x) const;
  virtual bool equal (const SwigPyIterator &x) const;
  virtual SwigPyIterator *copy() const = 0;
  PyObject *next();
  PyObject *__next__();
  PyObject *previous();
  SwigPyIterator *advance(ptrdiff_t n);
  bool operator == (const SwigPyIterator& x) const;
  bool operator != (const SwigPyIterator& x) const;
  SwigPyIterator& operator += (ptrdiff_t n);
  SwigPyIterator& operator -= (ptrdiff_t n);
  SwigPyIterator* operator + (ptrdiff_t n) const;
  SwigPyIterator* operator - (ptrdiff_t n) const;
  ptrdiff_t operator - (const SwigPyIterator& x) const;
};
}  // namespace swig

// ------------------------------------------------------------------- colours

typedef uint32_t PIColor_t;
PIColor_t PIRGB(int red, int green, int blue);
PIColor_t PIRGBA(int red, int green, int blue, int alpha);
uint32_t PIREDVAL(PIColor_t color);
uint32_t PIGREENVAL(PIColor_t color);
uint32_t PIBLUEVAL(PIColor_t color);
uint32_t PIALPHAVAL(PIColor_t color);

// -------------------------------------------------------------- debug/ignore

void __setDebugIgnore(bool quiet = false);

// ------------------------------------------------------------------- records

// The parameter maps are opaque to scripts: a getter returns a pointer object
// addressing the record's own map, a setter copies the map it is given (a
// null map, or one inside a record freed meanwhile, is refused). A pointer
// object into a record keeps the record alive (python/InteriorPointers.h).
struct PIFunctionParamsStringMap_t;
struct PIFunctionParamsIntMap_t;
struct PIFunctionParamsDoubleMap_t;
struct PIFunctionParamsPointerMap_t;
struct ClientMessageMap_t;
%define PI_PARAMETER_MAP(MAP, FIELD)
%typemap(in, noblock=1) MAP *FIELD (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  if (!argp || pyrecord::recordFreed($input, $descriptor)) {
    %argument_nullref("$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%typemap(out, noblock=1) MAP *FIELD {
  $result = pyrecord::newInteriorPointer(SWIG_as_voidptr($1), $descriptor, swig_obj[0], $descriptor(PIFunctionParams_t *));
  if (!$result) SWIG_fail;
}
%enddef

// A pointer object is shown with the last of its type's names, which the
// runtime lists alphabetically: the record fields' pointers are shown with
// the fixed-width names they are declared with (uint64_t *, not unsigned
// long *).
%init %{
  SWIGTYPE_p_unsigned_long->str = "PIData::UniqueID_t *|unsigned long *|uint64_t *";
  SWIGTYPE_p_unsigned_int->str = "PIColor_t *|unsigned int *|uint32_t *";
  SWIGTYPE_p_unsigned_char->str = "unsigned char *|uint8_t *";
  SWIGTYPE_p_p_unsigned_char->str = "unsigned char **|uint8_t **";
%}

// The extents arrays likewise: a getter's pointer object keeps the record
// alive; a setter reads a pointer into a freed record as null.
%typemap(out, noblock=1) uint64_t [ANY] {
  $result = pyrecord::newInteriorPointer(SWIG_as_voidptr($1), $descriptor, swig_obj[0],
                                         $descriptor(PITerrainRasterSetRequestInfo *));
  if (!$result) SWIG_fail;
}
%typemap(in, noblock=1) uint64_t [ANY] (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  $1 = pyrecord::recordFreed($input, $descriptor) ? 0 : %reinterpret_cast(argp, $ltype);
}
PI_PARAMETER_MAP(PIFunctionParamsStringMap_t, strMap)
PI_PARAMETER_MAP(PIFunctionParamsIntMap_t, intMap)
PI_PARAMETER_MAP(PIFunctionParamsDoubleMap_t, dblMap)
PI_PARAMETER_MAP(PIFunctionParamsPointerMap_t, ptrMap)

struct PITerrainRasterNodeRequest {
  uint8_t** buffer;
  uint32_t* bufferSize;
  uint32_t* currentRasterSize;
  const uint8_t* nodeID;
  int16_t threadIndex;
  void* userData;
};

struct PITerrainRasterSetParseToken {
  std::string tokenName;
  std::string tokenValue;
  void** userData;
};

struct PITerrainRasterSetRequestInfo {
  std::string rasterSetName;
  int activeRequestLimit;
  int pixelLength;
  int shallowestLevel;
  int deepestLevel;
  int rasterFormat;
  std::string source;
  std::string classification;
  std::string description;
  bool timeSpecified;
  int timeValueYear;
  double timeValueSecondsSinceRefYear;
  bool hasNoDataValue;
  float noDataValue;
  bool hasIgnoreAboveValue;
  float ignoreAboveValue;
  bool hasIgnoreBelowValue;
  float ignoreBelowValue;
  bool hasReplacementValue;
  float replacementValue;
  uint64_t wwExtents[4];
  uint64_t wExtents[4];
  uint64_t eExtents[4];
  uint64_t eeExtents[4];
  uint64_t nExtents[4];
  uint64_t sExtents[4];
  void* userData;
};

struct PIFunctionParams_t {
  PIFunctionParamsStringMap_t strMap;
  PIFunctionParamsIntMap_t intMap;
  PIFunctionParamsDoubleMap_t dblMap;
  PIFunctionParamsPointerMap_t ptrMap;
  size_t size() const;
  void clear();
};

typedef void* PIPluginFunction_t(void* clientData, PIFunctionParams_t* params);

struct PIClientFuncAndData_t {
  PIPluginFunction_t* funcPointer;
  void* clientData;
  PIClientFuncAndData_t(PIPluginFunction_t* func = 0, void* cData = 0);
};

// Known to the runtime, though no function takes or returns it.
%types(ClientMessageMap_t *);

// What help() says of each record class. Set on the proxy classes rather
// than through the docstring feature, which would append the text to the
// records' constructors as well.
%pythoncode %{
PITerrainRasterNodeRequest.__doc__ = """A terrain-raster node request: the host's buffers for one raster node.
All fields are null or zero when created."""
PITerrainRasterSetParseToken.__doc__ = """A token of a terrain-raster set's configuration: its name and value."""
PITerrainRasterSetRequestInfo.__doc__ = """What a plug-in reports of a terrain-raster set: name, levels, format,
time, special values and the extents of its six faces. Created with the
defaults (activeRequestLimit 3, pixelLength 256, levels 0 to 18,
timeValueYear 1990, source, classification and description "none")."""
PIFunctionParams_t.__doc__ = """The parameters the host hands to a plug-in function: four maps keyed by
the PI_PARAMNAME_ constants (opaque here). size() counts their entries."""
PIClientFuncAndData_t.__doc__ = """A plug-in function pointer with its client data; both null by default."""
%}

// ------------------------------------------------- StringVector, UniqueIDVector

namespace PIData {
typedef uint64_t UniqueID_t;
}

// Counts and indices select an overload by being ints (a count by being a
// non-negative one, so that StringVector(-1) is no size); their range is
// then checked by the overload itself, which reports its own argument error.
%{
static int pi_isCount(PyObject* object) {
  if (!PyLong_Check(object)) {
    return 0;
  }
  int overflow = 0;
  const long long value = PyLong_AsLongLongAndOverflow(object, &overflow);
  return overflow > 0 || (overflow == 0 && value >= 0);
}
%}
%typemap(typecheck, precedence=SWIG_TYPECHECK_SIZE) size_t, const size_t & "$1 = pi_isCount($input);"
%typemap(typecheck, precedence=SWIG_TYPECHECK_PTRDIFF) ptrdiff_t, const ptrdiff_t & "$1 = PyLong_Check($input) ? 1 : 0;"
%typemap(typecheck, precedence=SWIG_TYPECHECK_UINT64) unsigned long, const unsigned long & "$1 = PyLong_Check($input) ? 1 : 0;"

// The slice forms take any object and refuse a non-slice themselves.
%typemap(in) PySliceObject * "$1 = (PySliceObject *) $input;"
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER) PySliceObject * "$1 = PySlice_Check($input);"

// A vector argument taken by const reference: a wrapped vector of the type is
// used directly, any other sequence is copied item by item into a temporary;
// a vector returned by value becomes a tuple.
%define PI_VECTOR_CONVERSIONS(VECTOR)
%typemap(in, noblock=1) const VECTOR & (void *argp = 0, int res = 0, VECTOR temp) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (SWIG_IsOK(res)) {
    if (!argp) {
      %argument_nullref("$type", $symname, $argnum);
    }
    $1 = %reinterpret_cast(argp, $ltype);
  } else if (pyseq::fromSequence($input, &temp)) {
    $1 = &temp;
  } else {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_VECTOR, noblock=1) const VECTOR & {
  $1 = pyseq::isVectorLike< VECTOR >($input, $descriptor);
}
%typemap(out, noblock=1) VECTOR {
  $result = pyseq::toTuple($1);
  if (!$result) SWIG_fail;
}
%enddef
PI_VECTOR_CONVERSIONS(std::vector< std::string >)
PI_VECTOR_CONVERSIONS(std::vector< PIData::UniqueID_t >)

%include <std_alloc.i>

namespace std {

template<class _Tp, class _Alloc = allocator< _Tp > >
class vector {
public:
  typedef size_t size_type;
  typedef ptrdiff_t difference_type;
  typedef _Tp value_type;
  typedef value_type* pointer;
  typedef const value_type* const_pointer;
  typedef value_type& reference;
  typedef const value_type& const_reference;
  typedef _Alloc allocator_type;

  // Iterators travel as SwigPyIterator objects: results are open iterators
  // over this vector; arguments must be forward iterators of this vector.
  class iterator;
  class reverse_iterator;
  %typemap(out, noblock=1) iterator, reverse_iterator {
    $result = pyseq::openIterator(arg1, swig_obj[0], $1);
  }
  // The native iterator is built in a local first: SWIG may hold the
  // argument in a value wrapper that has no storage until it is assigned.
  %typemap(in, noblock=1) iterator (ptrdiff_t position = 0, $1_ltype native) {
    if (!pyseq::forwardPosition($input, arg1, &position)) {
      %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
    }
    if (!pyseq::nativeIterator(arg1, position, &native)) {
      SWIG_fail;
    }
    $1 = native;
  }
  %typemap(typecheck, precedence=SWIG_TYPECHECK_ITERATOR, noblock=1) iterator {
    $1 = SWIG_IsOK(SWIG_ConvertPtr($input, 0, pyseq::iteratorType(), SWIG_POINTER_NO_NULL));
  }

  %newobject iterator(PyObject **PYTHON_SELF);
  %newobject __getslice__;
  %newobject __getitem__(PySliceObject *slice);

  %extend {
    swig::SwigPyIterator* iterator(PyObject **PYTHON_SELF) {
      return new pyseq::VectorIterator< std::vector< _Tp, _Alloc >, false, true >(pyseq::ownerOf< std::vector< _Tp, _Alloc > >(*PYTHON_SELF), 0);
    }
    %pythoncode %{def __iter__(self):
    return self.iterator()%}

    bool __nonzero__() const { return !$self->empty(); }
    bool __bool__() const { return !$self->empty(); }
    size_type __len__() const { return $self->size(); }

    vector* __getslice__(difference_type i, difference_type j) {
      return pyseq::getSlice($self, pyseq::explicitRange(i, j, $self));
    }
    void __setslice__(difference_type i, difference_type j) {
      pyseq::setSlice($self, pyseq::explicitRange(i, j, $self), std::vector< _Tp, _Alloc >());
    }
    void __setslice__(difference_type i, difference_type j, const std::vector< _Tp, _Alloc >& v) {
      pyseq::setSlice($self, pyseq::explicitRange(i, j, $self), v);
    }
    void __delslice__(difference_type i, difference_type j) {
      pyseq::deleteSlice($self, pyseq::explicitRange(i, j, $self));
    }
    void __delitem__(difference_type i) {
      $self->erase($self->begin() + pyseq::checkedIndex(i, $self->size()));
    }
    vector* __getitem__(PySliceObject *slice) {
      return pyseq::getSlice($self, pyseq::sliceRange((PyObject *)slice, $self));
    }
    void __setitem__(PySliceObject *slice, const std::vector< _Tp, _Alloc >& v) {
      pyseq::setSlice($self, pyseq::sliceRange((PyObject *)slice, $self), v);
    }
    void __setitem__(PySliceObject *slice) {
      pyseq::deleteSlice($self, pyseq::sliceRange((PyObject *)slice, $self));
    }
    void __delitem__(PySliceObject *slice) {
      pyseq::deleteSlice($self, pyseq::sliceRange((PyObject *)slice, $self));
    }
    const value_type& __getitem__(difference_type i) const {
      return (*$self)[pyseq::checkedIndex(i, $self->size())];
    }
    void __setitem__(difference_type i, const value_type& x) {
      (*$self)[pyseq::checkedIndex(i, $self->size())] = x;
    }
    value_type pop() {
      if ($self->empty()) {
        throw std::out_of_range("pop from empty container");
      }
      _Tp last = $self->back();
      $self->pop_back();
      return last;
    }
    void append(const value_type& x) { $self->push_back(x); }
  }

  vector();
  vector(const vector& other);
  bool empty() const;
  size_type size() const;
  void swap(vector& v);
  %extend {
    iterator begin() { return $self->begin(); }
    iterator end() { return $self->end(); }
    reverse_iterator rbegin() { return $self->rbegin(); }
    reverse_iterator rend() { return $self->rend(); }
  }
  void clear();
  %typemap(out, noblock=1) allocator_type {
    $result = SWIG_NewPointerObj(new $1_ltype($1), $&1_descriptor, SWIG_POINTER_OWN | SWIG_POINTER_NOSHADOW);
  }
  allocator_type get_allocator() const;
  %extend {
    vector(size_type size) {
      return new std::vector< _Tp, _Alloc >(pyseq::roomFor< std::vector< _Tp, _Alloc > >(nullptr, size));
    }
  }
  %extend {
    void pop_back() {
      pyseq::requireItems($self, "pop_back");
      $self->pop_back();
    }
  }
  %extend {
    void resize(size_type new_size) { $self->resize(pyseq::roomFor($self, new_size)); }
  }
  %extend {
    iterator erase(iterator pos) {
      if (pos == $self->end()) {
        throw std::out_of_range("erase at the end of the container");
      }
      return $self->erase(pos);
    }
    iterator erase(iterator first, iterator last) {
      if (last < first) {
        throw std::invalid_argument("erase of a range that ends before it starts");
      }
      return $self->erase(first, last);
    }
  }
  %extend {
    vector(size_type size, const value_type& value) {
      return new std::vector< _Tp, _Alloc >(pyseq::roomFor< std::vector< _Tp, _Alloc > >(nullptr, size), value);
    }
  }
  void push_back(const value_type& x);
  %extend {
    const value_type& front() const {
      pyseq::requireItems($self, "front");
      return $self->front();
    }
    const value_type& back() const {
      pyseq::requireItems($self, "back");
      return $self->back();
    }
  }
  %extend {
    void assign(size_type n, const value_type& x) { $self->assign(pyseq::roomFor($self, n), x); }
    void resize(size_type new_size, const value_type& x) { $self->resize(pyseq::roomFor($self, new_size), x); }
  }
  %extend {
    iterator insert(iterator pos, const value_type& x) { return $self->insert(pos, x); }
    void insert(iterator pos, size_type n, const value_type& x) {
      $self->insert(pos, pyseq::roomFor($self, n, n), x);
    }
  }
  %extend {
    void reserve(size_type n) { $self->reserve(pyseq::roomFor($self, n)); }
  }
  size_type capacity() const;
};

}  // namespace std

%template(StringVector) std::vector< std::string >;
%template(UniqueIDVector) std::vector< PIData::UniqueID_t >;

// Once a sequence class or the iterator class is registered, the slots that
// `vector[i]` and a for loop call answer from the native object directly
// (python/FastSlots.h).
%{
#include "python/FastSlots.h"

extern "C" {
SWIGINTERN PyObject *_wrap_StringVector___getitem__(PyObject *self, PyObject *args);
SWIGINTERN PyObject *_wrap_UniqueIDVector___getitem__(PyObject *self, PyObject *args);
SWIGINTERN PyObject *_wrap_SwigPyIterator___next__(PyObject *self, PyObject *args);
}

static void pi_proxyClassRegistered(swig_type_info* type, PyObject* klass) {
  PyTypeObject* proxy = reinterpret_cast<PyTypeObject*>(klass);
  if (type == SWIGTYPE_p_std__vectorT_std__string_std__allocatorT_std__string_t_t) {
    pyslots::Subscript<std::vector<std::string> >::install(proxy, type, _wrap_StringVector___getitem__);
  } else if (type == SWIGTYPE_p_std__vectorT_unsigned_long_std__allocatorT_unsigned_long_t_t) {
    pyslots::Subscript<std::vector<PIData::UniqueID_t> >::install(proxy, type, _wrap_UniqueIDVector___getitem__);
  } else if (type == SWIGTYPE_p_swig__SwigPyIterator) {
    pyslots::Next::install(proxy, _wrap_SwigPyIterator___next__);
  }
}
%}

%init %{
  pi_giveDestructor<std::allocator<std::string> >(SWIGTYPE_p_std__allocatorT_std__string_t, "delete_allocator");
  pi_giveDestructor<std::allocator<unsigned long> >(SWIGTYPE_p_std__allocatorT_unsigned_long_t, "delete_allocator");
%}

// ------------------------------------------------------------------- constants

#define PI_EXPORT
%include "bridge/PIPluginConstants.h"

// ---------------------------------------------------- BindableInterface, clients

%nodefaultctor PICommon::BindableInterface;
%nodefaultdtor PICommon::BindableInterface;

namespace PICommon {

class BindableInterface {};

// Scripts never create a ServiceClient; bind and unbind go through the
// binding layer so that a client dropped while bound is unbound first.
class ServiceClient {
public:
    %extend {
        virtual ~ServiceClient() { pybinding::destroy($self); }
        int bind(const std::string& serviceName) { return pybinding::bind(*$self, serviceName); }
        int unbind(const std::string& serviceName) { return pybinding::unbind(*$self, serviceName); }
    }
    virtual void onServiceConnected(BindableInterface* iface) = 0;
    virtual void onServiceDisconnected() = 0;
};

// A client tells the binding which interface it holds
// (python/HeldInterfaces.h).
template <typename T>
class BasicClient : public ServiceClient {
public:
    %extend {
        BasicClient() { return pyheld::newClient< T >(); }
    }
    %extend {
        virtual ~BasicClient() { pybinding::destroy($self); }
    }
    bool isValid() const;
    T* getInterface() const;
    virtual void onServiceConnected(BindableInterface* iface);
    virtual void onServiceDisconnected();
};

}  // namespace PICommon

// The interfaces come from the host; scripts reach them borrowed, through a
// client, and never construct one. One is used only while a client of the
// script holds it (python/HeldInterfaces.h): a borrowed interface kept after
// its connection ended is refused as the object of a call, and as an
// argument, with the argument error.
%{
static bool pi_heldInterface(PICommon::BindableInterface* iface) { return pyheld::held(iface); }
%}
%define PI_BORROWED(TYPE)
%typemap(in, noblock=1) TYPE *self (void *argp = 0, int res = 0) {
  if ($input == Py_None) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  res = SWIG_ConvertPtr($input, &argp, $descriptor, $disown | ($disown ? SWIG_POINTER_CLEAR : 0) | %convertptr_flags);
  if (res == SWIG_ERROR_RELEASE_NOT_OWNED) {
    %releasenotowned_fail(res, "$type", $symname, $argnum);
  }
  if (!SWIG_IsOK(res) || !argp || (!$disown && !pi_heldInterface(static_cast<PICommon::BindableInterface*>(%reinterpret_cast(argp, $ltype))))) {
    %argument_fail(SWIG_IsOK(res) ? SWIG_TypeError : res, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%enddef
PI_BORROWED(PluginClient::Interfaces::EntityGuiInterface)
PI_BORROWED(PluginClient::Interfaces::FileLocatorInterface)
PI_BORROWED(PluginClient::Interfaces::FileWriterInterface)
PI_BORROWED(PluginClient::Interfaces::SignalInterface)
PI_BORROWED(PluginClient::Interfaces::SnapShotInterface)
%typemap(in, noblock=1) PICommon::BindableInterface *iface (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res) || ($input != Py_None && !pi_heldInterface(%reinterpret_cast(argp, $ltype)))) {
    %argument_fail(SWIG_IsOK(res) ? SWIG_TypeError : res, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%define PI_INTERFACE_CAST(INTERFACE)
    %extend {
        // Renamed to dynamic_cast below (a C++ keyword cannot name a member).
        static INTERFACE* dynamicCast(PICommon::BindableInterface* iface) {
            INTERFACE* found = dynamic_cast<INTERFACE*>(iface);
            pyheld::holdAlias(iface, static_cast<PICommon::BindableInterface*>(found));
            return found;
        }
    }
%enddef
%rename(dynamic_cast) dynamicCast;

namespace PluginClient {
namespace Interfaces {

extern const std::string DATABROWSER_SERVICE_NAME;
extern const std::string PREFSTOOL_SERVICE_NAME;

class EntityGuiInterface;
}  // namespace Interfaces
}  // namespace PluginClient

// ------------------------------------------------ EntityGuiClient, EntityGuiInterface

%template(EntityGuiClient) PICommon::BasicClient<PluginClient::Interfaces::EntityGuiInterface>;

namespace PluginClient {
namespace Interfaces {

%nodefaultctor EntityGuiInterface;
class EntityGuiInterface : public PICommon::BindableInterface {
public:
    virtual void showGuiAndSelect(const std::vector<PIData::UniqueID_t>& ids) = 0;
    virtual void selectIds(const std::vector<PIData::UniqueID_t>& ids) = 0;
    virtual void setTreeView(bool useTreeView) = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::EntityGuiInterface)
    virtual ~EntityGuiInterface();
};

// --------------------------- FileLocatorClient, FileLocatorInterface, FileLocatorService

extern const std::string FILE_LOCATOR_SERVICE_NAME;
class FileLocatorInterface;
}  // namespace Interfaces
}  // namespace PluginClient

%template(FileLocatorClient) PICommon::BasicClient<PluginClient::Interfaces::FileLocatorInterface>;

namespace PluginClient {
namespace Interfaces {

%nodefaultctor FileLocatorInterface;
class FileLocatorInterface : public PICommon::BindableInterface {
public:
    enum FileType {
        MODEL = 0, GOG = 1, MEDIA = 2, TERRAIN = 3, PREFERENCE_RULE = 4, VIEW = 5,
        HOTKEY = 6, DISCN = 7, ANTENNAPATTERN = 8, RFPROP = 9, SCREENTEXT = 10, OTHER = 11
    };
    virtual ~FileLocatorInterface();
    virtual std::string locate(FileType type, const std::string& filename) const = 0;
    virtual std::vector<std::string> getModelTextures(const std::string& modelName) const = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::FileLocatorInterface)
};

// Binds itself to FILE_LOCATOR_SERVICE_NAME while it lives.
class FileLocatorService : public PICommon::ServiceClient {
public:
    %extend {
        FileLocatorService() { return new pyheld::Held<PluginClient::Interfaces::FileLocatorService>(); }
    }
    %extend {
        virtual ~FileLocatorService() { pybinding::destroy($self); }
    }
    FileLocatorInterface* getInterface() const;
    virtual void onServiceConnected(PICommon::BindableInterface* iface);
    virtual void onServiceDisconnected();
};

// --------------------------------------------- FileWriterClient, FileWriterInterface

extern const std::string FILE_WRITER_SERVICE_NAME;
class FileWriterInterface;
}  // namespace Interfaces
}  // namespace PluginClient

%template(FileWriterClient) PICommon::BasicClient<PluginClient::Interfaces::FileWriterInterface>;

namespace PluginClient {
namespace Interfaces {

// PIData::PITimeFormat_t is opaque to scripts: it travels as an owned
// pointer object holding a copy of the value.
%init %{
  pi_giveDestructor<PIData::PITimeFormat_t>(SWIGTYPE_p_PIData__PITimeFormat_t, "delete_PITimeFormat_t");
%}
%typemap(out) PIData::PITimeFormat_t {
  $result = SWIG_NewPointerObj(new PIData::PITimeFormat_t($1), $descriptor(PIData::PITimeFormat_t *),
                               SWIG_POINTER_OWN | SWIG_POINTER_NOSHADOW);
}
%nodefaultctor FileWriterInterface;
class FileWriterInterface : public PICommon::BindableInterface {
public:
    enum FileFormat { ASI = 0, ZIP = 1 };
    virtual ~FileWriterInterface();
    virtual std::string fileName() const = 0;
    virtual void setFileName(const std::string& fileName) = 0;
    virtual double startTime() const = 0;
    virtual void setStartTime(double startTime) = 0;
    virtual double endTime() const = 0;
    virtual void setEndTime(double endTime) = 0;
    virtual bool showGui() const = 0;
    virtual void setShowGui(bool show) = 0;
    virtual PIKARVEN::PIFilenameType_t filePath() const = 0;
    virtual void setFilePath(PIKARVEN::PIFilenameType_t type) = 0;
    virtual PIData::PITimeFormat_t timeFormat() const = 0;
    virtual void setTimeFormat(PIData::PITimeFormat_t format) = 0;
    virtual bool isCullEnabled() const = 0;
    virtual void setCull(bool value) = 0;
    virtual double cullAngle() const = 0;
    virtual void setCullAngle(double value) = 0;
    virtual bool includeModels() const = 0;
    virtual void setIncludeModels(bool value) = 0;
    virtual PIData::PICoordSystem_t coordinateSystem() const = 0;
    virtual void setCoordinateSystem(PIData::PICoordSystem_t value) = 0;
    virtual bool getSaveExternalFiles() const = 0;
    virtual void setSaveExternalFiles(bool value) = 0;
    virtual int write(FileFormat type) = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::FileWriterInterface)
};

// ------------------- SignalClient, SignalData, SignalCallback, SignalInterface

extern const std::string SIGNAL_SERVICE_NAME;
extern const std::string APPEND_DATA_SIGNAL;
extern const std::string SNAPSHOT_SERVICE;
class SignalInterface;
}  // namespace Interfaces
}  // namespace PluginClient

%template(SignalClient) PICommon::BasicClient<PluginClient::Interfaces::SignalInterface>;

namespace PluginClient {
namespace Interfaces {

typedef PICommon::BasicClient<SignalInterface> SignalClient;

class SignalData {
public:
    virtual ~SignalData();
    SignalData();
};

// The director's steps for each signal, and the names kept for them
// (python/SignalDispatch.h). The generated director method calls them
// (python/shape_wrapper.py, step 6).
%fragment("PISignalDispatch", "header", fragment=SWIG_From_frag(std::string)) %{
#include "python/SignalDispatch.h"
%}
%fragment("PISignalDispatch");
%init %{
  Py_AtExit(pysignals::forgetKept);
%}

// Python subclasses receive signals: the director forwards the native
// callback to the Python method. While Python owns a director, it dies with
// its Python object; a callback destroyed while registered is removed from
// its signal interfaces first (python/SignalCallbacks.h).
%typemap(ret, noblock=1) SignalCallback *SignalCallback {
  if (!pysignals::watch(result, arg1, resultobj)) {
    Py_CLEAR(resultobj);
    SWIG_fail;
  }
}
// A callback argument: None is a null callback; a pointer object whose
// director went with its Python object is refused.
%typemap(in, noblock=1) SignalCallback *callback (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res) || (!argp && $input != Py_None)) {
    %argument_fail(SWIG_IsOK(res) ? SWIG_TypeError : res, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%feature("director") SignalCallback;
class SignalCallback {
public:
    %extend {
        virtual ~SignalCallback() { pysignals::destroy($self); }
    }
    virtual void callback(const std::string& name, SignalData* data) = 0;
    SignalCallback();
};

// A signal name from Python is the text kept for that name, pinned while
// the call runs, rather than a copy (python/SignalDispatch.h).
%typemap(in, noblock=1, fragment="PISignalDispatch") const std::string &name (int res = SWIG_OLDOBJ, std::string text, pysignals::KeptName *pin = 0) {
  PI_STRING_IN($1 = const_cast<std::string *>(pysignals::signalName(text, pin, utf8, (size_t)size)))
}
%typemap(freearg, noblock=1) const std::string &name {
  if (pin$argnum) --pin$argnum->pinned;
  if (SWIG_IsNewObj(res$argnum)) delete $1;
}
%nodefaultctor SignalInterface;
class SignalInterface : public PICommon::BindableInterface {
public:
    virtual ~SignalInterface();
    // Registrations the host accepts through an interface a client of the
    // script holds are remembered until they are removed, without a
    // reference to the callback (python/SignalCallbacks.h).
    %extend {
        int addCallback(const std::string& name, SignalCallback* callback) {
            return pysignals::addCallback(*$self, name, callback);
        }
        int removeCallback(const std::string& name, SignalCallback* callback) {
            return pysignals::removeCallback(*$self, name, callback);
        }
        int addGlobalCallback(SignalCallback* callback) { return pysignals::addGlobalCallback(*$self, callback); }
        int removeGlobalCallback(SignalCallback* callback) {
            return pysignals::removeGlobalCallback(*$self, callback);
        }
    }
    virtual bool hasCallbacks(const std::string& name) = 0;
    virtual int fireCallbacks(const std::string& name, SignalData* data) = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::SignalInterface)
};
%clear const std::string &name;

// ----------------------------------------------- SnapShotClient, SnapShotInterface

class SnapShotInterface;
}  // namespace Interfaces
}  // namespace PluginClient

%template(SnapShotClient) PICommon::BasicClient<PluginClient::Interfaces::SnapShotInterface>;

namespace PluginClient {
namespace Interfaces {

%nodefaultctor SnapShotInterface;
class SnapShotInterface : public PICommon::BindableInterface {
public:
    enum FileType { FILE_JPG = 0, FILE_PNG = 1 };
    virtual ~SnapShotInterface();
    virtual void setDirectory(const std::string& snapShotDir) = 0;
    virtual void setFileType(FileType fileType) = 0;
    virtual void setFilename(const std::string& filename) = 0;
    virtual void setUseScenarioTime(bool useScenarioTime) = 0;
    virtual void setTimerIntervalSeconds(int intervalSeconds) = 0;
    virtual void takeSnapShot() = 0;
    virtual void startSnapShotTimer() = 0;
    virtual void stopSnapShotTimer() = 0;
    virtual int setPlotTabActive(const std::string& name, bool active) = 0;
    virtual int setSaveCurrentPlotTab(bool save) = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::SnapShotInterface)
};

}  // namespace Interfaces
}  // namespace PluginClient
