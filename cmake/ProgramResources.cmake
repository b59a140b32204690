# One .rc per program, holding its manifest (asInvoker) and its version
# resource, made from the templates in resources/ with the version that
# project() names.
set(VERSION_DOTS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)

function(add_program_resources target description)
    set(PROGRAM ${target})
    set(DESCRIPTION ${description})
    set(dir ${CMAKE_BINARY_DIR}/resources)
    configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${dir}/${target}.manifest @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/program.rc.in ${dir}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${dir}/${target}.rc)
endfunction()
