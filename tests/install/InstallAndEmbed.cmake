# Installs the build into a temporary prefix, runs the installed program there on the installed sample run,
# and builds the embedding example against the installed package.
#   cmake -DBUILD=... -DSOURCE=... -DWORK=... -P InstallAndEmbed.cmake
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nexited with ${status}\n${out}\n${err}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
set(PREFIX ${WORK}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})

# Only the public headers, under one folder.
file(GLOB_RECURSE headers RELATIVE ${PREFIX}/include ${PREFIX}/include/*)
foreach(header ${headers})
    if(NOT header MATCHES "^VNRK5LGAnViews/(host|entry|support|charts|workbench)/[A-Za-z]+\\.h$"
        AND NOT header STREQUAL "VNRK5LGAnViews/LibraryVersion.h")
        message(FATAL_ERROR "installed header ${header} is not a public one")
    endif()
endforeach()

# Nothing installed knows where the sources were built.
file(GLOB_RECURSE binaries ${PREFIX}/bin/* ${PREFIX}/lib*/*.so*)
foreach(binary ${binaries})
    file(STRINGS ${binary} found REGEX "${SOURCE}")
    if(found)
        message(FATAL_ERROR "${binary} holds the source path ${SOURCE}")
    endif()
endforeach()

# The installed program finds its configuration and styles in the prefix.
set(SAMPLE ${WORK}/sample)
file(COPY ${PREFIX}/share/VNRK5LGAnViews/samples/pima DESTINATION ${SAMPLE})
run(${PREFIX}/bin/vantorix-lr export ${SAMPLE}/pima/pima.run --out ${WORK}/export)
if(NOT EXISTS ${WORK}/export/index.html OR NOT EXISTS ${WORK}/export/roc.svg)
    message(FATAL_ERROR "the installed program exported nothing")
endif()

run(${CMAKE_COMMAND} -S ${SOURCE}/examples/embed -B ${WORK}/embed -G Ninja -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_PREFIX_PATH=${PREFIX})
run(${CMAKE_COMMAND} --build ${WORK}/embed)
# Linked and started: a missing run file is refused with its name.
execute_process(COMMAND ${WORK}/embed/embed ${WORK}/missing.run RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 2 OR NOT err MATCHES "missing.run")
    message(FATAL_ERROR "the example on a missing run: exit ${status}, ${err}")
endif()
