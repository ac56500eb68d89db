# Cross-building the Windows pieces with mingw-w64 (64-bit, Win32 threads).
# Used with -DJOISTMASTER_COM_ONLY=ON: only the COM link and its test tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(JM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${JM_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${JM_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${JM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${JM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs must run without any mingw runtime DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
