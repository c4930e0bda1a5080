// Services in a process without a host.

#include <gtest/gtest.h>

#include "bridge/PIFunctionMap.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"
#include "services/PISignalInterface.h"
#include "tests/support/CapturedOutput.h"

namespace {

namespace ifc = PluginClient::Interfaces;
using pitest::kNoHostMessage;

TEST(ServicesWithoutHost, every_request_reports_the_missing_host_and_returns_1) {
    _initializePluginFunctionMap();
    ASSERT_EQ(g_FunctionMap, nullptr);
    PICommon::BasicClient<ifc::SignalInterface> client;
    PICommon::Service service;
    std::vector<std::string> names{"untouched"};
    const std::function<int()> calls[] = {
        [&] { return client.bind(ifc::SIGNAL_SERVICE_NAME); },
        [&] { return client.unbind(ifc::SIGNAL_SERVICE_NAME); },
        [&] { return service.registerSelf(); },
        [&] { return service.unregisterSelf(); },
        [&] { return PICommon::registerServiceType("T", &service); },
        [&] { return PICommon::getServiceNamesByServiceType("T", &names); },
    };
    for (const auto& call : calls) {
        int status = 0;
        const auto output = pitest::captureOutput([&] { status = call(); });
        EXPECT_EQ(status, 1);
        EXPECT_EQ(output.err, kNoHostMessage + kNoHostMessage);
    }
    EXPECT_FALSE(client.isValid());
    EXPECT_EQ(names, std::vector<std::string>{"untouched"});
}

TEST(ServicesWithoutHost, a_file_locator_service_stays_unconnected) {
    const auto output = pitest::captureOutput([] {
        ifc::FileLocatorService locator;
        EXPECT_EQ(locator.getInterface(), nullptr);
    });
    EXPECT_EQ(output.err, kNoHostMessage + kNoHostMessage + kNoHostMessage + kNoHostMessage);
}

}  // namespace
