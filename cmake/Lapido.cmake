# Build helpers shared by every module.
#
# Layering: includes are rooted at the repository root ("geometry/CutMesh.h"), but the root
# itself is never an include path. Each module publishes only its own folder, through a
# private include root in the build tree, so a header of a module that a target does not
# link cannot be found and a wrong include fails to build.

set(LAPIDO_WARNINGS -Wall -Wextra -Wshadow -Woverloaded-virtual)

function(lapido_target_options target)
    target_compile_options(${target} PRIVATE ${LAPIDO_WARNINGS})
    if(LAPIDO_STRICT)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(LAPIDO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# lapido_module(<name> SOURCES ... [PUBLIC_DEPS ...] [DEPS ...])
# A static library named after its folder, whose headers are reachable as "<name>/X.h"
# by itself and by whatever links it, and by nothing else. PUBLIC_DEPS are what its headers
# include, and reach whatever links it too; DEPS only its own sources use, so a module's
# users never see (nor can include) what it keeps behind its sources.
function(lapido_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;DEPS" ${ARGN})
    set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${name})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${root})
    if(ARG_PUBLIC_DEPS)
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS})
    endif()
    if(ARG_DEPS)
        target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    endif()
    lapido_target_options(${name})
endfunction()
