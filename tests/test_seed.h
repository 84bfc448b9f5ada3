// Seeds for tests that shuffle: printed with every run, and taken from
// HULKFALL_TEST_SEED when set, so that any run can be replayed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

inline unsigned testSeed() {
    const char* given = std::getenv("HULKFALL_TEST_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                                : std::random_device{}();
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    std::printf("seed %u (replay with HULKFALL_TEST_SEED=%u)\n", seed, seed);
    return seed;
}
