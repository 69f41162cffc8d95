# Makes the Debian package as `cmake --build build --target package` does, into a directory of
# its own, and checks its name, the files it holds and what it depends on.
file(REMOVE_RECURSE "${OUTPUT}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUTPUT}"
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}\n${log}")
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(package "${OUTPUT}/quorvane_${VERSION}_${architecture}.deb")
if(NOT EXISTS "${package}")
    file(GLOB made "${OUTPUT}/*.deb")
    message(FATAL_ERROR "no ${package}; cpack made: ${made}")
endif()

execute_process(COMMAND dpkg-deb -c "${package}" OUTPUT_VARIABLE contents RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -c failed: ${result}")
endif()
foreach(installed
        usr/bin/quorvane
        usr/share/applications/io.github.quorvane.Quorvane.desktop
        usr/share/metainfo/io.github.quorvane.Quorvane.metainfo.xml
        usr/share/mime/packages/quorvane.xml
        usr/share/icons/hicolor/scalable/apps/quorvane.svg)
    string(FIND "${contents}" " ./${installed}\n" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the package lacks /${installed}:\n${contents}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb -f "${package}" Depends OUTPUT_VARIABLE depends
                OUTPUT_STRIP_TRAILING_WHITESPACE)
# The picture plugins that the program reads with, and the libraries that the binary links to.
foreach(dependency qt6-image-formats-plugins libqt6svg6 libqt6core6 libqt6gui6 libqt6widgets6
                   libqt6network6 libc6)
    if(NOT depends MATCHES "(^|, )${dependency}( \\(|,|$)")
        message(FATAL_ERROR "the package does not depend on ${dependency}: ${depends}")
    endif()
endforeach()
