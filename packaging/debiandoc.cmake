# The documents Debian expects of every package: the changelog and the copyright in the package's
# documentation folder, and the manual page, each compressed as Debian compresses them (-n leaves
# the name and time out, so that an unchanged source gives an unchanged file).
find_program(GZIP gzip REQUIRED)

execute_process(COMMAND date -R -u -d ${PEBBLERUN_RELEASE_DATE}
                OUTPUT_VARIABLE PEBBLERUN_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(changelog.in ${doc_dir}/changelog @ONLY)
configure_file(pebblerun.6 ${doc_dir}/pebblerun.6 @ONLY)

# Debian's machine-readable copyright: the licence's text below its name, each line indented by
# one space and each empty line a lone dot. Debian calls the MIT licence Expat.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
list(FILTER license_lines EXCLUDE REGEX "^(MIT License|Copyright .*)$")
set(license_text "")
foreach(line IN LISTS license_lines)
    if(line STREQUAL "")
        string(APPEND license_text " .\n")
    else()
        string(APPEND license_text " ${line}\n")
    endif()
endforeach()
string(REGEX REPLACE "^ \\.\n" "" license_text "${license_text}")
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright_line REGEX "^Copyright ")
string(REGEX REPLACE "^Copyright \\(c\\) " "" PEBBLERUN_COPYRIGHT "${copyright_line}")
file(CONFIGURE OUTPUT ${doc_dir}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}
Upstream-Contact: ${PEBBLERUN_MAINTAINER}
Source: ${PROJECT_HOMEPAGE_URL}

Files: *
Copyright: ${PEBBLERUN_COPYRIGHT}
License: Expat
${license_text}")

add_custom_command(OUTPUT ${doc_dir}/changelog.gz ${doc_dir}/pebblerun.6.gz
    COMMAND ${GZIP} -9nkf changelog pebblerun.6
    WORKING_DIRECTORY ${doc_dir}
    DEPENDS ${doc_dir}/changelog ${doc_dir}/pebblerun.6
    COMMENT "Compressing the changelog and the manual page")
add_custom_target(pebblerun_debian_doc ALL DEPENDS ${doc_dir}/changelog.gz ${doc_dir}/pebblerun.6.gz)

install(FILES ${doc_dir}/changelog.gz ${doc_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${doc_dir}/pebblerun.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
