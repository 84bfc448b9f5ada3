// A fixture that starts every test with a fresh host and the debris module
// loaded through the host's loader.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host.h"

// Loads a module through the host, failing the test with the loader's
// message when it cannot.
inline standin::LoadedModule* loadOrFail(const std::string& path) {
    std::string error;
    standin::LoadedModule* loaded = standin::host().loadModule(path, &error);
    EXPECT_NE(loaded, nullptr) << error;
    return loaded;
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::host().reset();
        module = loadOrFail(HULKFALL_MODULE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { standin::host().reset(); }

    OBJHANDLE create(const std::string& name, int flightModel = 1, FILEHANDLE config = nullptr) {
        std::string error;
        OBJHANDLE handle = standin::host().createVessel(*module, name, flightModel, config, &error);
        EXPECT_NE(handle, nullptr) << error;
        return handle;
    }

    // The module's calls for one vessel between two host calls to it.
    static std::vector<std::string> callsBetween(OBJHANDLE vessel, const std::string& from,
                                                 const std::string& to) {
        std::vector<std::string> all = standin::host().log().textsFor(vessel);
        std::vector<std::string> section;
        bool inside = false;
        for (const std::string& text : all) {
            if (text == to) break;
            if (inside) section.push_back(text);
            if (text == from) inside = true;
        }
        return section;
    }

    standin::LoadedModule* module = nullptr;
};
