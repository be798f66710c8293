// A program for the Wine runtime script's tests: it ends, dies or hangs as its argument says.
//   exit N            prints a line and returns N
//   main-thread-exit  ends its main thread while a second thread waits forever
//   silent            prints a line and then nothing, forever
//   session           prints its display and Wine prefix
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

DWORD WINAPI WaitForever(void*)
{
    ::Sleep(INFINITE);
    return 0;
}

void Say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "exit") == 0 && argc > 2)
    {
        Say("probe exits");
        return std::atoi(argv[2]);
    }
    if (std::strcmp(mode, "main-thread-exit") == 0)
    {
        ::CreateThread(nullptr, 0, WaitForever, nullptr, 0, nullptr);
        Say("probe ends its main thread");
        ::ExitThread(0);
    }
    if (std::strcmp(mode, "silent") == 0)
    {
        Say("probe goes silent");
        ::Sleep(INFINITE);
    }
    if (std::strcmp(mode, "session") == 0)
    {
        const char* display = std::getenv("DISPLAY");
        const char* prefix = std::getenv("WINEPREFIX");
        std::printf("display=%s prefix=%s\n", display ? display : "", prefix ? prefix : "");
        return 0;
    }
    Say("usage: WineRunProbe exit N | main-thread-exit | silent | session");
    return 2;
}
