// The Python binding of the plug-in interface library: the extension module
// _PluginInterfaces and its proxy module PluginInterfaces.
//
// The declarations below are the Python-facing view of the C++ API, written
// in the order of the module's method table (each section is headed by the
// class it binds). Every place where the binding differs from SWIG's defaults
// is a named directive with a comment saying why.

%module(directors="1") PluginInterfaces

%{
#include "bridge/PIFunctionMap.h"
#include "bridge/PIPluginConstants.h"
#include "python/ClientBindings.h"
#include "services/PIClients.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceNames.h"
%}

// Once the module and its types exist, and before its constants are
// registered, find the host's function map (the import succeeds without one).
%init %{
  _initializePluginFunctionMap();
%}

// Every documented entry carries its signature, with a "Parameters" block for
// the parameters beyond the object.
%feature("autodoc", "3");

%include <stdint.i>
%include <std_string.i>
%include <std_vector.i>

// None as the object of a method would reach native code as a null object:
// refuse it with the ordinary argument error for argument 1.
%typemap(in, noblock=1) SWIGTYPE *self (void *argp = 0, int res = 0) {
  if ($input == Py_None) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  res = SWIG_ConvertPtr($input, &argp, $descriptor, $disown | %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}

// A director exception (a Python callback raised while native code called
// it) must never leave a flat function as a C++ exception: the Python error
// it carries is already pending, so the function just fails with it.
%exception {
  try {
    $action
  } catch (Swig::DirectorException &) {
    SWIG_fail;
  }
}

// ---------------------------------------------------------------- debug/ignore

void __setDebugIgnore(bool quiet = false);

// ------------------------------------------------- StringVector, UniqueIDVector

namespace PIData {
typedef uint64_t UniqueID_t;
}
%template(StringVector) std::vector<std::string>;
%template(UniqueIDVector) std::vector<PIData::UniqueID_t>;

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

template <typename T>
class BasicClient : public ServiceClient {
public:
    BasicClient();
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
// client, and never construct one.
%define PI_INTERFACE_CAST(INTERFACE)
    %extend {
        // Renamed to dynamic_cast below (a C++ keyword cannot name a member).
        static INTERFACE* dynamicCast(PICommon::BindableInterface* iface) {
            return dynamic_cast<INTERFACE*>(iface);
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
    FileLocatorService();
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
// pointer object holding a copy of the value. Its type has no class, so the
// runtime is given the destructor it calls when such an object is collected
// (otherwise it would report a leak on standard output).
%{
static PyObject* pi_deleteTimeFormat(PyObject*, PyObject* object) {
  delete static_cast<PIData::PITimeFormat_t*>(reinterpret_cast<SwigPyObject*>(object)->ptr);
  Py_RETURN_NONE;
}
static PyMethodDef pi_deleteTimeFormatDef = {"delete_PITimeFormat_t", pi_deleteTimeFormat, METH_O, NULL};
static SwigPyClientData pi_timeFormatClientData = {0, 0, 0, 0, 0, 0, 0};
%}
%init %{
  if (!SWIGTYPE_p_PIData__PITimeFormat_t->clientdata) {
    pi_timeFormatClientData.destroy = PyCFunction_New(&pi_deleteTimeFormatDef, NULL);
    SWIGTYPE_p_PIData__PITimeFormat_t->clientdata = &pi_timeFormatClientData;
  }
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

// Python subclasses receive signals: the director forwards the native
// callback to the Python method.
%feature("director") SignalCallback;
class SignalCallback {
public:
    virtual ~SignalCallback();
    virtual void callback(const std::string& name, SignalData* data) = 0;
    SignalCallback();
};

%nodefaultctor SignalInterface;
class SignalInterface : public PICommon::BindableInterface {
public:
    virtual ~SignalInterface();
    virtual int addCallback(const std::string& name, SignalCallback* callback) = 0;
    virtual int removeCallback(const std::string& name, SignalCallback* callback) = 0;
    virtual int addGlobalCallback(SignalCallback* callback) = 0;
    virtual int removeGlobalCallback(SignalCallback* callback) = 0;
    virtual bool hasCallbacks(const std::string& name) = 0;
    virtual int fireCallbacks(const std::string& name, SignalData* data) = 0;
    PI_INTERFACE_CAST(PluginClient::Interfaces::SignalInterface)
};

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
