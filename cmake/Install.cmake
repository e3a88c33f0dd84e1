# What `cmake --install` puts under the prefix: the program, both libraries with their public headers under
# include/VNRK5LGAnViews, the data folders under share/VNRK5LGAnViews and the CMake package.

# The headers a host includes, each with its place under include/VNRK5LGAnViews: what the library's host
# interfaces need and the workbench's embedding calls. Nothing else is installed.
set(LRV_PUBLIC_HEADERS
    src/entry/LogisticRegression.h=entry/LogisticRegression.h
    src/entry/Controls.h=entry/Controls.h
    src/support/ControlRegistry.h=support/ControlRegistry.h
    src/charts/ChartInterfaces.h=charts/ChartInterfaces.h
    src/support/Error.h=support/Error.h
    src/support/OleColor.h=support/OleColor.h
    src/support/Platform.h=support/Platform.h
    src/support/Table.h=support/Table.h
    src/support/Variant.h=support/Variant.h
    workbench/embed/Workbench.h=workbench/Workbench.h
    workbench/presenters/WorkbenchHostCore.h=workbench/WorkbenchHostCore.h)
file(GLOB LRV_HOST_HEADERS RELATIVE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/host/*.h)
foreach(header ${LRV_HOST_HEADERS})
    list(APPEND LRV_PUBLIC_HEADERS src/${header}=${header})
endforeach()

# The public copies include each other as <VNRK5LGAnViews/...>; a public header that includes a header
# that is not public stops the configuration.
set(LRV_PUBLIC_ROOT ${CMAKE_BINARY_DIR}/public/VNRK5LGAnViews)
set(LRV_PUBLIC_INCLUDES "")
foreach(pair ${LRV_PUBLIC_HEADERS})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 source)
    string(REGEX REPLACE "^(src|workbench)/" "" included "${source}")
    list(GET pair 1 place)
    list(APPEND LRV_PUBLIC_INCLUDES "${included}=${place}")
endforeach()
foreach(pair ${LRV_PUBLIC_HEADERS})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 place)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    file(READ ${PROJECT_SOURCE_DIR}/${source} text)
    string(REGEX MATCHALL "#include \"[^\"]+\"" includes "${text}")
    foreach(include ${includes})
        string(REGEX REPLACE "#include \"([^\"]+)\"" "\\1" included "${include}")
        set(target "")
        foreach(known ${LRV_PUBLIC_INCLUDES})
            if(known MATCHES "^${included}=(.*)$")
                set(target ${CMAKE_MATCH_1})
            endif()
        endforeach()
        if(NOT target AND included STREQUAL "LibraryVersion.h")
            set(target LibraryVersion.h)
        endif()
        if(NOT target)
            message(FATAL_ERROR "The public header ${source} includes ${included}, which is not public.")
        endif()
        string(REPLACE "${include}" "#include <VNRK5LGAnViews/${target}>" text "${text}")
    endforeach()
    file(WRITE ${LRV_PUBLIC_ROOT}/${place} "${text}")
    get_filename_component(folder ${place} DIRECTORY)
    install(FILES ${LRV_PUBLIC_ROOT}/${place} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/VNRK5LGAnViews/${folder})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/src/generated/LibraryVersion.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/VNRK5LGAnViews)

# The program and the libraries find these relative to themselves (share/VNRK5LGAnViews); the build tree
# links them to the sources, so that built programs find them the same way.
set(LRV_DATA_FOLDERS config styles help samples)
foreach(folder ${LRV_DATA_FOLDERS})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/VNRK5LGAnViews)
    if(NOT EXISTS ${CMAKE_BINARY_DIR}/share/VNRK5LGAnViews/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${CMAKE_BINARY_DIR}/share/VNRK5LGAnViews/${folder} SYMBOLIC)
    endif()
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} DESTINATION ${CMAKE_INSTALL_DATADIR}/VNRK5LGAnViews)
endforeach()

include(CMakePackageConfigHelpers)
set(LRV_INSTALLED_TARGETS VNRK5LGAnViews)
if(TARGET VNRK5LGAnViewsWorkbench)
    list(APPEND LRV_INSTALLED_TARGETS VNRK5LGAnViewsWorkbench vantorix-lr)
endif()
install(TARGETS ${LRV_INSTALLED_TARGETS} EXPORT VNRK5LGAnViewsTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT VNRK5LGAnViewsTargets NAMESPACE VNRK5LGAnViews::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VNRK5LGAnViews)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VNRK5LGAnViewsConfig.cmake.in
    ${CMAKE_BINARY_DIR}/VNRK5LGAnViewsConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VNRK5LGAnViews)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VNRK5LGAnViewsConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VNRK5LGAnViewsConfig.cmake ${CMAKE_BINARY_DIR}/VNRK5LGAnViewsConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VNRK5LGAnViews)
