// Symbol visibility of the client library.
//
// Everything is built with hidden visibility; only what plug-ins and the
// host use by name (functions, classes with their vtables and type
// information, globals) carries PI_EXPORT.
#pragma once

#define PI_EXPORT __attribute__((visibility("default")))
