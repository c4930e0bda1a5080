// The names of the request codes, as the library declares them.
#pragma once

namespace karvensim {

// "PI_SERVERFUNC_SERVICES" for 322; "" for a code the library does not send.
const char* requestName(int code);

}  // namespace karvensim
