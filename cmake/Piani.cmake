# The floors of src/, low to high: one line a floor, its folders apart by blanks.
# A file may include headers of its own folder and of any lower floor, never
# of a higher floor nor of another folder on its own floor; a core folder (one
# that is not a ui folder, nor app) never includes QtWidgets or QtPrintSupport.
# What a lower floor needs from a higher one comes in as an argument.
# Each folder is a static library (zefirante_<folder>, "/" read as "_") that
# links only what it may include; the check in cmake/ControllaPiani.cmake
# keeps the includes to this table.
set(ZEFIRANTE_PIANI
    "base"                                      # result type, code page, dates, clock
    "storage"                                   # the database, its SQL and its lists
    "common fogli"                              # the codice fiscale; the sheet readers
    "registry"                                  # agencies and municipalities
    "communication backup printing history"     # the monthly file, the archive, the lists, what was sent
    "shell"                                     # start-up, folders, configuration
    "common/ui"                                 # the widgets every window shares
    "communication/ui backup/ui printing/ui history/ui" # their windows
    "registry/ui"                               # the agency window
    "shell/ui"                                  # the main window
    "cli app"                                   # the two programs
)
