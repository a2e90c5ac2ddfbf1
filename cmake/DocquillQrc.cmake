# docquill_add_qrc(<target> QRC <file.qrc> NAME <name> [DEPENDS <files...>])
# Compiles a resource collection (also one written into the build tree) with rcc. Every
# executable that links <target>, directly or through a static library, gets the compiled
# resources: an rcc object inside a static archive would be dropped, as nothing refers to it.
function(docquill_add_qrc target)
    cmake_parse_arguments(Q "" "QRC;NAME" "DEPENDS" ${ARGN})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/qrc_${Q_NAME}.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND Qt5::rcc --name ${Q_NAME} --output ${out} ${Q_QRC}
        DEPENDS ${Q_QRC} ${Q_DEPENDS}
        VERBATIM)
    add_library(${target}_objects OBJECT ${out})
    set_target_properties(${target}_objects PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_link_libraries(${target}_objects PRIVATE Qt5::Core)
    add_library(${target} INTERFACE)
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${target}_objects>)
endfunction()
