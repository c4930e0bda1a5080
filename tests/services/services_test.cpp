// Service clients: the requests of code 322, and the connection sequence
// against the test host's in-memory services, which call the clients
// through their own declaration of the client's vtable.

#include <gtest/gtest.h>

#include "api/PIFileDelegates.h"
#include "hostsim/ServiceHost.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"
#include "services/PISignalInterface.h"
#include "tests/support/Requests.h"

namespace {

namespace ifc = PluginClient::Interfaces;
using PICommon::BasicClient;
using pitest::Op;
using pitest::setInt1;

// Every request of a client or service: sent once per call, and its status
// read from element 1 (1 while unanswered).
struct ServiceOps {
    BasicClient<ifc::SignalInterface> client;
    PICommon::Service service;
    std::vector<std::string> names{"kept"};
    std::vector<Op> ops;

    ServiceOps() {
        pitest::name(&client, "client");
        pitest::name(&service, "service");
        pitest::name(&names, "names");
        // clang-format off
        ops = {
            {PI_RET(client.bind("a/Service/1.0")), {"322 all i[0,1] s['a/Service/1.0'] p[client]"}, "1", setInt1(0),
             "0"},
            {PI_RET(client.unbind("a/Service/1.0")), {"322 all i[1,1] s['a/Service/1.0'] p[client]"}, "1", setInt1(-5),
             "-5"},
            {PI_RET(service.registerSelf()), {"322 all i[2,1] p[service]"}, "1", setInt1(2), "2"},
            {PI_RET(service.unregisterSelf()), {"322 all i[3,1] p[service]"}, "1", setInt1(0), "0"},
            {PI_RET(PICommon::registerServiceType("TypeA", &service)), {"322 all i[4,1] s['TypeA'] p[service]"}, "1",
             setInt1(0), "0"},
            {PI_RET(PICommon::registerServiceType("", nullptr)), {"322 all i[4,1] s[''] p[0]"}, "1", setInt1(3), "3"},
            {PI_RET(PICommon::getServiceNamesByServiceType("TypeB", &names)), {"322 all i[5,1] s['TypeB'] p[names]"},
             "1", setInt1(0), "0"},
            // A file locator service binds for its lifetime.
            {PI_DO(ifc::FileLocatorService()), {"322 all i[0,1] s['" + ifc::FILE_LOCATOR_SERVICE_NAME + "'] p[&]",
                                                 "322 all i[1,1] s['" + ifc::FILE_LOCATOR_SERVICE_NAME + "'] p[&]"}},
        };
        // clang-format on
    }
};

class ServiceRequests : public pitest::WithHost {};

TEST_F(ServiceRequests, each_request_is_sent_as_tabled_and_returns_the_status_slot) {
    ServiceOps table;
    pitest::checkWithHost(table.ops);
    EXPECT_FALSE(table.client.isValid()) << "only the host's onServiceConnected connects";
}

class ServicesWithoutHost : public pitest::NoHost {};

TEST_F(ServicesWithoutHost, every_request_reports_the_missing_host_and_returns_1) {
    ServiceOps table;
    pitest::checkWithoutHost(table.ops);
    EXPECT_EQ(table.names, std::vector<std::string>{"kept"});
}

class Connections : public pitest::WithHost {};

// The host calls the client through its own declaration of the client's
// vtable; the client keeps an interface only when it really has its type.
TEST_F(Connections, follows_the_connection_sequence_of_the_test_host) {
    testhost::ServiceHost host;
    BasicClient<ifc::SignalInterface> client;
    EXPECT_EQ(client.bind(ifc::PREFSTOOL_SERVICE_NAME), 2) << "nobody published it";
    EXPECT_FALSE(client.isValid());
    ASSERT_EQ(client.bind(ifc::SIGNAL_SERVICE_NAME), 0);
    EXPECT_EQ(client.getInterface(), &host.signals);
    testhost::ServiceHost::connect(&client, nullptr);
    EXPECT_EQ(client.getInterface(), &host.signals) << "a null connection keeps the interface";
    testhost::ServiceHost::connect(&client, &host.snapShot);
    EXPECT_EQ(client.getInterface(), nullptr)
        << "an object of another interface leaves the client unconnected";
    testhost::ServiceHost::connect(&client, &host.signals);
    EXPECT_EQ(client.unbind(ifc::SIGNAL_SERVICE_NAME), 0);
    EXPECT_FALSE(client.isValid()) << "the host disconnects at unbind";

    host.fileLocator.addFile(ifc::FileLocatorInterface::MODEL, "tank.ive", "/data/models/tank.ive");
    ifc::FileLocatorService locator;
    ASSERT_NE(locator.getInterface(), nullptr);
    EXPECT_EQ(locator.getInterface()->locate(ifc::FileLocatorInterface::MODEL, "tank.ive"),
              "/data/models/tank.ive");
}

// The names the Python module does not show (it checks the others).
TEST(ServiceNames, the_click_lists_and_the_option_texts) {
    EXPECT_EQ(PIKARVEN::CLICKED_GUI_GOG_LIST_NAME, "com.karven/PIKARVEN/ClickedGuiGogList/1.0");
    EXPECT_EQ(PIKARVEN::CLICKED_GUI_BOOKMARK_LIST_NAME, "com.karven/PIKARVEN/ClickedGuiBookmarkList/1.0");
    EXPECT_EQ(PIKARVEN::OPT_APPEND + PIKARVEN::OPT_RELATIVETO + UTILS::CU_ANGLE_STRING_MIL +
                  PICommon::FileImportExportDelegate::APPEND + PICommon::FileExportDelegateV2::APPEND,
              "AppendRelativeTomilsAppendAppend");
}

}  // namespace
