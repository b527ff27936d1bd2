# cmake -DBUILD_DIR=... -DSTAGE_DIR=... -P StageInstall.cmake: installs the build into an
# empty STAGE_DIR laid out as the package installs it, for checks on the installed files.
file(REMOVE_RECURSE ${STAGE_DIR})
set(ENV{DESTDIR} ${STAGE_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
