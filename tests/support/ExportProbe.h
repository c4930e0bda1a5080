// The shared object built from the whole client library (ExportProbe.cpp),
// opened privately for a test that asks which symbols it exports.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace pitest {

class ExportProbe : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = dlopen(PI_EXPORT_PROBE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    // Whether the object exports `symbol` (a mangled name).
    bool exported(const std::string& symbol) const { return dlsym(library_, symbol.c_str()) != nullptr; }

private:
    void* library_ = nullptr;
};

}  // namespace pitest
