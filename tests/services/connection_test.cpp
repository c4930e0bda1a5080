// Clients connecting to the test host's in-memory services: the host calls
// the clients through its own declaration of their vtable, and each client
// keeps an interface only when it really has the client's type.

#include <gtest/gtest.h>

#include "bridge/PIFunctionMap.h"
#include "hostsim/ServiceHost.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"

namespace {

namespace ifc = PluginClient::Interfaces;
using PICommon::BasicClient;

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

// One case per interface: its client, its service name, the host's object,
// and an object of another interface that the client must refuse.
template <typename Interface>
struct InterfaceCase;

template <>
struct InterfaceCase<ifc::EntityGuiInterface> {
    static const std::string& name() { return ifc::DATABROWSER_SERVICE_NAME; }
    static ifc::EntityGuiInterface* own(testhost::ServiceHost& h) { return &h.entityGui; }
    static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.signals; }
};
template <>
struct InterfaceCase<ifc::FileLocatorInterface> {
    static const std::string& name() { return ifc::FILE_LOCATOR_SERVICE_NAME; }
    static ifc::FileLocatorInterface* own(testhost::ServiceHost& h) { return &h.fileLocator; }
    static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.fileWriter; }
};
template <>
struct InterfaceCase<ifc::FileWriterInterface> {
    static const std::string& name() { return ifc::FILE_WRITER_SERVICE_NAME; }
    static ifc::FileWriterInterface* own(testhost::ServiceHost& h) { return &h.fileWriter; }
    static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.snapShot; }
};
template <>
struct InterfaceCase<ifc::SignalInterface> {
    static const std::string& name() { return ifc::SIGNAL_SERVICE_NAME; }
    static ifc::SignalInterface* own(testhost::ServiceHost& h) { return &h.signals; }
    static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.entityGui; }
};
template <>
struct InterfaceCase<ifc::SnapShotInterface> {
    static const std::string& name() { return ifc::SNAPSHOT_SERVICE; }
    static ifc::SnapShotInterface* own(testhost::ServiceHost& h) { return &h.snapShot; }
    static PICommon::BindableInterface* other(testhost::ServiceHost& h) { return &h.fileLocator; }
};

template <typename Interface>
class ClientConnection : public Connections {};

using Interfaces = ::testing::Types<ifc::EntityGuiInterface, ifc::FileLocatorInterface,
                                    ifc::FileWriterInterface, ifc::SignalInterface, ifc::SnapShotInterface>;
TYPED_TEST_SUITE(ClientConnection, Interfaces);

TYPED_TEST(ClientConnection, follows_the_connection_sequence) {
    using Case = InterfaceCase<TypeParam>;
    testhost::ServiceHost& host = *this->host_;
    BasicClient<TypeParam> client;
    EXPECT_FALSE(client.isValid());
    EXPECT_EQ(client.getInterface(), nullptr);

    ASSERT_EQ(client.bind(Case::name()), 0);
    EXPECT_TRUE(client.isValid());
    EXPECT_EQ(client.getInterface(), Case::own(host));
    EXPECT_EQ(host.clientsOf(Case::name()), std::vector<const void*>{&client});

    testhost::ServiceHost::connect(&client, nullptr);
    EXPECT_EQ(client.getInterface(), Case::own(host)) << "a null connection keeps the interface";

    testhost::ServiceHost::disconnect(&client);
    EXPECT_FALSE(client.isValid());

    testhost::ServiceHost::connect(&client, Case::own(host));
    testhost::ServiceHost::connect(&client, Case::other(host));
    EXPECT_FALSE(client.isValid()) << "an object of another interface leaves the client unconnected";
    EXPECT_EQ(client.getInterface(), nullptr);

    testhost::ServiceHost::connect(&client, Case::own(host));
    EXPECT_EQ(client.unbind(Case::name()), 0);
    EXPECT_FALSE(client.isValid()) << "the host disconnects at unbind";
    EXPECT_TRUE(host.clientsOf(Case::name()).empty());
}

TYPED_TEST(ClientConnection, a_service_of_another_type_under_the_name_is_refused) {
    using Case = InterfaceCase<TypeParam>;
    testhost::ServiceHost& host = *this->host_;
    host.publish(Case::name(), Case::other(host));
    BasicClient<TypeParam> client;
    EXPECT_EQ(client.bind(Case::name()), 0);
    EXPECT_FALSE(client.isValid());
}

TEST_F(Connections, binding_a_name_nobody_published_leaves_the_client_unconnected) {
    BasicClient<ifc::SignalInterface> client;
    EXPECT_EQ(client.bind(ifc::PREFSTOOL_SERVICE_NAME), 2);
    EXPECT_FALSE(client.isValid());
    EXPECT_EQ(client.unbind(ifc::PREFSTOOL_SERVICE_NAME), 2);
}

TEST_F(Connections, withdrawing_a_service_disconnects_its_clients) {
    BasicClient<ifc::SignalInterface> first;
    BasicClient<ifc::SignalInterface> second;
    ASSERT_EQ(first.bind(ifc::SIGNAL_SERVICE_NAME), 0);
    ASSERT_EQ(second.bind(ifc::SIGNAL_SERVICE_NAME), 0);
    host_->withdraw(ifc::SIGNAL_SERVICE_NAME);
    EXPECT_FALSE(first.isValid());
    EXPECT_FALSE(second.isValid());
}

TEST_F(Connections, a_file_locator_service_is_connected_while_it_lives) {
    host_->fileLocator.addFile(ifc::FileLocatorInterface::MODEL, "tank.ive", "/data/models/tank.ive");
    {
        ifc::FileLocatorService locator;
        ASSERT_NE(locator.getInterface(), nullptr);
        EXPECT_EQ(locator.getInterface()->locate(ifc::FileLocatorInterface::MODEL, "tank.ive"),
                  "/data/models/tank.ive");
        EXPECT_EQ(host_->clientsOf(ifc::FILE_LOCATOR_SERVICE_NAME).size(), 1u);
    }
    EXPECT_TRUE(host_->clientsOf(ifc::FILE_LOCATOR_SERVICE_NAME).empty()) << "unbound by its destructor";
}

TEST_F(Connections, published_services_are_listed_by_type_and_plugin_services_registered) {
    std::vector<std::string> names{"kept"};
    EXPECT_EQ(PICommon::getServiceNamesByServiceType("SignalInterface", &names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", ifc::SIGNAL_SERVICE_NAME}));

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
    EXPECT_EQ(PIKARVEN::OPT_APPEND, "Append");
    EXPECT_EQ(PIKARVEN::OPT_RELATIVETO, "RelativeTo");
    EXPECT_EQ(UTILS::CU_ANGLE_STRING_MIL, "mils");
}

TEST(ServiceEnumerations, keep_their_numeric_values) {
    const std::pair<int, int> values[] = {
        {ifc::FileLocatorInterface::MODEL, 0},  {ifc::FileLocatorInterface::PREFERENCE_RULE, 4},
        {ifc::FileLocatorInterface::DISCN, 7},  {ifc::FileLocatorInterface::SCREENTEXT, 10},
        {ifc::FileLocatorInterface::OTHER, 11}, {ifc::FileWriterInterface::ASI, 0},
        {ifc::FileWriterInterface::ZIP, 1},     {ifc::SnapShotInterface::FILE_JPG, 0},
        {ifc::SnapShotInterface::FILE_PNG, 1},  {PIData::PI_COORDSYS_GTP, 8},
        {PIData::PI_COORDSYS_ECI, 9},           {PIKARVEN::PI_FILENAME_UNCHANGED, 3},
    };
    for (const auto& [actual, expected] : values) {
        EXPECT_EQ(actual, expected);
    }
    static_assert(sizeof(ifc::FileLocatorInterface::FileType) == 4 &&
                  sizeof(ifc::FileWriterInterface::FileFormat) == 4 &&
                  sizeof(ifc::SnapShotInterface::FileType) == 4);
}

}  // namespace
