# The installed layout.
#
# Standard (Linux default): bin/zefirante and bin/zefirante-cli, a desktop
# entry and its icon, and under share/zefirante the files a new application
# folder starts from (Help, stampe, DIVISE.CSV) with the reference data and
# their notices. The program itself carries these files and lays them into
# the user's data folder at the first start, so nothing under share/ is
# written at run time.
#
# Portable (Windows default): the same files next to the executables with a
# configurazione.ini, which makes the program keep its database and files in
# its own folder (a folder the user can copy, or carry on a USB key).
include(GNUInstallDirs)

if(WIN32)
    set(_portatile_predefinito ON)
else()
    set(_portatile_predefinito OFF)
endif()
option(ZEFIRANTE_PORTATILE "Install as a self-contained folder that keeps its data beside the program"
       ${_portatile_predefinito})

install(TARGETS zefirante zefirante-cli
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        BUNDLE DESTINATION .)

if(ZEFIRANTE_PORTATILE)
    set(_dotazione ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/configurazione.ini DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
    set(_dotazione ${CMAKE_INSTALL_DATADIR}/zefirante)
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/dotazione/ DESTINATION ${_dotazione})
get_property(_guida GLOBAL PROPERTY ZEFIRANTE_GUIDA_PROGRAMMA)
if(_guida)
    install(FILES ${_guida} DESTINATION ${_dotazione}/Help)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/riferimento/ DESTINATION ${_dotazione}/riferimento)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(UNIX AND NOT APPLE)
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/zefirante.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/zefirante.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# On Windows the Qt libraries and plugins go beside the program (windeployqt). A cross build
# has no windeployqt: scripts/windows/pacchetto.sh lays them out instead.
if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
    qt_generate_deploy_app_script(TARGET zefirante
        OUTPUT_SCRIPT _script_distribuzione
        NO_UNSUPPORTED_PLATFORM_ERROR)
    install(SCRIPT ${_script_distribuzione})
endif()
