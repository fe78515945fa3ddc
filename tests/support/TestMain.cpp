// The main of every GoogleTest program: pins the environment so that a run does not depend on
// the machine (the C locale, which the program reads as the Russian settings it is made for; the
// offscreen platform; a home and temporary folder of the build), then runs the tests.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("LC_ALL", "C", 1);
    setenv("LANG", "C", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("HOME", VEDAN_TEST_HOME, 1);
    setenv("TMPDIR", VEDAN_TEST_TMP, 1);
    setenv("VEDAN_CLI", VEDAN_CLI_PATH, 0);
    setenv("VEDAN_PYTHON", "/usr/bin/python3", 0);
    setenv("VEDAN_TESTS_DIR", VEDAN_TESTS_DIR, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
