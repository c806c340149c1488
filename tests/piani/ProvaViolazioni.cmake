# Writes a tree of three floors whose files break every rule of the floor
# check, runs the check on it and expects each break to be named.
file(REMOVE_RECURSE "${LAVORO}")
file(WRITE "${LAVORO}/piani.txt" "base\nalto altro\nalto/ui\n")
function(scrivi file testo)
    file(WRITE "${LAVORO}/src/${file}" "${testo}\n")
endfunction()
scrivi(base/Buono.h "#include <QString>")
scrivi(base/Sale.cpp "#include \"base/Buono.h\"\n#include \"alto/Alto.h\"")
scrivi(alto/Alto.h "#include \"base/Buono.h\"\n#include \"altro/Altro.h\"")
scrivi(altro/Altro.h "#include \"alto/Alto.h\"")
scrivi(alto/Finestra.cpp "#  include <QtWidgets/QLabel>\n#include <qprinter.h>\n#include <QWidget>")
scrivi(alto/ui/Finestra.cpp "#include <QWidget>\n#include \"alto/Alto.h\"")
scrivi(nuova/Nuova.h "#include \"base/Buono.h\"")

execute_process(
    COMMAND ${CMAKE_COMMAND} -DRADICE=${LAVORO}/src -DPIANI=${LAVORO}/piani.txt
            -DVIETATI=${VIETATI} -P ${CONTROLLA}
    RESULT_VARIABLE esito ERROR_VARIABLE uscita OUTPUT_VARIABLE uscita)
if(esito EQUAL 0)
    message(FATAL_ERROR "The floor check passed a tree that breaks it:\n${uscita}")
endif()
set(attesi
    "base/Sale.cpp: includes \"alto/Alto.h\" of 'alto', a floor above 'base'"
    "alto/Alto.h: includes \"altro/Altro.h\" of 'altro', on the same floor as 'alto'"
    "altro/Altro.h: includes \"alto/Alto.h\" of 'alto', on the same floor as 'altro'"
    "'alto' and 'altro' include each other"
    "'alto' and 'base' include each other"
    "alto/Finestra.cpp: the core folder 'alto' includes <QtWidgets/QLabel>"
    "alto/Finestra.cpp: the core folder 'alto' includes <qprinter.h>"
    "alto/Finestra.cpp: the core folder 'alto' includes <QWidget>"
    "nuova/Nuova.h: its folder 'nuova' stands on no floor"
    "9 fault(s)")
foreach(atteso IN LISTS attesi)
    string(FIND "${uscita}" "${atteso}" dove)
    if(dove EQUAL -1)
        message(FATAL_ERROR "The floor check did not say: ${atteso}\nIt said:\n${uscita}")
    endif()
endforeach()
foreach(lecito "alto/ui/Finestra.cpp" "base/Buono.h")
    string(FIND "${uscita}" "${lecito}" dove)
    if(NOT dove EQUAL -1)
        message(FATAL_ERROR "The floor check blamed ${lecito}, which keeps the rules:\n${uscita}")
    endif()
endforeach()
