# Authenticode signing of the Windows programs, decided when building, not when configuring:
# scripts/sign.sh signs when the build's environment names a certificate and copies otherwise,
# so that no certificate path or password is ever kept in the CMake cache.
set(QM_SIGN ${PROJECT_SOURCE_DIR}/scripts/sign.sh)
set(QM_SIGNING_STATE ${PROJECT_BINARY_DIR}/signing.state)

# Runs at every build; its file changes only when the environment asks for other signing, so a
# build with another certificate, or none, signs again, and an unchanged one does nothing.
add_custom_target(signing_state
  COMMAND ${QM_SIGN} state ${QM_SIGNING_STATE}
  BYPRODUCTS ${QM_SIGNING_STATE}
  VERBATIM)

# qm_signed_copy(IN OUT NAME DEPENDS...): OUT is the program IN, signed under the description NAME
# when signing is asked for.
function(qm_signed_copy in out name)
  get_filename_component(file ${out} NAME)
  add_custom_command(OUTPUT ${out}
    COMMAND ${QM_SIGN} copy ${in} ${out} ${name}
    DEPENDS ${ARGN} ${QM_SIGN} signing_state ${QM_SIGNING_STATE}
    COMMENT "Signing ${file} if a certificate is given"
    VERBATIM)
endfunction()
