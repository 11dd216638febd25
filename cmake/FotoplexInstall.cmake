# What the programs read at run time, staged in the build folder the way an install lays it
# out, and the install rules for a prefix. Both programs find share/fotoplex from their own
# folder (src/base/ResourceFolder.h), so the build folder and any prefix work alike.
include(GNUInstallDirs)

set(FOTOPLEX_APP_ID "com.quorvane.Fotoplex")
set(fotoplex_resources "${FOTOPLEX_SOURCE_DIR}/resources")
set(fotoplex_desktop "${fotoplex_resources}/desktop")
set(fotoplex_share "${CMAKE_INSTALL_DATADIR}/fotoplex")

# <build>/share/fotoplex: links to the source folders, so an edited help page shows at once.
foreach(folder help samples)
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/share/fotoplex")
    file(CREATE_LINK "${fotoplex_resources}/${folder}" "${CMAKE_BINARY_DIR}/share/fotoplex/${folder}"
         SYMBOLIC COPY_ON_ERROR)
endforeach()

# Manual pages and the Debian changelog go out compressed, without a time stamp.
find_program(FOTOPLEX_GZIP gzip REQUIRED)
set(fotoplex_compressed)
foreach(source docs/man/fotoplex.1 docs/man/fotoplex-cli.1 resources/desktop/changelog)
    get_filename_component(name "${source}" NAME)
    set(output "${CMAKE_BINARY_DIR}/compressed/${name}.gz")
    add_custom_command(OUTPUT "${output}"
        COMMAND "${FOTOPLEX_GZIP}" -9 -n -c "${FOTOPLEX_SOURCE_DIR}/${source}" > "${output}"
        DEPENDS "${FOTOPLEX_SOURCE_DIR}/${source}"
        COMMENT "Compressing ${name}" VERBATIM)
    list(APPEND fotoplex_compressed "${output}")
endforeach()
add_custom_target(fotoplex_compressed_docs ALL DEPENDS ${fotoplex_compressed})

configure_file("${fotoplex_desktop}/${FOTOPLEX_APP_ID}.metainfo.xml.in"
               "${CMAKE_BINARY_DIR}/desktop/${FOTOPLEX_APP_ID}.metainfo.xml" @ONLY)

foreach(program fotoplex fotoplex-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    endif()
endforeach()
install(DIRECTORY "${fotoplex_resources}/help/" DESTINATION "${fotoplex_share}/help")
install(DIRECTORY "${fotoplex_resources}/samples/" DESTINATION "${fotoplex_share}/samples")

install(FILES "${fotoplex_desktop}/${FOTOPLEX_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_BINARY_DIR}/desktop/${FOTOPLEX_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${fotoplex_desktop}/${FOTOPLEX_APP_ID}.mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME "${FOTOPLEX_APP_ID}.xml")
foreach(size 16 22 24 32 48 64 128 256 512)
    install(FILES "${fotoplex_desktop}/icons/${FOTOPLEX_APP_ID}-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${FOTOPLEX_APP_ID}.png")
endforeach()
install(FILES "${fotoplex_desktop}/icons/${FOTOPLEX_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${CMAKE_BINARY_DIR}/compressed/fotoplex.1.gz" "${CMAKE_BINARY_DIR}/compressed/fotoplex-cli.1.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${fotoplex_desktop}/fotoplex-cli.bash"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME fotoplex-cli)
install(FILES "${fotoplex_desktop}/copyright" "${CMAKE_BINARY_DIR}/compressed/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/fotoplex")
