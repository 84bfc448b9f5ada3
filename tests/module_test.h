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

public:
    OBJHANDLE create(const std::string& name, int flightModel = 1, FILEHANDLE config = nullptr) {
        std::string error;
        OBJHANDLE handle = standin::host().createVessel(*module, name, flightModel, config, &error);
        EXPECT_NE(handle, nullptr) << error;
        return handle;
    }

protected:
    // The module's calls concerning one vessel during the host's n-th call
    // (0-based) whose log text starts with hostCall, e.g. "> clbkPreStep".
    static std::vector<std::string> callsDuring(OBJHANDLE vessel, const std::string& hostCall,
                                                int occurrence = 0) {
        std::vector<std::string> section;
        int seen = -1;
        bool inside = false;
        for (const std::string& text : standin::host().log().textsFor(vessel)) {
            const bool fromHost = text.compare(0, 2, "> ") == 0;
            if (fromHost) {
                if (inside) break;
                if (text.compare(0, hostCall.size(), hostCall) == 0 && ++seen == occurrence)
                    inside = true;
            } else if (inside) {
                section.push_back(text);
            }
        }
        return section;
    }

    standin::LoadedModule* module = nullptr;
};
