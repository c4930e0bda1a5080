// In-memory implementations of the five client service interfaces, as the
// test host and the simulated host publish them. They keep what they are
// given so that tests can look at it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/History.h"
#include "hostsim/RecordingHost.h"
#include "services/PIEntityGuiInterface.h"
#include "services/PIFileLocatorInterface.h"
#include "services/PIFileWriterInterface.h"
#include "services/PISignalInterface.h"
#include "services/PISnapShotInterface.h"

namespace testhost {

namespace ifc = PluginClient::Interfaces;

class TESTHOST_API MemoryEntityGui : public ifc::EntityGuiInterface {
public:
    void showGuiAndSelect(const std::vector<uint64_t>& ids) override;
    void selectIds(const std::vector<uint64_t>& ids) override;
    void setTreeView(bool useTreeView) override { treeView = useTreeView; }

    bool guiShown = false;
    bool treeView = false;
    std::vector<uint64_t> selection;
    // Every list of ids received, in order.
    std::vector<std::vector<uint64_t>> history;
};

// Answers from a table of known files; unknown files locate to "".
class TESTHOST_API MemoryFileLocator : public ifc::FileLocatorInterface {
public:
    std::string locate(FileType type, const std::string& filename) const override;
    std::vector<std::string> getModelTextures(const std::string& modelName) const override;

    void addFile(FileType type, const std::string& filename, const std::string& path);
    void setModelTextures(const std::string& modelName, std::vector<std::string> textures);

private:
    std::map<std::pair<int32_t, std::string>, std::string> files_;
    std::map<std::string, std::vector<std::string>> textures_;
};

// Keeps every field; write() records the settings it would write with and
// returns 0, or 1 when no file name is set.
class TESTHOST_API MemoryFileWriter : public ifc::FileWriterInterface {
public:
    struct Settings {
        std::string fileName;
        double startTime = 0.0;
        double endTime = 0.0;
        bool showGui = false;
        PIKARVEN::PIFilenameType_t filePath = PIKARVEN::PI_FILENAME_ABSOLUTE;
        PIData::PITimeFormat_t timeFormat = PIData::PITimeFormat_t{};
        bool cull = false;
        double cullAngle = 0.0;
        bool includeModels = false;
        PIData::PICoordSystem_t coordinateSystem = PIData::PI_COORDSYS_LLA;
        bool saveExternalFiles = false;
    };
    struct Write {
        FileFormat format;
        Settings settings;
    };

    std::string fileName() const override { return settings.fileName; }
    void setFileName(const std::string& fileName) override { settings.fileName = fileName; }
    double startTime() const override { return settings.startTime; }
    void setStartTime(double startTime) override { settings.startTime = startTime; }
    double endTime() const override { return settings.endTime; }
    void setEndTime(double endTime) override { settings.endTime = endTime; }
    bool showGui() const override { return settings.showGui; }
    void setShowGui(bool show) override { settings.showGui = show; }
    PIKARVEN::PIFilenameType_t filePath() const override { return settings.filePath; }
    void setFilePath(PIKARVEN::PIFilenameType_t type) override { settings.filePath = type; }
    PIData::PITimeFormat_t timeFormat() const override { return settings.timeFormat; }
    void setTimeFormat(PIData::PITimeFormat_t format) override { settings.timeFormat = format; }
    bool isCullEnabled() const override { return settings.cull; }
    void setCull(bool value) override { settings.cull = value; }
    double cullAngle() const override { return settings.cullAngle; }
    void setCullAngle(double value) override { settings.cullAngle = value; }
    bool includeModels() const override { return settings.includeModels; }
    void setIncludeModels(bool value) override { settings.includeModels = value; }
    PIData::PICoordSystem_t coordinateSystem() const override { return settings.coordinateSystem; }
    void setCoordinateSystem(PIData::PICoordSystem_t value) override { settings.coordinateSystem = value; }
    bool getSaveExternalFiles() const override { return settings.saveExternalFiles; }
    void setSaveExternalFiles(bool value) override { settings.saveExternalFiles = value; }
    int write(FileFormat type) override;

    Settings settings;
    std::vector<Write> writes;
};

// Calls the callbacks registered for a signal, then the global ones, in
// order of registration. A callback removed while a signal is being fired is
// not called afterwards. Statuses: 0 done, 1 refused (null callback, already
// registered, not registered). fireCallbacks returns how many callbacks it
// called.
class TESTHOST_API MemorySignalService : public ifc::SignalInterface {
public:
    int addCallback(const std::string& name, ifc::SignalCallback* callback) override;
    int removeCallback(const std::string& name, ifc::SignalCallback* callback) override;
    int addGlobalCallback(ifc::SignalCallback* callback) override;
    int removeGlobalCallback(ifc::SignalCallback* callback) override;
    bool hasCallbacks(const std::string& name) override;
    int fireCallbacks(const std::string& name, ifc::SignalData* data) override;

    const std::vector<ifc::SignalCallback*>& callbacksFor(const std::string& name) const;
    const std::vector<ifc::SignalCallback*>& globalCallbacks() const { return global_; }
    // The names of the signals fired, oldest first: the last
    // History::kDefaultLimit unless fired.setLimit() says otherwise.
    History<std::string> fired;

private:
    bool isRegistered(const std::string& name, const ifc::SignalCallback* callback) const;

    std::map<std::string, std::vector<ifc::SignalCallback*>> named_;
    std::vector<ifc::SignalCallback*> global_;
    // Counts the calls that may have changed the registrations.
    unsigned long changes_ = 0;
    // The last lookup of callbacksFor, valid while changes_ is lastChanges_.
    mutable std::string lastName_;
    mutable const std::vector<ifc::SignalCallback*>* lastFound_ = nullptr;
    mutable unsigned long lastChanges_ = 0;
};

// Keeps every setting; counts snapshots and follows the timer state.
class TESTHOST_API MemorySnapShot : public ifc::SnapShotInterface {
public:
    void setDirectory(const std::string& snapShotDir) override { directory = snapShotDir; }
    void setFileType(FileType type) override { fileType = type; }
    void setFilename(const std::string& name) override { filename = name; }
    void setUseScenarioTime(bool use) override { useScenarioTime = use; }
    void setTimerIntervalSeconds(int seconds) override { timerIntervalSeconds = seconds; }
    void takeSnapShot() override { ++snapShotsTaken; }
    void startSnapShotTimer() override { timerRunning = true; }
    void stopSnapShotTimer() override { timerRunning = false; }
    int setPlotTabActive(const std::string& name, bool active) override;
    int setSaveCurrentPlotTab(bool save) override;

    std::string directory;
    FileType fileType = FILE_JPG;
    std::string filename;
    bool useScenarioTime = false;
    int timerIntervalSeconds = 0;
    int snapShotsTaken = 0;
    bool timerRunning = false;
    std::map<std::string, bool> plotTabs;
    bool saveCurrentPlotTab = false;
};

}  // namespace testhost
