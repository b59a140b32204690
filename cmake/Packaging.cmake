# What a user downloads: a zip of the programs with the guides and the
# licence, and an MSI installer. `cmake --build <build> --target package`
# writes both into the build folder.
install(TARGETS velk tamrel RUNTIME DESTINATION .)
install(FILES README.md README.ja.md LICENSE DESTINATION .)

set(CPACK_PACKAGE_NAME velk)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(VELK_PACKAGE_NAME velk-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${VELK_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_GENERATOR ZIP)

find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
if(WIXL AND MSIBUILD)
    list(APPEND CPACK_GENERATOR External)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/Msi.cmake)
    set(CPACK_VELK_WIXL ${WIXL})
    set(CPACK_VELK_MSIBUILD ${MSIBUILD})
    set(CPACK_VELK_WXS ${CMAKE_CURRENT_LIST_DIR}/velk.wxs)
else()
    message(WARNING "wixl or msibuild (Debian's wixl and msitools) not found: no MSI package")
endif()

include(CPack)
