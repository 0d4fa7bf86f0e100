# The version lives in project(VERSION) alone. Code reads it and the desktop id
# from the generated header <BuildInfo.h> (link brenvik_buildinfo); the package,
# the manual pages and the metainfo take them from here too.
set(BRENVIK_APP_ID org.brenvik.Brenvik)
# The day the version was released, for the metainfo and the manual pages.
set(BRENVIK_RELEASE_DATE 2026-12-08)
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in ${PROJECT_BINARY_DIR}/generated/BuildInfo.h @ONLY)
add_library(brenvik_buildinfo INTERFACE)
target_include_directories(brenvik_buildinfo INTERFACE ${PROJECT_BINARY_DIR}/generated)
