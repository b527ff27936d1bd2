# Keeps the translation catalogues (TS_FOLDER/trovanel_*.ts) in step with the sources under
# SOURCES, whose includes are relative to ROOT, with LUPDATE. MODE=update rewrites them: new
# texts come in unfinished, vanished ones go. MODE=check updates copies in WORK_DIR and fails
# when that changed anything or when a text is unfinished there, naming those texts.
file(GLOB catalogues ${TS_FOLDER}/trovanel_*.ts)
set(lupdate_options -locations none -no-obsolete -silent -I ${ROOT})

if(MODE STREQUAL "update")
    execute_process(COMMAND ${LUPDATE} ${lupdate_options} ${SOURCES} -ts ${catalogues}
        COMMAND_ERROR_IS_FATAL ANY)
    return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(catalogue ${catalogues})
    get_filename_component(name ${catalogue} NAME)
    file(COPY ${catalogue} DESTINATION ${WORK_DIR})
    execute_process(COMMAND ${LUPDATE} ${lupdate_options} ${SOURCES} -ts ${WORK_DIR}/${name}
        COMMAND_ERROR_IS_FATAL ANY)
    file(READ ${catalogue} kept)
    file(READ ${WORK_DIR}/${name} updated)
    if(NOT kept STREQUAL updated)
        message(SEND_ERROR "${name} is not current: texts were added to or removed from the "
            "sources. Run `make translations-update` and translate what it marks unfinished.")
    endif()
    # New texts are unfinished in the updated copy, as are the ones left untranslated.
    string(REGEX MATCHALL
        "<source>[^<]*</source>[ \n]*(<comment>[^<]*</comment>[ \n]*)?<translation type=\"unfinished\""
        unfinished "${updated}")
    foreach(entry ${unfinished})
        string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
        message(SEND_ERROR "${name}: unfinished: ${text}")
    endforeach()
endforeach()
if(NOT catalogues)
    message(SEND_ERROR "no catalogues in ${TS_FOLDER}")
endif()
