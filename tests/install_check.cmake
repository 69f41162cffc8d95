# Installs the build into an empty prefix and checks that it holds what a desktop needs: the
# program, its menu entry, the page file type, the icon and the AppStream metadata.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(installed
        bin/quorvane
        share/applications/io.github.quorvane.Quorvane.desktop
        share/metainfo/io.github.quorvane.Quorvane.metainfo.xml
        share/mime/packages/quorvane.xml
        share/icons/hicolor/scalable/apps/quorvane.svg)
    if(NOT EXISTS "${PREFIX}/${installed}")
        message(FATAL_ERROR "the install lacks ${installed}")
    endif()
endforeach()

file(READ "${PREFIX}/share/mime/packages/quorvane.xml" mime)
if(NOT mime MATCHES "pattern=\"\\*\\.qvif\"" OR NOT mime MATCHES "QV Internet Files")
    message(FATAL_ERROR "the MIME type does not describe *.qvif pages")
endif()
file(READ "${PREFIX}/share/applications/io.github.quorvane.Quorvane.desktop" entry)
if(NOT entry MATCHES "Exec=quorvane %[fFuU]" OR NOT entry MATCHES "MimeType=[^\n]*application/x-quorvane-page")
    message(FATAL_ERROR "the desktop entry does not open pages with the program")
endif()
