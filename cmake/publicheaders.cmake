# A library shows the others only the headers it names as public: they are linked into a folder
# of the build, and that folder, not the library's source folder, is what its users see. A header
# that is not named stays the library's own business, so changing it cannot break another.
# The tests and benchmarks look inside: pellmoor_internals carries every library's source folder.
add_library(pellmoor_internals INTERFACE)

# pellmoor_public_headers(TARGET [HEADERS header...]) for a library declared in this folder.
function(pellmoor_public_headers target)
    cmake_parse_arguments(P "" "" "HEADERS" ${ARGN})
    set(dir ${CMAKE_BINARY_DIR}/include/${target})
    # Made afresh, so that a header taken off the list is gone from the folder too.
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${dir})
    foreach(header IN LISTS P_HEADERS)
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
            message(FATAL_ERROR "${target}: public header ${header} does not exist")
        endif()
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${dir}/${header}
            SYMBOLIC COPY_ON_ERROR)
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL INTERFACE_LIBRARY)
        target_include_directories(${target} INTERFACE ${dir})
    else()
        target_include_directories(${target} PUBLIC ${dir} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    target_include_directories(pellmoor_internals INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
