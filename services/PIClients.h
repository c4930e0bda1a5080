// The client of each service interface.
#pragma once

#include "services/PIEntityGuiInterface.h"
#include "services/PIFileLocatorInterface.h"
#include "services/PIFileWriterInterface.h"
#include "services/PIServiceClient.h"
#include "services/PISignalInterface.h"
#include "services/PISnapShotInterface.h"

namespace PluginClient {
namespace Interfaces {

typedef PICommon::BasicClient<EntityGuiInterface> EntityGuiClient;
typedef PICommon::BasicClient<FileLocatorInterface> FileLocatorClient;
typedef PICommon::BasicClient<FileWriterInterface> FileWriterClient;
typedef PICommon::BasicClient<SignalInterface> SignalClient;
typedef PICommon::BasicClient<SnapShotInterface> SnapShotClient;

}  // namespace Interfaces
}  // namespace PluginClient
