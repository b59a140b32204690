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
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932 -Wall -Wextra)
    if(WARNINGS_AS_ERRORS)
        add_compile_options(-Werror)
    endif()
    # A user's machine has no MinGW runtime: carry libgcc, libstdc++ and
    # winpthread inside the executable.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # Small programs: unused functions and data are left out, symbols stripped.
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
