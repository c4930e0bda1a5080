// Symbol visibility of the client library.
//
// Everything is built with hidden visibility; only what plug-ins and the
// host use by name (functions, classes with their vtables and type
// information, globals) carries PI_EXPORT. Every header of the library
// includes this one, and with it the check of the string ABI.
#pragma once

#include "bridge/PIStringAbi.h"

#define PI_EXPORT __attribute__((visibility("default")))
