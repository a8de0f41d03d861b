# The catalogue of the program's texts: every text the teacher reads is written in Chinese in the
# sources, inside tr() or QCoreApplication::translate() (QT_TRANSLATE_NOOP for constants), and
# translations/vantrel_<language>.ts holds it for translators. Every catalogue in translations/ is
# compiled into the program; main() loads the one of the user's language, and without one the
# Chinese sources are shown.
#
#   cmake --build build/release --target translations   brings every catalogue up to date with the
#                                                       sources (the texts_catalogue_current test
#                                                       fails until it is run after a text changed)
#
# A new language is a new file beside the Chinese one (README: "Adding a language"); the build picks
# up every vantrel_*.ts it finds there.
find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)

file(GLOB VANTREL_CATALOGUES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/vantrel_*.ts)

add_custom_target(translations
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=$<TARGET_FILE:Qt6::lupdate> -DSOURCES=${PROJECT_SOURCE_DIR}/src
            "-DCATALOGUES=${VANTREL_CATALOGUES}" -P ${PROJECT_SOURCE_DIR}/cmake/RefreshCatalogues.cmake
    COMMENT "Bringing the catalogues in translations/ up to date with the sources" VERBATIM)

# The compiled catalogues travel inside the program, so the build tree and an installed copy find
# them alike (under :/translations).
if(VANTREL_CATALOGUES)
    qt_add_lrelease(vantrel TS_FILES ${VANTREL_CATALOGUES} QM_FILES_OUTPUT_VARIABLE _vantrel_qm_files
                    OPTIONS -silent)
    qt_add_resources(vantrel vantrel_catalogues PREFIX /translations BASE ${CMAKE_CURRENT_BINARY_DIR}
                     FILES ${_vantrel_qm_files})
endif()
