# zefirante_risorse_windows(TARGET DESCRIZIONE): the icon and the version of a Windows
# executable. The icon is drawn by a native build (tools/icona) and handed to a cross
# build as ZEFIRANTE_ICONA_ICO; without it the executable carries its version alone.
set(ZEFIRANTE_ICONA_ICO "" CACHE FILEPATH "The program's icon as .ico, for the Windows executables")
function(zefirante_risorse_windows bersaglio descrizione)
    if(NOT WIN32)
        return()
    endif()
    set(NOME_FILE ${bersaglio}.exe)
    set(DESCRIZIONE "${descrizione}")
    set(RIGA_ICONA "")
    if(ZEFIRANTE_ICONA_ICO)
        file(TO_CMAKE_PATH "${ZEFIRANTE_ICONA_ICO}" _icona)
        set(RIGA_ICONA "1 ICON \"${_icona}\"")
    endif()
    set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${bersaglio}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/risorse.rc.in ${_rc} @ONLY)
    target_sources(${bersaglio} PRIVATE ${_rc})
endfunction()
