# The release of a distribution: the zip a user downloads, SHA256SUMS and a winget manifest, all
# in <build>/release, written by MakeRelease.py. Like the rest of the build it is reproducible:
# file times come from QM_SOURCE_DATE_EPOCH (cmake/SourceDateEpoch.cmake).
include(SourceDateEpoch)
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(QM_RELEASE_URL "" CACHE STRING
  "Where users will download the release zip from, for the winget manifest (empty: a placeholder under example.invalid)")

# qm_release(VERSION version FILES file...): the target `release`, zipping the files in the given
# order under Quillmark-<version>.zip.
function(qm_release)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "VERSION" "FILES")
  set(out ${CMAKE_BINARY_DIR}/release)
  set(url "${QM_RELEASE_URL}")
  if(url STREQUAL "")
    # example.invalid never resolves, yet the manifest still validates.
    set(url https://example.invalid/Quillmark-${arg_VERSION}.zip)
  endif()
  set(outputs ${out}/Quillmark-${arg_VERSION}.zip ${out}/SHA256SUMS ${out}/Penwright.Quillmark.yaml
      ${out}/Penwright.Quillmark.installer.yaml ${out}/Penwright.Quillmark.locale.en-US.yaml)
  set(script ${PROJECT_SOURCE_DIR}/cmake/MakeRelease.py)
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${Python3_EXECUTABLE} ${script} --out ${out} --version ${arg_VERSION} --url ${url}
            --epoch=${QM_SOURCE_DATE_EPOCH} ${arg_FILES}
    DEPENDS ${arg_FILES} ${script}
    COMMENT "Writing the release of Quillmark ${arg_VERSION} into ${out}"
    VERBATIM)
  add_custom_target(release DEPENDS ${outputs})
endfunction()
