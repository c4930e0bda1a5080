// The load-time string globals, all in this one unit so that they are built
// in this order: the PIKARVEN list names, the angle-unit names, the PIKARVEN
// option names, then the service and signal names.

#include "services/PIServiceNames.h"

const std::string PIKARVEN::CLICKED_GUI_GOG_LIST_NAME =
    PI_VENDOR_SERVICE_PREFIX "/PIKARVEN/ClickedGuiGogList/1.0";
const std::string PIKARVEN::CLICKED_GUI_BOOKMARK_LIST_NAME =
    PI_VENDOR_SERVICE_PREFIX "/PIKARVEN/ClickedGuiBookmarkList/1.0";
const std::string UTILS::CU_ANGLE_STRING_UNKNOWN = "unknown";
const std::string UTILS::CU_ANGLE_STRING_RADIANS = "radians";
const std::string UTILS::CU_ANGLE_STRING_DEGREES = "degrees";
const std::string UTILS::CU_ANGLE_STRING_BAM = "bam";
const std::string UTILS::CU_ANGLE_STRING_MIL = "mils";
const std::string UTILS::CU_ANGLE_STRING_MILLIRADIANS = "milliradians";
const std::string PIKARVEN::OPT_APPEND = "Append";
const std::string PIKARVEN::OPT_RELATIVETO = "RelativeTo";

namespace PluginClient {
namespace Interfaces {

const std::string DATABROWSER_SERVICE_NAME = PI_VENDOR_SERVICE_PREFIX "/KARVEN/DataBrowser/1.1";
const std::string PREFSTOOL_SERVICE_NAME = PI_VENDOR_SERVICE_PREFIX "/KARVEN/PrefsTool/1.1";
const std::string FILE_LOCATOR_SERVICE_NAME = PI_VENDOR_SERVICE_PREFIX "/PluginClient/FileLocatorService/1.0";
const std::string FILE_WRITER_SERVICE_NAME = PI_VENDOR_SERVICE_PREFIX "/PluginClient/FileWriterService/1.0";
const std::string SIGNAL_SERVICE_NAME = PI_VENDOR_SERVICE_PREFIX "/PluginClient/SignalService/1.0";
const std::string APPEND_DATA_SIGNAL = PI_VENDOR_SERVICE_PREFIX "/PluginClient/SignalService/AppendData/1.0";
const std::string SNAPSHOT_SERVICE = PI_VENDOR_SERVICE_PREFIX "/PluginClient/SnapShotService/1.0";

}  // namespace Interfaces
}  // namespace PluginClient
