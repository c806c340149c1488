# Writes what the floor check reads (the floors, the names by which the widget
# and print-support headers can be included) and runs the check as a build
# step: target zefirante_piani, which every library of src/ waits for.
set(ZEFIRANTE_DIR_PIANI ${CMAKE_BINARY_DIR}/piani)
string(REPLACE ";" "\n" _righe "${ZEFIRANTE_PIANI}")
file(WRITE ${ZEFIRANTE_DIR_PIANI}/piani.txt "${_righe}\n")

# <QtWidgets/QLabel>, <QLabel>, <qlabel.h>, <QtWidgets>: every file of the
# modules' include folders is a name a core file must not include.
set(_vietati QtWidgets QtPrintSupport)
foreach(_modulo Widgets PrintSupport)
    get_target_property(_cartelle Qt6::${_modulo} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(_cartella IN LISTS _cartelle)
        if(_cartella MATCHES "/Qt${_modulo}$" AND IS_DIRECTORY "${_cartella}")
            file(GLOB _nomi RELATIVE "${_cartella}" "${_cartella}/*")
            list(APPEND _vietati ${_nomi})
        endif()
    endforeach()
endforeach()
list(LENGTH _vietati _quanti)
if(_quanti LESS 100)
    message(FATAL_ERROR "The QtWidgets and QtPrintSupport headers were not found for the floor check")
endif()
string(REPLACE ";" "\n" _righe "${_vietati}")
file(WRITE ${ZEFIRANTE_DIR_PIANI}/vietati.txt "${_righe}\n")

set(ZEFIRANTE_CONTROLLA_PIANI ${CMAKE_COMMAND}
    -DRADICE=${PROJECT_SOURCE_DIR}/src
    -DPIANI=${ZEFIRANTE_DIR_PIANI}/piani.txt
    -DVIETATI=${ZEFIRANTE_DIR_PIANI}/vietati.txt
    -P ${PROJECT_SOURCE_DIR}/cmake/piani/Controlla.cmake)

file(GLOB_RECURSE _sorgenti CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp)
add_custom_command(OUTPUT ${ZEFIRANTE_DIR_PIANI}/controllati
    COMMAND ${ZEFIRANTE_CONTROLLA_PIANI}
    COMMAND ${CMAKE_COMMAND} -E touch ${ZEFIRANTE_DIR_PIANI}/controllati
    DEPENDS ${_sorgenti} ${PROJECT_SOURCE_DIR}/cmake/piani/Controlla.cmake
            ${ZEFIRANTE_DIR_PIANI}/piani.txt
    COMMENT "Floor check of src/"
    VERBATIM)
add_custom_target(zefirante_piani DEPENDS ${ZEFIRANTE_DIR_PIANI}/controllati)
