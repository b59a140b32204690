# CPack's External generator runs this to build the MSI from the staged files.
# wixl builds the package; it knows no <Environment> element, so msibuild then
# adds the PATH entry (appended on install, removed on uninstall) and the
# actions that write and remove it.
set(staging "${CPACK_TEMPORARY_DIRECTORY}")
set(msi "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
set(tables "${CPACK_TOPLEVEL_DIRECTORY}/msi-tables")

execute_process(
    COMMAND "${CPACK_VELK_WIXL}" --arch x86 -D "Version=${CPACK_PACKAGE_VERSION}" -o "${msi}" "${CPACK_VELK_WXS}"
    WORKING_DIRECTORY "${staging}" # the files' sources are named from there
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl failed: ${result}")
endif()

# Tables in the installer database's text form: column names, column types,
# the table's name and key, then the rows (fields separated by tabs).
file(MAKE_DIRECTORY "${tables}")
file(WRITE "${tables}/Environment.idt"
    "Environment\tName\tValue\tComponent_\n"
    "s72\tl255\tL255\ts72\n"
    "Environment\tEnvironment\n"
    "PATH\t=-*PATH\t[~];[INSTALLDIR]\tPrograms\n")
execute_process(
    COMMAND "${CPACK_VELK_MSIBUILD}" "${msi}" -i "${tables}/Environment.idt"
            -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)"
            -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "msibuild failed: ${result}")
endif()

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
