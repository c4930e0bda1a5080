// The six requests of code 322, field by field, with and without an answer.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "bridge/PIFunctionMap.h"
#include "hostsim/RecordingHost.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"
#include "services/PISignalInterface.h"

namespace {

using PICommon::BasicClient;
using PluginClient::Interfaces::SignalInterface;

void* const kContext = reinterpret_cast<void*>(0xC0DE);

class ServiceRequests : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        g_This = kContext;
        testhost::reset();
    }
};

struct RequestCase {
    const char* name;
    std::function<int()> call;
    int32_t selector;
    std::vector<std::string> strs;
    std::vector<const void*> ptrs;
};

TEST_F(ServiceRequests, each_request_is_sent_as_tabled_and_returns_the_status_slot) {
    BasicClient<SignalInterface> client;
    PICommon::Service service;
    std::vector<std::string> names;
    const std::string name = "com.example.some/Service/1.0";
    const RequestCase cases[] = {
        {"bind", [&] { return client.bind(name); }, 0, {name}, {&client}},
        {"unbind", [&] { return client.unbind(name); }, 1, {name}, {&client}},
        {"registerSelf", [&] { return service.registerSelf(); }, 2, {}, {&service}},
        {"unregisterSelf", [&] { return service.unregisterSelf(); }, 3, {}, {&service}},
        {"registerServiceType",
         [&] { return PICommon::registerServiceType("TypeA", &service); },
         4,
         {"TypeA"},
         {&service}},
        {"registerServiceType(null)",
         [&] { return PICommon::registerServiceType("", nullptr); },
         4,
         {""},
         {nullptr}},
        {"getServiceNamesByServiceType",
         [&] { return PICommon::getServiceNamesByServiceType("TypeB", &names); },
         5,
         {"TypeB"},
         {&names}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        EXPECT_EQ(c.call(), 1) << "pre-set status when the host leaves the block alone";
        for (int answer : {0, 2, -5}) {
            testhost::respond(322, [answer](testhost::Exchange& e) {
                e.setInt(1, answer);
                return nullptr;
            });
            EXPECT_EQ(c.call(), answer);
        }

        const auto sent = testhost::requestsWithCode(322);
        ASSERT_EQ(sent.size(), 4u);
        for (const auto& request : sent) {
            EXPECT_EQ(request.context, kContext);
            EXPECT_EQ(request.block.kind, testhost::BlockKind::CatchAll);
            EXPECT_EQ(request.block.ints, (std::vector<int32_t>{c.selector, 1}));
            EXPECT_EQ(request.block.strs, c.strs);
            EXPECT_EQ(request.block.ptrs, c.ptrs);
            EXPECT_TRUE(request.block.dbls.empty());
        }
        EXPECT_EQ(testhost::requests().size(), 8u) << "each request is preceded by one context lookup";
    }
}

TEST_F(ServiceRequests, the_callers_list_reaches_the_host_as_it_is) {
    std::vector<std::string> names = {"already", "here"};
    std::vector<std::string> seenByHost;
    testhost::respond(322, [&seenByHost](testhost::Exchange& e) {
        auto* list = static_cast<std::vector<std::string>*>(e.pointerAt(0));
        seenByHost = *list;
        list->push_back("added by the host");
        e.setInt(1, 0);
        return nullptr;
    });
    EXPECT_EQ(PICommon::getServiceNamesByServiceType("T", &names), 0);
    EXPECT_EQ(seenByHost, (std::vector<std::string>{"already", "here"}));
    EXPECT_EQ(names, (std::vector<std::string>{"already", "here", "added by the host"}));
}

TEST_F(ServiceRequests, a_file_locator_service_binds_once_for_its_lifetime) {
    // Kept as a number: the client is gone when the requests are compared.
    std::uintptr_t address = 0;
    {
        PluginClient::Interfaces::FileLocatorService locator;
        address = reinterpret_cast<std::uintptr_t>(&locator);
        EXPECT_EQ(locator.getInterface(), nullptr);
        ASSERT_EQ(testhost::requestsWithCode(322).size(), 1u);
    }
    const auto sent = testhost::requestsWithCode(322);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].block.ints, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(sent[1].block.ints, (std::vector<int32_t>{1, 1}));
    for (const auto& request : sent) {
        EXPECT_EQ(request.block.strs,
                  std::vector<std::string>{PluginClient::Interfaces::FILE_LOCATOR_SERVICE_NAME});
        ASSERT_EQ(request.block.ptrs.size(), 1u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(request.block.ptrs[0]), address);
    }
}

TEST_F(ServiceRequests, bind_and_unbind_do_not_change_the_client_themselves) {
    BasicClient<SignalInterface> client;
    testhost::respond(322, [](testhost::Exchange& e) {
        e.setInt(1, 0);
        return nullptr;
    });
    EXPECT_EQ(client.bind(PluginClient::Interfaces::SIGNAL_SERVICE_NAME), 0);
    EXPECT_FALSE(client.isValid()) << "only onServiceConnected connects";
    EXPECT_EQ(client.unbind(PluginClient::Interfaces::SIGNAL_SERVICE_NAME), 0);
    EXPECT_FALSE(client.isValid());
}

}  // namespace
