# velk_find_python(VAR MODULE): a Python that can import MODULE, for the
# release's tools and tests. Debian's python3-* packages serve the system's
# Python, which may not be the first on the PATH. Empty when none can.
function(velk_find_python var module)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    foreach(python IN ITEMS "${Python3_EXECUTABLE}" /usr/bin/python3)
        if(EXISTS "${python}")
            execute_process(COMMAND "${python}" -c "import ${module}" RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
            if(result EQUAL 0)
                set(${var} "${python}" PARENT_SCOPE)
                return()
            endif()
        endif()
    endforeach()
    set(${var} "" PARENT_SCOPE)
endfunction()
