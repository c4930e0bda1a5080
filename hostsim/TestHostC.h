// A C interface to the recording test host, for tests written in other
// languages (the Python tests load the host with ctypes).
#pragma once

#include "hostsim/RecordingHost.h"

extern "C" {

// Forgets requests and responders, and ends the service host, which first
// disconnects the clients still bound.
TESTHOST_API void testhost_reset(void);
// Forgets the requests and what the in-memory services keep of the past
// (selections shown, files written, signals fired), keeping bindings,
// callbacks and responders: a long test stays at a constant footprint.
TESTHOST_API void testhost_forget_history(void);
// Starts the service host: the five in-memory services answer code 322.
TESTHOST_API void testhost_serve(void);
// Answers the context lookup (code 16, selector 0) with `context`.
TESTHOST_API void testhost_report_context(void* context);
// Every request so far as a JSON list of objects with "context", "code",
// "data" (addresses as integers) and "block" (the decoded fields). The text
// stays valid until the next call.
TESTHOST_API const char* testhost_requests_json(void);
// The state of the service host as a JSON object (bindings and what each
// in-memory service keeps). The text stays valid until the next call.
TESTHOST_API const char* testhost_state_json(void);
// Calls a client's onServiceConnected with the service published under
// `serviceName` (null when there is none), or its onServiceDisconnected.
TESTHOST_API void testhost_connect(void* client, const char* serviceName);
TESTHOST_API void testhost_disconnect(void* client);
// Publishes the object of one service under another name as well.
TESTHOST_API void testhost_publish_as(const char* existingName, const char* newName);
// Removes a service; its clients are disconnected.
TESTHOST_API void testhost_withdraw(const char* serviceName);
// Entries of the in-memory file locator.
TESTHOST_API void testhost_add_file(int type, const char* filename, const char* path);
TESTHOST_API void testhost_add_model_texture(const char* modelName, const char* texture);
}
