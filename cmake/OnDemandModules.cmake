# Parts of the port library built as modules of their own and opened with dlopen on first use
# (printer/outport/module/OnDemandModule.h), so that the libraries they need are mapped only by
# the processes that use them, and only from then on.
#
# Installed, modules live in LIBDIR/trovanel. The program looks for them from its own folder, so
# the build tree puts them where that path leads from its programs, which all lie one folder
# below the tree's root as the installed program lies below the prefix: no variable or search
# path is needed in either place.
include(GNUInstallDirs)
set(TROVANEL_MODULE_DESTINATION ${CMAKE_INSTALL_LIBDIR}/trovanel)
file(RELATIVE_PATH TROVANEL_MODULE_FOLDER_FROM_PROGRAM
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/trovanel)
cmake_path(ABSOLUTE_PATH TROVANEL_MODULE_FOLDER_FROM_PROGRAM BASE_DIRECTORY ${CMAKE_BINARY_DIR}/ui
    NORMALIZE OUTPUT_VARIABLE TROVANEL_MODULE_BUILD_FOLDER)

# Modules link the core's static libraries, whose code must then be position-independent.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# A module exports its entry and nothing else: the static libraries it links stay private to it.
set(TROVANEL_MODULE_EXPORTS ${CMAKE_BINARY_DIR}/module-exports.map)
file(WRITE ${TROVANEL_MODULE_EXPORTS} "{ global: TrovanelModuleEntry; local: *; };\n")

# trovanel_module(NAME SOURCES... LIBRARIES...): NAME.so, built into the build tree's module
# folder and installed into the package's.
function(trovanel_module name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
    add_library(${name} MODULE ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
    target_link_options(${name} PRIVATE -Wl,--version-script=${TROVANEL_MODULE_EXPORTS})
    set_target_properties(${name} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON LINK_DEPENDS ${TROVANEL_MODULE_EXPORTS}
        LIBRARY_OUTPUT_DIRECTORY ${TROVANEL_MODULE_BUILD_FOLDER})
    install(TARGETS ${name} LIBRARY DESTINATION ${TROVANEL_MODULE_DESTINATION})
endfunction()
