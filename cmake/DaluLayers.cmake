# The window layer's folders and what each may include. Checked when the build is
# configured: a page that includes another page or the main window fails the configure, so
# the boundary holds without anyone remembering it.
#
# Lower layers first. A folder may include headers of the folders named after it, and its
# own; "shell" (the main window and the program's start) may include everything.
set(DALU_LAYERS
    "callbook:core"
    "rig:core"
    "wsjtx:core"
    "station:core callbook rig"
    "widgets:core station"
    "print:core"
    "storage:core station widgets print"
    "entry:core callbook rig station widgets storage"
    "browse:core station widgets storage print"
    "evaluations:core station widgets storage"
    "qsl:core station widgets storage print"
    "settings:core callbook rig station widgets storage"
    "converter/wizard:core station widgets"
    "decodes:core station widgets storage wsjtx")

function(dalu_check_layers)
    # Which folder of src/ holds each header, by file name.
    file(GLOB_RECURSE _headers RELATIVE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/*.h)
    foreach(_h IN LISTS _headers)
        get_filename_component(_dir ${_h} DIRECTORY)
        get_filename_component(_name ${_h} NAME)
        set(_where_${_name} ${_dir})
    endforeach()
    set(_violations)
    foreach(_layer IN LISTS DALU_LAYERS)
        string(REPLACE ":" ";" _parts "${_layer}")
        list(GET _parts 0 _folder)
        list(GET _parts 1 _allowed)
        string(REPLACE " " ";" _allowed "${_allowed}")
        list(APPEND _allowed ${_folder})
        file(GLOB _files ${CMAKE_SOURCE_DIR}/src/${_folder}/*.h ${CMAKE_SOURCE_DIR}/src/${_folder}/*.cpp)
        foreach(_file IN LISTS _files)
            file(STRINGS ${_file} _lines REGEX "^#include \"")
            foreach(_line IN LISTS _lines)
                string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" _inc "${_line}")
                get_filename_component(_inc ${_inc} NAME)
                set(_where "${_where_${_inc}}")
                # Not a header of src/: generated (moc) or a system header.
                if(_where AND NOT _where IN_LIST _allowed)
                    file(RELATIVE_PATH _rel ${CMAKE_SOURCE_DIR} ${_file})
                    list(APPEND _violations "${_rel} includes ${_where}/${_inc}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(_violations)
        list(JOIN _violations "\n  " _text)
        message(FATAL_ERROR "A folder of the window layer reaches above its layer:\n  ${_text}")
    endif()
endfunction()
