#!/bin/sh
# Builds hello_plugin.so and its test with pkg-config alone (PKG_CONFIG_PATH=<prefix>/lib/pkgconfig).
set -e
here="$(dirname "$0")"
g++ -shared -fPIC -o hello_plugin.so "$here/hello_plugin.cpp" \
    $(pkg-config --cflags --libs karven-plugin-interfaces)
g++ -o hello_plugin_test "$here/hello_plugin_test.cpp" -L. -l:hello_plugin.so -Wl,-rpath,'$ORIGIN' \
    $(pkg-config --cflags --libs karven-sim)
