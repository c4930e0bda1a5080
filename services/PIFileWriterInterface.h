// The file writer service: exports the scenario to a file. Implemented by the
// host; called directly on the host's object.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIDataTypes.h"
#include "services/PIBindableInterface.h"

namespace PluginClient {
namespace Interfaces {

// Slots 0 and 1 are the destructor pair; the operations follow from slot 2
// in this order.
class PI_EXPORT FileWriterInterface : public PICommon::BindableInterface {
public:
    enum FileFormat : int32_t {
        ASI = 0,
        ZIP = 1,
    };

    ~FileWriterInterface() override = default;
    virtual std::string fileName() const = 0;                             // 2
    virtual void setFileName(const std::string& fileName) = 0;            // 3
    virtual double startTime() const = 0;                                 // 4
    virtual void setStartTime(double startTime) = 0;                      // 5
    virtual double endTime() const = 0;                                   // 6
    virtual void setEndTime(double endTime) = 0;                          // 7
    virtual bool showGui() const = 0;                                     // 8
    virtual void setShowGui(bool show) = 0;                               // 9
    virtual PIKARVEN::PIFilenameType_t filePath() const = 0;              // 10
    virtual void setFilePath(PIKARVEN::PIFilenameType_t type) = 0;        // 11
    virtual PIData::PITimeFormat_t timeFormat() const = 0;                // 12
    virtual void setTimeFormat(PIData::PITimeFormat_t format) = 0;        // 13
    virtual bool isCullEnabled() const = 0;                               // 14
    virtual void setCull(bool value) = 0;                                 // 15
    virtual double cullAngle() const = 0;                                 // 16
    virtual void setCullAngle(double value) = 0;                          // 17
    virtual bool includeModels() const = 0;                               // 18
    virtual void setIncludeModels(bool value) = 0;                        // 19
    virtual PIData::PICoordSystem_t coordinateSystem() const = 0;         // 20
    virtual void setCoordinateSystem(PIData::PICoordSystem_t value) = 0;  // 21
    virtual bool getSaveExternalFiles() const = 0;                        // 22
    virtual void setSaveExternalFiles(bool value) = 0;                    // 23
    // Slot 24: writes the scenario in the given format; the status is the host's.
    virtual int write(FileFormat type) = 0;
};

}  // namespace Interfaces
}  // namespace PluginClient
