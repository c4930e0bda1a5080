// The snapshot service: screen captures, once or on a timer. Implemented by
// the host; called directly on the host's object.
#pragma once

#include <cstdint>
#include <string>

#include "services/PIBindableInterface.h"

namespace PluginClient {
namespace Interfaces {

// Slots 0 and 1 are the destructor pair; the operations follow from slot 2
// in this order.
class PI_EXPORT SnapShotInterface : public PICommon::BindableInterface {
public:
    enum FileType : int32_t {
        FILE_JPG = 0,
        FILE_PNG = 1,
    };

    ~SnapShotInterface() override = default;
    virtual void setDirectory(const std::string& snapShotDir) = 0;           // 2
    virtual void setFileType(FileType fileType) = 0;                         // 3
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
