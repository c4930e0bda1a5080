#include "hostsim/sim/SimC.h"

#include <string>
#include <vector>

using karvensim::Simulator;

namespace {

const char* keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

std::vector<std::string> texts(const char* const* values, int count) {
    return count > 0 ? std::vector<std::string>(values, values + count) : std::vector<std::string>();
}

}  // namespace

void karvensim_start(void) { Simulator::start(); }

int karvensim_running(void) { return Simulator::running() != nullptr; }

const char* karvensim_trace_json(void) {
    Simulator* sim = Simulator::running();
    return keep(sim ? sim->traceJson() : "[]");
}

const char* karvensim_trace_text(void) {
    std::string text;
    if (Simulator* sim = Simulator::running()) {
        for (const auto& entry : sim->trace()) {
            text += karvensim::describe(entry) + "\n";
        }
    }
    return keep(text);
}

void karvensim_clear_trace(void) {
    if (Simulator* sim = Simulator::running()) {
        sim->clearTrace();
    }
}

const char* karvensim_state_json(void) {
    Simulator* sim = Simulator::running();
    return keep(sim ? sim->stateJson() : "null");
}

int karvensim_fire_signal(const char* name) {
    Simulator* sim = Simulator::running();
    return sim ? sim->fireSignal(name) : -1;
}

int karvensim_fire_timeouts(void) {
    Simulator* sim = Simulator::running();
    return sim ? sim->application().fireTimeouts() : -1;
}

int karvensim_run_action(const char* name) {
    Simulator* sim = Simulator::running();
    return sim ? sim->application().runAction(name) : -1;
}

void karvensim_queue_dialog_answer(const char* path) {
    if (Simulator* sim = Simulator::running()) {
        sim->application().queueDialogAnswer(path);
    }
}

int karvensim_click(const void* handle) {
    Simulator* sim = Simulator::running();
    return sim ? sim->gui().click(handle) : -1;
}

const char* karvensim_widgets_text(void) {
    Simulator* sim = Simulator::running();
    return keep(sim ? sim->gui().text() : "");
}

void karvensim_set_history_limit(unsigned long limit) {
    if (Simulator* sim = Simulator::running()) {
        sim->setHistoryLimit(limit);
    }
}

unsigned long karvensim_history_limit(void) {
    Simulator* sim = Simulator::running();
    return sim ? sim->historyLimit() : 0;
}

int karvensim_script_answer(const char* operation, const char* const* values, int count) {
    Simulator* sim = Simulator::running();
    if (sim == nullptr) {
        return -1;
    }
    auto& traced = sim->tracedServices();
    return count < 0 ? traced.forget(operation) : traced.script(operation, texts(values, count));
}

void karvensim_forget_answers(void) {
    if (Simulator* sim = Simulator::running()) {
        sim->tracedServices().forgetAll();
    }
}

void karvensim_add_file(int type, const char* filename, const char* path) {
    if (Simulator* sim = Simulator::running()) {
        using Locator = PluginClient::Interfaces::FileLocatorInterface;
        sim->services().fileLocator.addFile(static_cast<Locator::FileType>(type), filename, path);
    }
}

void karvensim_set_model_textures(const char* model, const char* const* textures, int count) {
    if (Simulator* sim = Simulator::running()) {
        sim->services().fileLocator.setModelTextures(model, texts(textures, count));
    }
}
