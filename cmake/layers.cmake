# The build's targets are the game's layers. A layer is a library of one folder; it links the
# layers below it that it uses, and its sources may include only their headers. Each layer's
# folder and arrows are stated once, here in the build, and `kelvar_write_layers()` hands them to
# the include check that `make test` runs (tests/layers).
#
#   kelvar_layer(NAME [INTERFACE] FOLDER folder SOURCES ... [USES layer ...] [LIBS target ...]
#                [SYSTEM sdl os])
# FOLDER is below src/; SOURCES are relative to src/. USES names the layers below that this one
# may include and links them; LIBS are libraries from outside. SYSTEM: the kinds of system header
# the layer may include: SDL's, and the operating system's.

function(kelvar_layer name)
    cmake_parse_arguments(L "INTERFACE" "FOLDER" "SOURCES;USES;LIBS;SYSTEM" ${ARGN})
    # A declared folder of another layer's library is an arrow for the check, not a link.
    set(links ${L_LIBS})
    foreach(used IN LISTS L_USES)
        if(TARGET ${used})
            list(APPEND links ${used})
        endif()
    endforeach()
    if(L_INTERFACE)
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${links})
    else()
        add_library(${name} STATIC ${L_SOURCES})
        target_link_libraries(${name} PUBLIC ${links})
    endif()
    kelvar_declare_layer(${name} ${L_FOLDER} USES ${L_USES} SYSTEM ${L_SYSTEM})
endfunction()

# A folder with arrows of its own inside a layer's library (the core's sub-folders), or a layer
# the build makes another way.
function(kelvar_declare_layer name folder)
    cmake_parse_arguments(L "" "" "USES;SYSTEM" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY KELVAR_LAYERS ${name})
    set_property(GLOBAL PROPERTY KELVAR_LAYER_FOLDER_${name} src/${folder})
    set_property(GLOBAL PROPERTY KELVAR_LAYER_USES_${name} ${L_USES})
    set_property(GLOBAL PROPERTY KELVAR_LAYER_SYSTEM_${name} ${L_SYSTEM})
endfunction()

function(kelvar_layer_closure name out)
    set(seen)
    set(todo ${name})
    while(todo)
        list(POP_FRONT todo next)
        if(next IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${next})
        get_property(uses GLOBAL PROPERTY KELVAR_LAYER_USES_${next})
        list(APPEND todo ${uses})
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Writes, for every layer, its folder, the folders it may include and its system headers.
function(kelvar_write_layers file)
    get_property(layers GLOBAL PROPERTY KELVAR_LAYERS)
    set(text "")
    foreach(layer IN LISTS layers)
        get_property(folder GLOBAL PROPERTY KELVAR_LAYER_FOLDER_${layer})
        get_property(kinds GLOBAL PROPERTY KELVAR_LAYER_SYSTEM_${layer})
        kelvar_layer_closure(${layer} reach)
        set(folders)
        foreach(other IN LISTS reach)
            get_property(f GLOBAL PROPERTY KELVAR_LAYER_FOLDER_${other})
            list(APPEND folders ${f})
        endforeach()
        list(JOIN folders " " folders)
        list(JOIN kinds " " kinds)
        string(APPEND text "${folder} | ${folders} | ${kinds}\n")
    endforeach()
    file(WRITE ${file} "${text}")
endfunction()
