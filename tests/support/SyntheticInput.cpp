#include "tests/support/SyntheticInput.h"

#include <vector>

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto& [vk, bUp] : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKey(WORD vk)
{
    SendKeys({{vk, false}, {vk, true}});
}
