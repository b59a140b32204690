# CPack's External generator runs this on the staged files. It makes what a
# user downloads, so that the same source gives the same bytes: the
# programs, signed when a certificate is given; the zip and, where wixl and
# msibuild are found, the MSI, each with the programs, the guides' HTML
# pages, the licence and the notices; the SBOM of the programs as shipped;
# and SHA256SUMS over the zip, the MSI and the SBOM. Every time stamp is
# CPACK_VELK_SOURCE_DATE_EPOCH.
set(staging "${CPACK_TEMPORARY_DIRECTORY}")
set(out "${CPACK_VELK_OUTPUT_DIRECTORY}")
# The staging install's list of what it installed names the build folder.
file(REMOVE "${CPACK_VELK_OUTPUT_DIRECTORY}/install_manifest.txt")
set(epoch "${CPACK_VELK_SOURCE_DATE_EPOCH}")
set(zip "${out}/${CPACK_PACKAGE_FILE_NAME}.zip")
set(msi "${out}/${CPACK_PACKAGE_FILE_NAME}.msi")
set(sbom "${out}/${CPACK_PACKAGE_FILE_NAME}.cdx.json")
set(sums "${out}/SHA256SUMS")
# The guides' HTML pages, in their folders (docs/, docs/ja/).
file(GLOB_RECURSE files RELATIVE "${staging}" "${staging}/*.html")
list(APPEND files LICENSE THIRD-PARTY-NOTICES.txt tamrel.exe velk.exe)
list(SORT files)

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed: ${result}")
    endif()
endfunction()

# Authenticode, SHA-256. The signing time is the source date, so a signed
# release is reproducible too; with a time-stamp server, its time counts.
function(sign file)
    set(when -time ${epoch})
    if(CPACK_VELK_SIGN_TIMESTAMP_URL)
        set(when -ts "${CPACK_VELK_SIGN_TIMESTAMP_URL}")
    endif()
    file(REMOVE "${file}.signed")
    run("Signing ${file}" "${CPACK_VELK_OSSLSIGNCODE}" sign -certs "${CPACK_VELK_SIGN_CERTIFICATE}"
        -key "${CPACK_VELK_SIGN_KEY}" -h sha256 -n velk ${when} -in "${file}" -out "${file}.signed")
    file(RENAME "${file}.signed" "${file}")
endfunction()

# The texts as Windows' own editors read them: CR LF line ends (Notepad
# before Windows 10 1809, and so on Windows Server 2016, shows LF-only text
# as one line). The repository's copies keep theirs.
foreach(name LICENSE THIRD-PARTY-NOTICES.txt)
    file(READ "${staging}/${name}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${staging}/${name}" "${text}")
endforeach()

if(CPACK_VELK_SIGN_CERTIFICATE)
    sign("${staging}/velk.exe")
    sign("${staging}/tamrel.exe")
endif()

run("Writing the zip" "${CPACK_VELK_PYTHON}" "${CPACK_VELK_SOURCE_DIR}/release/write_zip.py" "${zip}" ${epoch} "${staging}" ${files})
set(built "${zip}")

if(CPACK_VELK_WIXL)
    # The cabinet dates each file by its modification time, in local time.
    foreach(name IN LISTS files)
        run("Dating ${name}" touch -d "@${epoch}" "${staging}/${name}")
    endforeach()
    file(REMOVE "${msi}")
    run("wixl" "${CMAKE_COMMAND}" -E env TZ=UTC
        "${CPACK_VELK_WIXL}" --arch x86 -D "Version=${CPACK_PACKAGE_VERSION}" -D "ProductCode=${CPACK_VELK_PRODUCT_CODE}"
        -o "${msi}" "${CPACK_VELK_SOURCE_DIR}/release/velk.wxs"
        WORKING_DIRECTORY "${staging}") # the files' sources are named from there

    # wixl knows no <Environment> element: msibuild adds the PATH entry
    # (appended on install, removed on uninstall) and the actions that write
    # and remove it. Tables in the installer database's text form: column
    # names, column types, the table's name and key, then the rows.
    # The entry is the install folder without the backslash that
    # [INSTALLDIR] always ends with: velk's index treats a PATH entry as
    # covering a folder only when it is that folder's very text. No table
    # can cut a character, so a JScript action (type 37, its text in Target)
    # does, once the folders are resolved, for a custom INSTALLDIR too.
    set(tables "${CPACK_TOPLEVEL_DIRECTORY}/msi-tables")
    file(MAKE_DIRECTORY "${tables}")
    file(WRITE "${tables}/Environment.idt"
        "Environment\tName\tValue\tComponent_\n"
        "s72\tl255\tL255\ts72\n"
        "Environment\tEnvironment\n"
        "PATH\t=-*PATH\t[~];[VELKPATHENTRY]\tPrograms\n")
    file(WRITE "${tables}/CustomAction.idt"
        "Action\tType\tSource\tTarget\n"
        "s72\ti2\tS72\tS255\n"
        "CustomAction\tAction\n"
        "VelkPathEntry\t37\t\tvar d = Session.Property(\"INSTALLDIR\"); "
        "if (d.charAt(d.length - 1) == String.fromCharCode(92)) d = d.substring(0, d.length - 1); "
        "Session.Property(\"VELKPATHENTRY\") = d;\n")
    # The folder is remembered in the registry and found again (AppSearch)
    # when the package is removed or upgraded: without it, INSTALLDIR would
    # be the default folder then, and a custom folder's PATH entry would stay.
    set(remembered "`Root`, `Key`, `Name`")
    set(place "2, 'Software\\Orvane\\velk', 'InstallDir'")
    run("msibuild" "${CPACK_VELK_MSIBUILD}" "${msi}" -i "${tables}/Environment.idt" -i "${tables}/CustomAction.idt"
        -q "INSERT INTO `Registry` (`Registry`, ${remembered}, `Value`, `Component_`) VALUES ('VelkInstallDir', ${place}, '[INSTALLDIR]', 'Programs')"
        -q "INSERT INTO `RegLocator` (`Signature_`, ${remembered}, `Type`) VALUES ('VelkInstallDir', ${place}, 2)"
        -q "INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('INSTALLDIR', 'VelkInstallDir')"
        -q "INSERT INTO `InstallUISequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveRegistryValues', 2600)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteRegistryValues', 5000)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('VelkPathEntry', 1010)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)")

    # The times and the package code that neither tool lets us choose.
    run("Setting the MSI's summary" "${CPACK_VELK_MSI_PYTHON}" "${CPACK_VELK_SOURCE_DIR}/release/set_msi_summary.py"
        "${msi}" ${epoch} "${CPACK_VELK_UPGRADE_CODE}")
    if(CPACK_VELK_SIGN_CERTIFICATE)
        sign("${msi}")
    endif()
    list(APPEND built "${msi}")
endif()

# Of the programs as the packages hold them, signatures included.
run("Writing the SBOM" "${CPACK_VELK_PYTHON}" "${CPACK_VELK_SOURCE_DIR}/release/write_sbom.py" "${sbom}"
    ${CPACK_PACKAGE_VERSION} ${epoch} "${staging}" ${CPACK_VELK_MAPS})
list(APPEND built "${sbom}")

# In the form that `sha256sum -c` reads.
set(lines "")
foreach(package IN LISTS built)
    file(SHA256 "${package}" hash)
    get_filename_component(name "${package}" NAME)
    string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE "${sums}" "${lines}")

# Last, from the files as users will download them.
if(CPACK_VELK_RELEASE_URL)
    set(about ${CPACK_PACKAGE_VERSION} "${CPACK_VELK_RELEASE_URL}" "${CPACK_VELK_HOMEPAGE_URL}"
        "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}")
    file(REMOVE_RECURSE "${CPACK_VELK_MANIFESTS}")
    run("Writing the scoop manifest" "${CPACK_VELK_PYTHON}" "${CPACK_VELK_SOURCE_DIR}/release/write_scoop.py"
        "${CPACK_VELK_MANIFESTS}/scoop/velk.json" "${zip}" ${about})
    if(CPACK_VELK_WIXL)
        run("Writing the winget manifests" "${CPACK_VELK_YAML_PYTHON}" "${CPACK_VELK_SOURCE_DIR}/release/write_winget.py"
            "${CPACK_VELK_MANIFESTS}/winget" "${msi}" ${about})
    else()
        message(WARNING "No MSI, so no winget manifests")
    endif()
endif()

set(CPACK_EXTERNAL_BUILT_PACKAGES ${built} "${sums}")
