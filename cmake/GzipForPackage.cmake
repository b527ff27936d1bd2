# Compresses SOURCE into OUTPUT at build time as Debian ships manual pages and changelogs:
# gzip -9 without the file's name and time stamp, so the package builds reproducibly.
function(trovanel_gzip target source output)
    find_program(GZIP_PROGRAM gzip REQUIRED)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${output}
        DEPENDS ${source}
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
