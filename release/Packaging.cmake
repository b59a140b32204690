# What a user downloads: a zip of the programs with the guides, the licence
# and the third-party notices, an MSI installer, an SBOM, and SHA256SUMS.
# `cmake --build <build> --target package` writes them into the build folder
# (release/Package.cmake makes them).
if(MSVC)
    # The packages say what is inside the programs, which only the GNU
    # linker's map tells.
    message(STATUS "No packages from an MSVC build: they are made by the MinGW-w64 build")
    return()
endif()

install(TARGETS velk tamrel RUNTIME DESTINATION .)
install(FILES LICENSE DESTINATION .)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CPACK_VELK_PYTHON ${Python3_EXECUTABLE})

# The user's guides, both languages, as HTML pages made from the same
# Markdown by Debian's Python-Markdown; the pages for contributors
# (docs/contributing/, docs/ja/contributing/) stay out.
velk_find_python(VELK_MARKDOWN_PYTHON markdown)
if(NOT VELK_MARKDOWN_PYTHON)
    message(FATAL_ERROR "The guides' HTML pages need Python's markdown module (Debian's python3-markdown)")
endif()
file(GLOB VELK_GUIDE_PAGES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/README.ja.md
    ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/ja/*.md)
list(SORT VELK_GUIDE_PAGES)
set(VELK_GUIDES ${CMAKE_BINARY_DIR}/guides)
set(VELK_GUIDE_HTML "")
foreach(page IN LISTS VELK_GUIDE_PAGES)
    string(REGEX REPLACE "\\.md$" ".html" page "${page}")
    list(APPEND VELK_GUIDE_HTML ${VELK_GUIDES}/${page})
endforeach()
add_custom_command(OUTPUT ${VELK_GUIDE_HTML}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELK_GUIDES} # no page that has gone
    COMMAND ${VELK_MARKDOWN_PYTHON} ${PROJECT_SOURCE_DIR}/release/write_guides.py ${VELK_GUIDES}
        ${PROJECT_SOURCE_DIR} ${VELK_GUIDE_PAGES}
    DEPENDS ${VELK_GUIDE_PAGES} release/write_guides.py
    COMMENT "Writing the guides' HTML pages")
add_custom_target(guides ALL DEPENDS ${VELK_GUIDE_HTML})
install(DIRECTORY ${VELK_GUIDES}/ DESTINATION .)

# The toolchain's code inside the programs, read from their link maps, and
# the licence texts that must go with it.
get_property(VELK_MAPS GLOBAL PROPERTY VELK_LINK_MAPS) # PROGRAM.exe=MAP, from cmake/Programs.cmake
set(VELK_NOTICES ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
add_custom_command(OUTPUT ${VELK_NOTICES}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/release/write_notices.py ${VELK_NOTICES} ${VELK_MAPS}
    DEPENDS velk tamrel release/write_notices.py release/toolchain_components.py
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Writing THIRD-PARTY-NOTICES.txt")
add_custom_target(notices ALL DEPENDS ${VELK_NOTICES})
install(FILES ${VELK_NOTICES} DESTINATION .)
set(CPACK_VELK_MAPS ${VELK_MAPS})

include(${PROJECT_SOURCE_DIR}/cmake/SourceDate.cmake)

set(CPACK_PACKAGE_NAME velk)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(VELK_PACKAGE_NAME velk-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${VELK_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# CPack works in a folder of its own, where it also leaves its metadata
# (which names the build folder); the package script writes what ships, and
# SHA256SUMS, into the build folder, and nothing else.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)
set(CPACK_VELK_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
set(CPACK_VELK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_VELK_SOURCE_DATE_EPOCH ${VELK_SOURCE_DATE_EPOCH})

# The MSI. The UpgradeCode stays the same in every version, so that a newer
# package replaces an older one; the product code is a name-based UUID of the
# version, so each version has its own and the same version always the same.
set(CPACK_VELK_UPGRADE_CODE 1A702FA7-DD72-42A9-B3BE-119E52E435AB)
string(UUID CPACK_VELK_PRODUCT_CODE NAMESPACE ${CPACK_VELK_UPGRADE_CODE} NAME "velk ${PROJECT_VERSION}" TYPE SHA1 UPPER)
find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
# The summary step needs olefile.
velk_find_python(VELK_MSI_PYTHON olefile)
if(WIXL AND MSIBUILD AND VELK_MSI_PYTHON)
    set(CPACK_VELK_WIXL ${WIXL})
    set(CPACK_VELK_MSIBUILD ${MSIBUILD})
    set(CPACK_VELK_MSI_PYTHON ${VELK_MSI_PYTHON})
else()
    message(WARNING "wixl, msibuild or Python's olefile (Debian's wixl, msitools and python3-olefile) not found: no MSI package")
endif()

# Signing, with a certificate (PEM, the signer's first when it is a chain)
# and its private key (PEM).
set(VELK_SIGN_CERTIFICATE "" CACHE FILEPATH "PEM certificate (or chain, signer first) that signs the programs and the MSI")
set(VELK_SIGN_KEY "" CACHE FILEPATH "PEM private key of VELK_SIGN_CERTIFICATE")
set(VELK_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signatures (optional)")
if(VELK_SIGN_CERTIFICATE AND VELK_SIGN_KEY)
    find_program(OSSLSIGNCODE osslsigncode REQUIRED)
    set(CPACK_VELK_OSSLSIGNCODE ${OSSLSIGNCODE})
    set(CPACK_VELK_SIGN_CERTIFICATE ${VELK_SIGN_CERTIFICATE})
    set(CPACK_VELK_SIGN_KEY ${VELK_SIGN_KEY})
    set(CPACK_VELK_SIGN_TIMESTAMP_URL ${VELK_SIGN_TIMESTAMP_URL})
    message(STATUS "Packages are signed with ${VELK_SIGN_CERTIFICATE}")
elseif(VELK_SIGN_CERTIFICATE OR VELK_SIGN_KEY)
    message(FATAL_ERROR "VELK_SIGN_CERTIFICATE and VELK_SIGN_KEY go together: set both to sign, or neither")
else()
    message(STATUS "Packages are not signed (set VELK_SIGN_CERTIFICATE and VELK_SIGN_KEY to sign them)")
endif()

# The package managers' manifests, made from the final zip and MSI: they
# need the web folder that the release's files will be downloaded from.
set(VELK_RELEASE_URL "" CACHE STRING "Web folder the release's files are downloaded from; set, winget and scoop manifests are written")
set(VELK_HOMEPAGE_URL "" CACHE STRING "The project's home page for the manifests (VELK_RELEASE_URL when empty)")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Starts a program with administrator rights, and sets a local account's password, from the command line.")
if(VELK_RELEASE_URL)
    velk_find_python(VELK_YAML_PYTHON yaml)
    if(NOT VELK_YAML_PYTHON)
        message(FATAL_ERROR "The winget manifests need Python's yaml module (Debian's python3-yaml)")
    endif()
    set(CPACK_VELK_YAML_PYTHON ${VELK_YAML_PYTHON})
    set(CPACK_VELK_RELEASE_URL ${VELK_RELEASE_URL})
    set(CPACK_VELK_HOMEPAGE_URL ${VELK_HOMEPAGE_URL})
    if(NOT CPACK_VELK_HOMEPAGE_URL)
        set(CPACK_VELK_HOMEPAGE_URL ${VELK_RELEASE_URL})
    endif()
    set(CPACK_VELK_MANIFESTS ${CMAKE_BINARY_DIR}/manifests)
    message(STATUS "winget and scoop manifests for ${VELK_RELEASE_URL} go to ${CPACK_VELK_MANIFESTS}")
else()
    message(STATUS "No winget or scoop manifests (set VELK_RELEASE_URL to the web folder of the release's files to have them)")
endif()

include(CPack)
