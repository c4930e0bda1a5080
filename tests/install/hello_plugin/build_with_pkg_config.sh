#!/bin/sh
# Builds hello_plugin.so with pkg-config alone (PKG_CONFIG_PATH=<prefix>/lib/pkgconfig).
set -e
g++ -shared -fPIC -o hello_plugin.so "$(dirname "$0")/hello_plugin.cpp" \
    $(pkg-config --cflags --libs karven-plugin-interfaces)
