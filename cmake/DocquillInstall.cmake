# cmake --install <build> --prefix <prefix>: the application as a desktop installs it. Its files
# keep the bundle's shape below <prefix>/lib/docquill (executables in MacOS/, libraries in
# Frameworks/ found through the run path, resources in Resources/), so the installed copy finds
# everything the way the built one does; <prefix>/bin/docquill starts it, and the desktop entry
# and the hicolor icons put it into the desktop's menus.
set(DOCQUILL_INSTALL_DIR lib/docquill)

set(programs Docquill)
foreach(helper PdfCreator PdfProbe pdfconvworker)
    if(TARGET ${helper})
        list(APPEND programs ${helper})
    endif()
endforeach()
install(TARGETS ${programs} RUNTIME DESTINATION ${DOCQUILL_INSTALL_DIR}/MacOS)
foreach(library Orvane pdfconversionsdk pdfconvrecognition)
    if(TARGET ${library})
        install(TARGETS ${library} LIBRARY DESTINATION ${DOCQUILL_INSTALL_DIR}/Frameworks NAMELINK_SKIP)
    endif()
endforeach()
install(DIRECTORY ${DOCQUILL_RESOURCE_DIR} ${DOCQUILL_SCRIPTS_DIR}
    DESTINATION ${DOCQUILL_INSTALL_DIR}/Resources USE_SOURCE_PERMISSIONS)

foreach(size ${DOCQUILL_ICON_SIZES})
    install(FILES ${DOCQUILL_PICTURE_DIR}/docquill-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME docquill.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/logo_docquill.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME docquill.svg)

# The desktop entry and the link in bin/ name the executable by the prefix given at install time.
install(CODE "
    set(executable \"\${CMAKE_INSTALL_PREFIX}/${DOCQUILL_INSTALL_DIR}/MacOS/Docquill\")
    set(staging \"${CMAKE_BINARY_DIR}/install-staging\")
    file(MAKE_DIRECTORY \"\${staging}\")
    file(READ \"${PROJECT_SOURCE_DIR}/resources/docquill.desktop.in\" entry)
    string(REPLACE \"@DOCQUILL_EXECUTABLE@\" \"\${executable}\" entry \"\${entry}\")
    file(WRITE \"\${staging}/docquill.desktop\" \"\${entry}\")
    file(CREATE_LINK \"../${DOCQUILL_INSTALL_DIR}/MacOS/Docquill\" \"\${staging}/docquill\" SYMBOLIC)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\" TYPE FILE
        FILES \"\${staging}/docquill.desktop\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/bin\" TYPE FILE FILES \"\${staging}/docquill\")
")
