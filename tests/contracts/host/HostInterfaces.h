// The host's declarations of the classes it implements for plug-ins (the
// five service interfaces) and of the plug-in objects it calls beyond those
// in hostsim/HostDeclarations.h (signal callbacks, the second export
// delegate, any proxy as a PIObject), written from the binary contract
// alone: slot order, argument and result types. Class names are the
// plug-in's, so that the dynamic-type checks of a sanitizer and of
// dynamic_cast match them by name across shared objects.
//
// Included only by the contract host's sources; never next to the
// library's headers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hostsim/HostDeclarations.h"

namespace PICommon {

// Root of every service interface: the destructor pair only.
class BindableInterface {
public:
    virtual ~BindableInterface() = default;
};

// Slots 0 and 1 the destructor pair, slot 2 processFileWithOptions after
// the inherited processFileWithWidget (2) and createEditor (3): slot 4.
class FileExportDelegateV2 : public FileExportDelegate {
public:
    virtual int processFileWithOptions(const std::string& fileName,
                                       const std::map<std::string, std::string>& options) const = 0;
};

}  // namespace PICommon

// Any proxy: slots 0 and 1 the destructor pair, then the two fields.
class PIObject {
public:
    virtual ~PIObject() = default;
    void* serverHandle;
    bool ownsServerObject;
};

namespace PluginClient {
namespace Interfaces {

// Enumerations travel as 32-bit integers.
class EntityGuiInterface : public PICommon::BindableInterface {
public:
    virtual void showGuiAndSelect(const std::vector<uint64_t>& ids) = 0;  // 2
    virtual void selectIds(const std::vector<uint64_t>& ids) = 0;         // 3
    virtual void setTreeView(bool useTreeView) = 0;                       // 4
};

class FileLocatorInterface : public PICommon::BindableInterface {
public:
    virtual std::string locate(int32_t type, const std::string& filename) const = 0;            // 2
    virtual std::vector<std::string> getModelTextures(const std::string& modelName) const = 0;  // 3
};

// A getter, and its setter in the next slot.
#define CONTRACTHOST_PROPERTY(Type, get, Arg, set) \
    virtual Type get() const = 0;                  \
    virtual void set(Arg value) = 0;

class FileWriterInterface : public PICommon::BindableInterface {
public:
    CONTRACTHOST_PROPERTY(std::string, fileName, const std::string&, setFileName)   // 2, 3
    CONTRACTHOST_PROPERTY(double, startTime, double, setStartTime)                  // 4, 5
    CONTRACTHOST_PROPERTY(double, endTime, double, setEndTime)                      // 6, 7
    CONTRACTHOST_PROPERTY(bool, showGui, bool, setShowGui)                          // 8, 9
    CONTRACTHOST_PROPERTY(int32_t, filePath, int32_t, setFilePath)                  // 10, 11
    CONTRACTHOST_PROPERTY(int32_t, timeFormat, int32_t, setTimeFormat)              // 12, 13
    CONTRACTHOST_PROPERTY(bool, isCullEnabled, bool, setCull)                       // 14, 15
    CONTRACTHOST_PROPERTY(double, cullAngle, double, setCullAngle)                  // 16, 17
    CONTRACTHOST_PROPERTY(bool, includeModels, bool, setIncludeModels)              // 18, 19
    CONTRACTHOST_PROPERTY(int32_t, coordinateSystem, int32_t, setCoordinateSystem)  // 20, 21
    CONTRACTHOST_PROPERTY(bool, getSaveExternalFiles, bool, setSaveExternalFiles)   // 22, 23
    virtual int write(int32_t format) = 0;                                          // 24
};

// A payload: the destructor pair only.
class SignalData {
public:
    virtual ~SignalData() = default;
};

// A plug-in's receiver: slots 0 and 1 the destructor pair, slot 2 callback.
class SignalCallback {
public:
    virtual ~SignalCallback() = default;
    virtual void callback(const std::string& name, SignalData* data) = 0;
};

class SignalInterface : public PICommon::BindableInterface {
public:
    virtual int addCallback(const std::string& name, SignalCallback* callback) = 0;     // 2
    virtual int removeCallback(const std::string& name, SignalCallback* callback) = 0;  // 3
    virtual int addGlobalCallback(SignalCallback* callback) = 0;                        // 4
    virtual int removeGlobalCallback(SignalCallback* callback) = 0;                     // 5
    virtual bool hasCallbacks(const std::string& name) = 0;                             // 6
    virtual int fireCallbacks(const std::string& name, SignalData* data) = 0;           // 7
};

class SnapShotInterface : public PICommon::BindableInterface {
public:
    virtual void setDirectory(const std::string& snapShotDir) = 0;           // 2
    virtual void setFileType(int32_t fileType) = 0;                          // 3
    virtual void setFilename(const std::string& filename) = 0;               // 4
    virtual void setUseScenarioTime(bool useScenarioTime) = 0;               // 5
    virtual void setTimerIntervalSeconds(int intervalSeconds) = 0;           // 6
    virtual void takeSnapShot() = 0;                                         // 7
    virtual void startSnapShotTimer() = 0;                                   // 8
    virtual void stopSnapShotTimer() = 0;                                    // 9
    virtual int setPlotTabActive(const std::string& name, bool active) = 0;  // 10
    virtual int setSaveCurrentPlotTab(bool save) = 0;                        // 11
};

}  // namespace Interfaces
}  // namespace PluginClient
