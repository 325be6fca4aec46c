# m47_include_root(target area): called from the area's folder. Each library publishes exactly
# one include root: a folder in the build tree that holds a single link, <root>/<area> -> the
# area's source folder. A target sees "area/header.h" only for the
# areas it links, so an include the wrong way round (the sentence library reaching for Qt or the
# serial side, the device logic reaching for the window) fails to compile.
function(m47_include_root target area)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${area})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${area})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${area} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# m47_add_folders(folder...): every folder named must have its CMakeLists.txt; a missing one
# stops the configuration instead of leaving part of the system out without a word.
function(m47_add_folders)
    foreach(dir ${ARGN})
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt is missing")
        endif()
        add_subdirectory(${dir})
    endforeach()
endfunction()
