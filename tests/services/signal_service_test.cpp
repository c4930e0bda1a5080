// The test host's signal service really calls the callbacks a plug-in
// registers, through the signal interface a signal client is connected to.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bridge/PIFunctionMap.h"
#include "hostsim/ServiceHost.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"

namespace {

namespace ifc = PluginClient::Interfaces;

struct Received {
    std::string tag;
    std::string name;
    ifc::SignalData* data;
};

class Recorder : public ifc::SignalCallback {
public:
    Recorder(std::string tag, std::vector<Received>& log) : tag_(std::move(tag)), log_(log) {}
    void callback(const std::string& name, ifc::SignalData* data) override {
        log_.push_back({tag_, name, data});
    }

private:
    std::string tag_;
    std::vector<Received>& log_;
};

class Signals : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        host_ = std::make_unique<testhost::ServiceHost>();
        ASSERT_EQ(client_.bind(ifc::SIGNAL_SERVICE_NAME), 0);
        signals_ = client_.getInterface();
        ASSERT_NE(signals_, nullptr);
    }

    std::unique_ptr<testhost::ServiceHost> host_;
    PICommon::BasicClient<ifc::SignalInterface> client_;
    ifc::SignalInterface* signals_ = nullptr;
    std::vector<Received> log_;
};

TEST_F(Signals, a_fired_signal_reaches_its_callbacks_then_the_global_ones) {
    Recorder first("first", log_), second("second", log_), global("global", log_),
        unrelated("unrelated", log_);
    ASSERT_EQ(signals_->addCallback(ifc::APPEND_DATA_SIGNAL, &first), 0);
    ASSERT_EQ(signals_->addCallback(ifc::APPEND_DATA_SIGNAL, &second), 0);
    ASSERT_EQ(signals_->addCallback("other", &unrelated), 0);
    ASSERT_EQ(signals_->addGlobalCallback(&global), 0);
    EXPECT_TRUE(signals_->hasCallbacks(ifc::APPEND_DATA_SIGNAL));
    EXPECT_FALSE(signals_->hasCallbacks("nobody"));

    ifc::SignalData payload;
    EXPECT_EQ(signals_->fireCallbacks(ifc::APPEND_DATA_SIGNAL, &payload), 3);
    ASSERT_EQ(log_.size(), 3u);
    EXPECT_EQ(log_[0].tag, "first");
    EXPECT_EQ(log_[1].tag, "second");
    EXPECT_EQ(log_[2].tag, "global");
    for (const auto& r : log_) {
        EXPECT_EQ(r.name, ifc::APPEND_DATA_SIGNAL);
        EXPECT_EQ(r.data, &payload);
    }
}

TEST_F(Signals, registration_statuses) {
    Recorder a("a", log_);
    EXPECT_EQ(signals_->addCallback("s", &a), 0);
    EXPECT_EQ(signals_->addCallback("s", &a), 1) << "already registered";
    EXPECT_EQ(signals_->addCallback("s", nullptr), 1);
    EXPECT_EQ(signals_->removeCallback("s", &a), 0);
    EXPECT_EQ(signals_->removeCallback("s", &a), 1);
    EXPECT_FALSE(signals_->hasCallbacks("s"));
    EXPECT_EQ(signals_->addGlobalCallback(&a), 0);
    EXPECT_EQ(signals_->removeGlobalCallback(&a), 0);
    EXPECT_EQ(signals_->removeGlobalCallback(&a), 1);
    EXPECT_EQ(signals_->fireCallbacks("s", nullptr), 0);
}

// Removes another callback (and itself) while the signal is being fired.
class Remover : public ifc::SignalCallback {
public:
    Remover(ifc::SignalInterface& signals, ifc::SignalCallback*& victim)
        : signals_(signals), victim_(victim) {}
    void callback(const std::string& name, ifc::SignalData*) override {
        signals_.removeCallback(name, victim_);
        delete victim_;
        victim_ = nullptr;
        signals_.removeCallback(name, this);
        ++calls;
    }
    int calls = 0;

private:
    ifc::SignalInterface& signals_;
    ifc::SignalCallback*& victim_;
};

TEST_F(Signals, a_callback_removed_and_deleted_during_a_signal_is_not_called) {
    ifc::SignalCallback* victim = new Recorder("victim", log_);
    Remover remover(*signals_, victim);
    signals_->addCallback("s", &remover);
    signals_->addCallback("s", victim);
    EXPECT_EQ(signals_->fireCallbacks("s", nullptr), 1);
    EXPECT_EQ(remover.calls, 1);
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(signals_->hasCallbacks("s"));
}

// On its first call, removes two callbacks and registers a new one.
class Meddler : public ifc::SignalCallback {
public:
    Meddler(ifc::SignalInterface& signals, ifc::SignalCallback* named, ifc::SignalCallback* global,
            ifc::SignalCallback* added)
        : signals_(signals), named_(named), global_(global), added_(added) {}
    void callback(const std::string& name, ifc::SignalData*) override {
        if (calls++ == 0) {
            EXPECT_EQ(signals_.removeCallback(name, named_), 0);
            EXPECT_EQ(signals_.removeGlobalCallback(global_), 0);
            EXPECT_EQ(signals_.addCallback(name, added_), 0);
        }
    }
    int calls = 0;

private:
    ifc::SignalInterface& signals_;
    ifc::SignalCallback* named_;
    ifc::SignalCallback* global_;
    ifc::SignalCallback* added_;
};

// However many receivers a signal has, it reaches those registered when it
// was fired, in order, less those removed while it is being fired.
TEST_F(Signals, a_signal_reaches_the_receivers_it_was_fired_for_less_those_removed_meanwhile) {
    for (const int named : {2, 7, 8, 9, 30}) {
        SCOPED_TRACE(named);
        log_.clear();
        std::vector<std::unique_ptr<Recorder>> recorders;
        for (int i = 0; i < named + 2; ++i) {
            recorders.push_back(std::make_unique<Recorder>(std::to_string(i), log_));
        }
        Recorder added("added", log_);
        Meddler meddler(*signals_, recorders[named - 1].get(), recorders[named + 1].get(), &added);
        ASSERT_EQ(signals_->addCallback("s", &meddler), 0);
        for (int i = 0; i < named; ++i) {
            ASSERT_EQ(signals_->addCallback("s", recorders[i].get()), 0);
        }
        ASSERT_EQ(signals_->addGlobalCallback(recorders[named].get()), 0);
        ASSERT_EQ(signals_->addGlobalCallback(recorders[named + 1].get()), 0);

        EXPECT_EQ(signals_->fireCallbacks("s", nullptr), named + 1);
        std::vector<std::string> expected;
        for (int i = 0; i < named - 1; ++i) {
            expected.push_back(std::to_string(i));
        }
        expected.push_back(std::to_string(named));
        std::vector<std::string> tags;
        for (const auto& r : log_) {
            tags.push_back(r.tag);
        }
        EXPECT_EQ(tags, expected);

        log_.clear();
        EXPECT_EQ(signals_->fireCallbacks("s", nullptr), named + 2) << "the added one, not the removed ones";
        ASSERT_FALSE(log_.empty());
        EXPECT_EQ(log_.back().tag, std::to_string(named));
        EXPECT_EQ(log_[log_.size() - 2].tag, "added");

        signals_->removeCallback("s", &meddler);
        signals_->removeCallback("s", &added);
        for (int i = 0; i < named - 1; ++i) {
            ASSERT_EQ(signals_->removeCallback("s", recorders[i].get()), 0);
        }
        ASSERT_EQ(signals_->removeGlobalCallback(recorders[named].get()), 0);
    }
}

TEST_F(Signals, a_bare_payload_can_be_fired_and_destroyed) {
    Recorder a("a", log_);
    signals_->addCallback("s", &a);
    auto* payload = new ifc::SignalData;
    signals_->fireCallbacks("s", payload);
    delete payload;
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(std::vector<std::string>(host_->signals.fired.begin(), host_->signals.fired.end()),
              std::vector<std::string>{"s"});
}

// The history keeps the newest names, oldest first, across wrap-arounds and
// changes of its limit (0 keeps everything).
TEST_F(Signals, the_history_of_fired_signals_keeps_the_last_ones) {
    auto& fired = host_->signals.fired;
    const auto fire = [this](int from, int to) {
        for (int i = from; i <= to; ++i) signals_->fireCallbacks(std::to_string(i), nullptr);
    };
    const auto kept = [&fired] { return std::vector<std::string>(fired.begin(), fired.end()); };
    EXPECT_EQ(fired.limit(), testhost::History<std::string>::kDefaultLimit);
    fired.setLimit(3);
    fire(1, 5);
    EXPECT_EQ(kept(), (std::vector<std::string>{"3", "4", "5"}));
    fired.setLimit(2);
    EXPECT_EQ(kept(), (std::vector<std::string>{"4", "5"}));
    fired.setLimit(0);
    fire(6, 7);
    EXPECT_EQ(kept(), (std::vector<std::string>{"4", "5", "6", "7"}));
    EXPECT_EQ(fired.added(), 7u);
}

}  // namespace
