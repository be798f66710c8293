// The test programs' entry point. Under Wine a static destructor that asks the server for
// anything after the process began to exit turns the exit status into 0, so a failed run would
// pass: the status is given to the system before static objects are destroyed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(nullptr);
    std::_Exit(result);
}
