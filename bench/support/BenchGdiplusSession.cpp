#include "bench/support/BenchGdiplusSession.h"

#include <cstdio>

CBenchGdiplusSession::CBenchGdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) {
        m_token = 0;
        std::printf("GDI+ did not start\n");
    }
}

CBenchGdiplusSession::~CBenchGdiplusSession()
{
    if (m_token != 0)
        Gdiplus::GdiplusShutdown(m_token);
}
