// Service clients: the requests of code 322, and the connection sequence
// against the test host's in-memory services, which call the clients
// through their own declaration of the client's vtable.

#include <gtest/gtest.h>

#include <memory>

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
        ops = {
            {"bind", PI_RET(client.bind("a/Service/1.0")), {"322 all i[0,1] s['a/Service/1.0'] p[client]"}, "1",
             setInt1(0), "0"},
            {"unbind", PI_RET(client.unbind("a/Service/1.0")), {"322 all i[1,1] s['a/Service/1.0'] p[client]"},
             "1", setInt1(-5), "-5"},
            {"registerSelf", PI_RET(service.registerSelf()), {"322 all i[2,1] p[service]"}, "1", setInt1(2), "2"},
            {"unregisterSelf", PI_RET(service.unregisterSelf()), {"322 all i[3,1] p[service]"}, "1", setInt1(0),
             "0"},
            {"registerServiceType", PI_RET(PICommon::registerServiceType("TypeA", &service)),
             {"322 all i[4,1] s['TypeA'] p[service]"}, "1", setInt1(0), "0"},
            {"registerServiceType(null)", PI_RET(PICommon::registerServiceType("", nullptr)),
             {"322 all i[4,1] s[''] p[0]"}, "1", setInt1(3), "3"},
            {"getServiceNamesByServiceType", PI_RET(PICommon::getServiceNamesByServiceType("TypeB", &names)),
             {"322 all i[5,1] s['TypeB'] p[names]"}, "1", setInt1(0), "0"},
        };
    }
};

class ServiceRequests : public pitest::WithHost {};

TEST_F(ServiceRequests, each_request_is_sent_as_tabled_and_returns_the_status_slot) {
    ServiceOps table;
    pitest::checkWithHost(table.ops);
    EXPECT_FALSE(table.client.isValid()) << "only the host's onServiceConnected connects";
}

TEST_F(ServiceRequests, a_file_locator_service_binds_for_its_lifetime) {
    {
        ifc::FileLocatorService locator;
        pitest::name(&locator, "locator");
        EXPECT_EQ(locator.getInterface(), nullptr);
        EXPECT_EQ(pitest::sent(), pitest::Lines{"322 all i[0,1] s['" + ifc::FILE_LOCATOR_SERVICE_NAME + "'] p[locator]"});
        testhost::clearRequests();
    }
    EXPECT_EQ(pitest::sent(), pitest::Lines{"322 all i[1,1] s['" + ifc::FILE_LOCATOR_SERVICE_NAME + "'] p[locator]"});
}

class ServicesWithoutHost : public pitest::NoHost {};

TEST_F(ServicesWithoutHost, every_request_reports_the_missing_host_and_returns_1) {
    ServiceOps table;
    pitest::checkWithoutHost(table.ops, false);
    EXPECT_EQ(table.names, std::vector<std::string>{"kept"});
    __setDebugIgnore(true);
    pitest::checkWithoutHost(table.ops, true);
}

class Connections : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        host_ = std::make_unique<testhost::ServiceHost>();
    }
    void TearDown() override { host_.reset(); }
    std::unique_ptr<testhost::ServiceHost> host_;
};

// Each interface's client, its service name, the host's object, and an
// object of another interface that the client must refuse.
template <typename Interface>
struct InterfaceCase;
#define PI_CASE(Interface, serviceName, mine, foreign)                                              \
    template <>                                                                                  \
    struct InterfaceCase<ifc::Interface> {                                                       \
        static const std::string& name() { return ifc::serviceName; }                            \
        static ifc::Interface* own(testhost::ServiceHost& h) { return &h.mine; }                  \
        static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.foreign; } \
    };
PI_CASE(EntityGuiInterface, DATABROWSER_SERVICE_NAME, entityGui, signals)
PI_CASE(FileLocatorInterface, FILE_LOCATOR_SERVICE_NAME, fileLocator, fileWriter)
PI_CASE(FileWriterInterface, FILE_WRITER_SERVICE_NAME, fileWriter, snapShot)
PI_CASE(SignalInterface, SIGNAL_SERVICE_NAME, signals, entityGui)
PI_CASE(SnapShotInterface, SNAPSHOT_SERVICE, snapShot, fileLocator)
#undef PI_CASE

template <typename Interface>
class ClientConnection : public Connections {};
using Interfaces = ::testing::Types<ifc::EntityGuiInterface, ifc::FileLocatorInterface, ifc::FileWriterInterface,
                                    ifc::SignalInterface, ifc::SnapShotInterface>;
TYPED_TEST_SUITE(ClientConnection, Interfaces);

TYPED_TEST(ClientConnection, follows_the_connection_sequence_and_refuses_other_interfaces) {
    using Case = InterfaceCase<TypeParam>;
    testhost::ServiceHost& host = *this->host_;
    BasicClient<TypeParam> client;
    EXPECT_FALSE(client.isValid());
    ASSERT_EQ(client.bind(Case::name()), 0);
    EXPECT_EQ(client.getInterface(), Case::own(host));
    EXPECT_EQ(host.clientsOf(Case::name()), std::vector<const void*>{&client});

    testhost::ServiceHost::connect(&client, nullptr);
    EXPECT_EQ(client.getInterface(), Case::own(host)) << "a null connection keeps the interface";
    testhost::ServiceHost::disconnect(&client);
    EXPECT_FALSE(client.isValid());
    testhost::ServiceHost::connect(&client, Case::own(host));
    testhost::ServiceHost::connect(&client, Case::other(host));
    EXPECT_EQ(client.getInterface(), nullptr) << "an object of another interface leaves the client unconnected";

    testhost::ServiceHost::connect(&client, Case::own(host));
    EXPECT_EQ(client.unbind(Case::name()), 0);
    EXPECT_FALSE(client.isValid()) << "the host disconnects at unbind";
    EXPECT_TRUE(host.clientsOf(Case::name()).empty());

    host.publish(Case::name(), Case::other(host));
    EXPECT_EQ(client.bind(Case::name()), 0);
    EXPECT_FALSE(client.isValid()) << "a service of another type under the name";
}

TEST_F(Connections, unknown_names_withdrawn_services_and_registered_plugin_services) {
    BasicClient<ifc::SignalInterface> first, second;
    EXPECT_EQ(first.bind(ifc::PREFSTOOL_SERVICE_NAME), 2) << "nobody published it";
    EXPECT_FALSE(first.isValid());
    ASSERT_EQ(first.bind(ifc::SIGNAL_SERVICE_NAME), 0);
    ASSERT_EQ(second.bind(ifc::SIGNAL_SERVICE_NAME), 0);
    host_->withdraw(ifc::SIGNAL_SERVICE_NAME);
    EXPECT_FALSE(first.isValid());
    EXPECT_FALSE(second.isValid());

    host_->fileLocator.addFile(ifc::FileLocatorInterface::MODEL, "tank.ive", "/data/models/tank.ive");
    {
        ifc::FileLocatorService locator;
        ASSERT_NE(locator.getInterface(), nullptr);
        EXPECT_EQ(locator.getInterface()->locate(ifc::FileLocatorInterface::MODEL, "tank.ive"),
                  "/data/models/tank.ive");
    }
    EXPECT_TRUE(host_->clientsOf(ifc::FILE_LOCATOR_SERVICE_NAME).empty()) << "unbound by its destructor";

    std::vector<std::string> names{"kept"};
    EXPECT_EQ(PICommon::getServiceNamesByServiceType("SignalInterface", &names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"kept"})) << "withdrawn";
    PICommon::Service service;
    EXPECT_EQ(PICommon::registerServiceType("MyType", &service), 0);
    EXPECT_EQ(host_->servicesByType["MyType"], std::vector<const void*>{&service});
    EXPECT_EQ(service.registerSelf(), 0);
    EXPECT_EQ(host_->registeredServices.count(&service), 1u);
    EXPECT_EQ(service.unregisterSelf(), 0);
    EXPECT_EQ(service.unregisterSelf(), 2);
}

TEST(ServiceNames, every_name_is_the_vendor_prefix_and_a_versioned_path) {
    const std::pair<const std::string*, const char*> names[] = {
        {&ifc::DATABROWSER_SERVICE_NAME, "/KARVEN/DataBrowser/1.1"},
        {&ifc::PREFSTOOL_SERVICE_NAME, "/KARVEN/PrefsTool/1.1"},
        {&ifc::FILE_LOCATOR_SERVICE_NAME, "/PluginClient/FileLocatorService/1.0"},
        {&ifc::FILE_WRITER_SERVICE_NAME, "/PluginClient/FileWriterService/1.0"},
        {&ifc::SIGNAL_SERVICE_NAME, "/PluginClient/SignalService/1.0"},
        {&ifc::APPEND_DATA_SIGNAL, "/PluginClient/SignalService/AppendData/1.0"},
        {&ifc::SNAPSHOT_SERVICE, "/PluginClient/SnapShotService/1.0"},
        {&PIKARVEN::CLICKED_GUI_GOG_LIST_NAME, "/PIKARVEN/ClickedGuiGogList/1.0"},
        {&PIKARVEN::CLICKED_GUI_BOOKMARK_LIST_NAME, "/PIKARVEN/ClickedGuiBookmarkList/1.0"},
    };
    for (const auto& [constant, path] : names) {
        EXPECT_EQ(*constant, std::string("com.karven") + path);
    }
    EXPECT_EQ(PIKARVEN::OPT_APPEND + PIKARVEN::OPT_RELATIVETO + UTILS::CU_ANGLE_STRING_MIL, "AppendRelativeTomils");
}

}  // namespace
