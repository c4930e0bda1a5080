#include "hostsim/sim/SimC.h"

#include <string>

using karvensim::Simulator;

namespace {

const char* keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

}  // namespace

void karvensim_start(void) { Simulator::start(); }

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
