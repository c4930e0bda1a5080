// A C interface to the simulated host, for tests written in Python (the
// helper module karven_sim.py loads it with ctypes).
#pragma once

#include "hostsim/sim/Simulator.h"

extern "C" {

// Starts (or restarts) the simulated host in this process.
KARVENSIM_API void karvensim_start(void);
// 1 once the host was started in this process, else 0.
KARVENSIM_API int karvensim_running(void);
// The trace since start as a JSON list of entries (jsonOf in Simulator.h):
// requests and interface calls. Valid until the next call.
KARVENSIM_API const char* karvensim_trace_json(void);
// The last trace entries as readable lines, one per entry.
KARVENSIM_API const char* karvensim_trace_text(void);
KARVENSIM_API void karvensim_clear_trace(void);
// The host's state as a JSON object. Valid until the next call.
KARVENSIM_API const char* karvensim_state_json(void);
// Fires a signal through the signal service; returns how many callbacks ran
// (-1 when the host is not started).
KARVENSIM_API int karvensim_fire_signal(const char* name);
// Fires every pending time-out (their callbacks run in order of due time);
// returns how many ran (-1 when the host is not started).
KARVENSIM_API int karvensim_fire_timeouts(void);
// Runs an action as the user would; returns 0 when it ran, 2 when there is
// no such action, 3 when it is disabled (-1 when the host is not started).
KARVENSIM_API int karvensim_run_action(const char* name);
// Queues the answer of the next file or directory dialog (an empty text
// cancels it); without a queued answer a dialog is cancelled.
KARVENSIM_API void karvensim_queue_dialog_answer(const char* path);
// Clicks a widget as the user would (a check button toggles, then the
// widget's callback runs): 0 when its callback ran, 1 when it has none, 2
// for an unknown or destroyed handle, 3 when it is disabled (-1 when the
// host is not started).
KARVENSIM_API int karvensim_click(const void* handle);
// The widget tree as an indented outline, one widget a line.
KARVENSIM_API const char* karvensim_widgets_text(void);
// How many trace entries and fired signals the host keeps (0: all); kept by
// a restart. The limit has no effect before start.
KARVENSIM_API void karvensim_set_history_limit(unsigned long limit);
KARVENSIM_API unsigned long karvensim_history_limit(void);
// Scripts what an operation ("FileWriterInterface.write") answers from now
// on, as `count` texts; a negative count forgets the answer. 0 done, 1 no
// such operation, 2 it has no result, 3 values that do not fit (-1 when the
// host is not started).
KARVENSIM_API int karvensim_script_answer(const char* operation, const char* const* values, int count);
// Forgets every scripted answer.
KARVENSIM_API void karvensim_forget_answers(void);
// What the file locator finds: `path` for (type, filename), and the
// textures of a model.
KARVENSIM_API void karvensim_add_file(int type, const char* filename, const char* path);
KARVENSIM_API void karvensim_set_model_textures(const char* model, const char* const* textures, int count);
}
