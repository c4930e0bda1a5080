// Service and signal names: the vendor service prefix followed by a path that
// ends in the interface version. Built when the library is loaded.
#pragma once

#include <string>

#include "bridge/PIExport.h"

// The reverse-domain prefix that opens every service and signal name.
#define PI_VENDOR_SERVICE_PREFIX "com.karven"

namespace PluginClient {
namespace Interfaces {

extern PI_EXPORT const std::string DATABROWSER_SERVICE_NAME;  // prefix + "/KARVEN/DataBrowser/1.1"
extern PI_EXPORT const std::string PREFSTOOL_SERVICE_NAME;    // prefix + "/KARVEN/PrefsTool/1.1"
extern PI_EXPORT const std::string
    FILE_LOCATOR_SERVICE_NAME;  // prefix + "/PluginClient/FileLocatorService/1.0"
extern PI_EXPORT const std::string
    FILE_WRITER_SERVICE_NAME;                            // prefix + "/PluginClient/FileWriterService/1.0"
extern PI_EXPORT const std::string SIGNAL_SERVICE_NAME;  // prefix + "/PluginClient/SignalService/1.0"
// A signal name for SignalInterface callbacks, not a service.
extern PI_EXPORT const std::string
    APPEND_DATA_SIGNAL;                               // prefix + "/PluginClient/SignalService/AppendData/1.0"
extern PI_EXPORT const std::string SNAPSHOT_SERVICE;  // prefix + "/PluginClient/SnapShotService/1.0"

}  // namespace Interfaces
}  // namespace PluginClient

namespace PIKARVEN {

extern PI_EXPORT const std::string CLICKED_GUI_GOG_LIST_NAME;  // prefix + "/PIKARVEN/ClickedGuiGogList/1.0"
extern PI_EXPORT const std::string
    CLICKED_GUI_BOOKMARK_LIST_NAME;  // prefix + "/PIKARVEN/ClickedGuiBookmarkList/1.0"

// Option names of the plug-in API headers.
extern PI_EXPORT const std::string OPT_APPEND;      // "Append"
extern PI_EXPORT const std::string OPT_RELATIVETO;  // "RelativeTo"

}  // namespace PIKARVEN

namespace UTILS {

// Names of angle units.
extern PI_EXPORT const std::string CU_ANGLE_STRING_UNKNOWN;       // "unknown"
extern PI_EXPORT const std::string CU_ANGLE_STRING_RADIANS;       // "radians"
extern PI_EXPORT const std::string CU_ANGLE_STRING_DEGREES;       // "degrees"
extern PI_EXPORT const std::string CU_ANGLE_STRING_BAM;           // "bam"
extern PI_EXPORT const std::string CU_ANGLE_STRING_MIL;           // "mils"
extern PI_EXPORT const std::string CU_ANGLE_STRING_MILLIRADIANS;  // "milliradians"

}  // namespace UTILS
