# One static library per layer, lanhe_<room>, built from src/<room>. A room's headers are
# included as "<room>/file.h" through a folder of the build tree that holds one link, <room>, to
# src/<room>: a library sees its own room and the rooms of the layers it links, and no other,
# so an include that goes up a layer or across to a sibling does not compile.
function(lanhe_expose_room target room)
    set(view ${PROJECT_BINARY_DIR}/rooms/${room})
    file(MAKE_DIRECTORY ${view})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${room} ${view}/${room} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0)
        # A Windows host may refuse links to users without the right to make them: there the
        # rooms are seen whole, and the layers are kept apart by the builds the tests run in.
        set(view ${PROJECT_SOURCE_DIR}/src)
    endif()
    target_include_directories(${target} PUBLIC ${view})
endfunction()

# lanhe_add_layer(<room> <rooms below it that it uses>...)
function(lanhe_add_layer room)
    add_library(lanhe_${room} STATIC)
    lanhe_expose_room(lanhe_${room} ${room})
    list(TRANSFORM ARGN PREPEND lanhe_ OUTPUT_VARIABLE below)
    target_link_libraries(lanhe_${room} PUBLIC ${below})
    lanhe_enable_warnings(lanhe_${room})
    add_subdirectory(src/${room})
endfunction()
