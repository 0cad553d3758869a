# QM_SOURCE_DATE_EPOCH: the time that stands for this source tree in what the build packs, so
# that two builds of one commit give the same packages. SOURCE_DATE_EPOCH from the environment
# when configuring; otherwise the commit time of HEAD; without git, empty (the files' own times).
set(QM_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(QM_SOURCE_DATE_EPOCH STREQUAL "")
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE QM_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE git_result ERROR_QUIET)
    if(NOT git_result EQUAL 0)
      set(QM_SOURCE_DATE_EPOCH "")
    endif()
    # A new commit or checkout configures again, so that the time follows HEAD.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(git_dir AND EXISTS ${git_dir}/logs/HEAD)
      set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
    endif()
  endif()
  if(QM_SOURCE_DATE_EPOCH STREQUAL "")
    message(STATUS "No SOURCE_DATE_EPOCH and no git commit: packages keep their files' own times")
  endif()
endif()
