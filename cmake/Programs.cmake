# The two shipped programs are made the same way: an entry point linked
# against the program's core library, and one .rc holding its manifest
# (asInvoker) and its version resource, made from the templates in
# resources/ with the version that project() names.
set(VERSION_DOTS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)

# add_shipped_program(TARGET CORE DESCRIPTION): TARGET.exe from main.cpp in
# the calling folder, linked against CORE, with DESCRIPTION as its file
# description.
function(add_shipped_program target core description)
    set(PROGRAM ${target})
    set(DESCRIPTION ${description})
    set(dir ${CMAKE_BINARY_DIR}/resources)
    configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${dir}/${target}.manifest @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/program.rc.in ${dir}/${target}.rc @ONLY)
    add_executable(${target} main.cpp ${dir}/${target}.rc)
    if(NOT MSVC)
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common/Terminate.cpp
                                         ${PROJECT_SOURCE_DIR}/common/StackGuard.cpp)
        target_link_libraries(${target} PRIVATE advapi32)
        # wmain: the runtime makes no code page copy of the command line.
        target_link_options(${target} PRIVATE -municode)
        # The linker's map names every archive and object that the program
        # took code from: the release's notices and SBOM are read from it.
        set(map ${CMAKE_BINARY_DIR}/maps/${target}.map)
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/maps)
        target_link_options(${target} PRIVATE "-Wl,-Map=${map}")
        set_property(GLOBAL APPEND PROPERTY VELK_LINK_MAPS ${target}.exe=${map})
    endif()
    target_link_libraries(${target} PRIVATE ${core})
endfunction()
