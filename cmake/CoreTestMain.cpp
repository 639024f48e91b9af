// Entry point of the core tests: GoogleTest, with the transport on loopback from the start.
#include <gtest/gtest.h>

#include "testsupport/LoopbackDefault.h"

int main(int argc, char** argv) {
    varlo::testing::PointTransportAtLoopback();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
