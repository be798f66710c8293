// A program for the Wine runtime script's tests: it ends, dies or hangs as its argument says.
//   exit N            prints a line and returns N
//   main-thread-exit  ends its main thread while a second thread waits forever
//   silent            prints a line and then nothing, forever
//   session           prints its display and Wine prefix
//   symbol-font       returns 0 when the platform's symbol font draws a symbol, not a digit
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

// The pixels of the text drawn black on white in a font of the face and character set.
std::vector<COLORREF> Drawn(const char* face, BYTE charset, const char* text, std::string& chosenFace)
{
    constexpr int kSide = 32;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kSide, kSide);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HFONT font = ::CreateFontA(-kSide * 3 / 4, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    char name[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, name);
    chosenFace = name;
    RECT all = {0, 0, kSide, kSide};
    ::FillRect(dc, &all, HBRUSH(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, 2, 2, text, int(std::strlen(text)));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(font);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

// The caption's minimize button is the symbol font's "0": it must not be drawn as the digit.
int SymbolFontCheck()
{
    std::string symbolFace;
    std::string textFace;
    const std::vector<COLORREF> symbol = Drawn("Marlett", SYMBOL_CHARSET, "0", symbolFace);
    const std::vector<COLORREF> digit = Drawn("Liberation Sans", ANSI_CHARSET, "0", textFace);
    const bool isSymbol = symbolFace == "Marlett" && symbol != digit;
    std::printf("symbol font face=%s drawn as %s\n", symbolFace.c_str(), isSymbol ? "a symbol" : "a digit");
    return isSymbol ? 0 : 1;
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
    if (std::strcmp(mode, "symbol-font") == 0)
        return SymbolFontCheck();
    Say("usage: WineRunProbe exit N | main-thread-exit | silent | session | symbol-font");
    return 2;
}
