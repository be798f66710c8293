// Saves and loads a 500-command profile with usage through the registry and prints the time
// each takes (target: under 20 ms each).
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdProfile.h"
#include "ui/core/ExtRegistry.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr UINT COMMAND_COUNT = 500;
constexpr UINT FIRST_COMMAND = 1000;
constexpr int ROUNDS = 20;
constexpr char COMPANY[] = "DadeBenchmark";
constexpr char PRODUCT[] = "Editor";

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end, const LARGE_INTEGER& frequency)
{
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void FillProfile(CExtCmdProfile& profile, bool bWithUsage)
{
    for (UINT i = 0; i < COMMAND_COUNT; ++i)
    {
        CExtCmdItem* pItem = profile.AllocateCommand(FIRST_COMMAND + i);
        if (pItem != nullptr && bWithUsage)
            pItem->m_nUsageTickCount = i + 1;
    }
    if (bWithUsage)
        profile.m_nTotalTickCount = COMMAND_COUNT * (COMMAND_COUNT + 1) / 2;
}
} // namespace

int main()
{
    const std::string companyKey = std::string("Software\\") + COMPANY;
    CExtCmdProfile saved("benchmark");
    FillProfile(saved, true);
    CExtCmdProfile loaded("benchmark");
    FillProfile(loaded, false);

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> saves, loads;
    bool bAllOk = true;
    for (int round = 0; round < ROUNDS; ++round)
    {
        ::QueryPerformanceCounter(&start);
        bAllOk = saved.ArchiveToRegistry(COMPANY, PRODUCT, true) && bAllOk;
        ::QueryPerformanceCounter(&end);
        const double dSave = Milliseconds(start, end, frequency);
        ::QueryPerformanceCounter(&start);
        bAllOk = loaded.ArchiveToRegistry(COMPANY, PRODUCT, false) && bAllOk;
        ::QueryPerformanceCounter(&end);
        const double dLoad = Milliseconds(start, end, frequency);
        saves.push_back(dSave);
        loads.push_back(dLoad);
    }
    RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, companyKey.c_str(), nullptr);
    std::printf("profile of %u commands with usage, %d rounds%s\n", COMMAND_COUNT, ROUNDS,
                bAllOk ? "" : " (a round FAILED)");
    // The median shows the usual cost; the worst round shows the machine's noise.
    for (auto* pTimes : {&saves, &loads})
        std::sort(pTimes->begin(), pTimes->end());
    std::printf("save: %.2f ms median, %.2f ms best, %.2f ms worst\n", saves[ROUNDS / 2], saves.front(), saves.back());
    std::printf("load: %.2f ms median, %.2f ms best, %.2f ms worst\n", loads[ROUNDS / 2], loads.front(), loads.back());
    return 0;
}
