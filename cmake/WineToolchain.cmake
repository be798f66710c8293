# Builds every target as a Winelib program: wineg++ compiles against Wine's Windows headers and
# links ELF objects into NAME.exe.so beside a launcher NAME.exe.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER winegcc)
set(CMAKE_CXX_COMPILER wineg++)
set(CMAKE_RC_COMPILER wrc)

# Debian's multiarch libraries (Boost, GoogleTest) are found only with the architecture set.
set(CMAKE_LIBRARY_ARCHITECTURE x86_64-linux-gnu)
# Imported targets would otherwise add -isystem /usr/include, which breaks the #include_next
# chains of Wine's C headers.
set(CMAKE_C_IMPLICIT_INCLUDE_DIRECTORIES /usr/include)
set(CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES /usr/include)


# wchar_t keeps the size Debian's libstdc++, Boost and GoogleTest were built with (WCHAR becomes
# char16_t), and third-party headers do not take the build for a Microsoft compiler.
set(WINE_PORTABILITY_FLAGS
    "-DNOMINMAX -fno-short-wchar -UWINE_UNICODE_NATIVE -U_WIN32 -UWIN32 -U__WIN32 -U__WIN32__ -U__WINNT -U__WINNT__")
set(CMAKE_C_FLAGS_INIT "${WINE_PORTABILITY_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${WINE_PORTABILITY_FLAGS}")
