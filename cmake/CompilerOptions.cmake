# One interface target carries the project's warning, sanitizer and Windows settings, so every
# library, program and test is built the same way.
add_library(tolvan_options INTERFACE)

if(MSVC)
  target_compile_options(tolvan_options INTERFACE /W4 /permissive- /utf-8)
  if(TOLVAN_WERROR)
    target_compile_options(tolvan_options INTERFACE /WX)
  endif()
else()
  target_compile_options(tolvan_options INTERFACE -Wall -Wextra -Wpedantic)
  if(TOLVAN_WERROR)
    target_compile_options(tolvan_options INTERFACE -Werror)
  endif()
endif()

if(WIN32)
  target_compile_definitions(tolvan_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0A00 _WIN32_WINNT=0x0A00)
endif()

if(MINGW)
  # Everything the program needs from the compiler's runtime goes into the executable: it ships
  # alone, with no DLLs of the toolchain beside it.
  target_link_options(tolvan_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(TOLVAN_SANITIZE AND NOT MSVC AND NOT WIN32)
  target_compile_options(tolvan_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(tolvan_options INTERFACE -fsanitize=address,undefined)
endif()

# ThreadSanitizer and AddressSanitizer cannot share a process: each lays out its own shadow memory.
if(TOLVAN_THREAD_SANITIZER AND TOLVAN_SANITIZE)
  message(FATAL_ERROR "TOLVAN_THREAD_SANITIZER and TOLVAN_SANITIZE exclude each other")
endif()
if(TOLVAN_THREAD_SANITIZER AND NOT MSVC AND NOT WIN32)
  target_compile_options(tolvan_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tolvan_options INTERFACE -fsanitize=thread)
endif()
