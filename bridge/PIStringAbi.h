// The string ABI shared with the host. The host hands std::string objects
// to plug-ins and reads theirs, in the reference-counted representation, so
// every translation unit that uses the library's headers (or the test hosts')
// is compiled with -D_GLIBCXX_USE_CXX11_ABI=0. A build without it would link
// and then fail when the host loads the plug-in; it stops here instead.
#pragma once

#include <cstddef>  // libstdc++'s configuration: __GLIBCXX__, _GLIBCXX_USE_CXX11_ABI

#if !defined(__GLIBCXX__)
#error "KARVEN plug-ins are built with libstdc++ and -D_GLIBCXX_USE_CXX11_ABI=0"
#elif _GLIBCXX_USE_CXX11_ABI
#error "KARVEN plug-ins are compiled with -D_GLIBCXX_USE_CXX11_ABI=0 (the host's std::string)"
#endif
