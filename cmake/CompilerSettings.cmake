# Compiler settings shared by every target of the project.
option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# The sources are UTF-8; every narrow literal must reach the console as CP932
# bytes, as the Japanese systems the programs are made for expect.
if(MSVC)
    add_compile_options(/source-charset:utf-8 /execution-charset:.932 /W4)
    if(WARNINGS_AS_ERRORS)
        add_compile_options(/WX)
    endif()
else()
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932 -Wall -Wextra
        -Wshadow -Wconversion -Wsign-conversion)
    if(WARNINGS_AS_ERRORS)
        add_compile_options(-Werror)
    endif()
    # A user's machine has no MinGW runtime: carry libgcc, libstdc++ and
    # winpthread inside the executable.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # Small programs: -O2, not CMake's -O3 for a release, whose unrolled and
    # inlined copies make a program that starts one process larger and no
    # faster; unused functions and data are left out, symbols stripped.
    set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
    # Hardened: stack buffers guarded, the string and memory functions checked
    # where their sizes are known (that needs the optimizer), loaded at a
    # random address (relocations kept), no executable data, and aware of
    # terminal servers, so Windows gives them no compatibility shims.
    add_compile_options(-fstack-protector-strong)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
    # The same source gives the same bytes: no time stamp in the PE header,
    # and no path of the source or build folder in the output.
    add_link_options(-Wl,--no-insert-timestamp)
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
endif()

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
