// The main of every GoogleTest program. The environment is pinned before main by the shared
// set-up (tests/support/TestEnvironment.h), as in the Qt Test programs.

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
